// The evaluation bar beside the boards: who stands better, from the human's side (the bottom
// pieces), as a share of the bar and as a score in pawns.
#pragma once

#include <string>
#include <string_view>

namespace nobakuza {

// A judgement of the position on the boards, from the human's side.
struct Evaluation {
    int score = 0;        // hundredths of a pawn; positive: the human stands better
    int forcedWinBy = 0;  // +1: the human has a forced win, -1: the computer has, 0: neither
    bool operator==(const Evaluation&) const = default;
};

// Hundredths of a pawn at which the logistic gives about 73 % of the bar (1 / (1 + e^-1)).
inline constexpr double evaluationScale = 600.0;

// The human's share of the bar, 0..1: a logistic of the score; a forced win fills it or empties
// it.
double evaluationShare(const Evaluation& e);

// The score in pawns with its sign and one decimal ("+3.2", "-0.5", "0.0"); a forced win reads
// `mateWord` with the sign of the side that has it ("+詰み").
std::string evaluationText(const Evaluation& e, std::string_view mateWord);

// Where the bar stands, in grid units of the left board's origin: in the gap between the boards,
// under the move number.
inline constexpr double evaluationBarLeft = 14.1;
inline constexpr double evaluationBarRight = 14.9;
inline constexpr double evaluationBarTop = 4.1;
inline constexpr double evaluationBarBottom = 9.9;
inline constexpr double evaluationTextRow = 10.1;

}  // namespace nobakuza
