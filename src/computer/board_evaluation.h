// The score of one candidate move of the computer, made in place on its board and surveyed: the
// fixed results, the danger scan, and the rules that strength levels 2 and 3 add.
#pragma once

#include <cstdint>

#include "board/board_model.h"
#include "computer/computer_state.h"

namespace nobakuza {

// Fixed results.
inline constexpr double scoreKingCaptured = 9999;
inline constexpr double scoreMate = 9998;
inline constexpr double scoreLosing = -9998;
inline constexpr double scoreNothingLegal = -99999;

// What one board's evaluation reads besides the trial position on `board`.
struct EvaluationContext {
    BoardState& board;            // the board being scored, holding the trial position
    const BoardState& other;      // the board beside it
    const SearchSnapshot& saved;  // this board's position before any trial move
    std::int16_t kingEscapeResult = 0;
    std::int16_t comLevel = 3;
};

// Scores the move that placed `pc` on (tx, ty) from (fx, fy) (a drop: -1 and the kind index)
// capturing `cap` (0 for none or a drop). Higher is better for the computer.
double 盤評価(const EvaluationContext& cx, Code cap, Code pc, int fx, int fy, int tx, int ty);

// The rules of strength level 2: material, exchanges, the human king's escapes; they add to
// `score`.
void 盤評価_レベル2(const EvaluationContext& cx, double& score, Code cap, Code pc, int fx, int fy,
                    int tx, int ty);

// The rules of strength level 3, chosen by the kind of the placed piece; they add to `score`.
void 盤評価_レベル3(const EvaluationContext& cx, double& score, Code cap, Code pc, int fx, int fy,
                    int tx, int ty);

}  // namespace nobakuza
