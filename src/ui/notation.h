// Moves and squares as the player reads them, in the language of the window: "▲7六歩" or
// "▲7g-7f" ("P*5e" for a drop, "+" for a promotion). Squares are named as the coordinate labels
// name them; after 反転 the labels turn with the boards, and so do the names.
#pragma once

#include <string>

#include "records/replay.h"
#include "text/translation.h"

namespace nobakuza {

// The file number (1..9) and rank (1..9) the labels give a board column and row.
constexpr int fileLabel(int column, bool turned) {
    return turned ? column : 10 - column;
}
constexpr int rankLabel(int row, bool turned) {
    return turned ? 10 - row : row;
}

// "7六歩" in Japanese, "7g-7f" / "P*5e" / "2h-3c+" in English; empty for no move.
std::string moveNotation(const MoveNote& move, bool turned, Language language);
// "▲" for a bottom piece (the human's), "△" for a top piece.
std::string moverMark(const MoveNote& move);

}  // namespace nobakuza
