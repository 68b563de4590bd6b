// What the computer player keeps between the start of a board's search and the scoring of its
// candidates: copies of the position before any trial move, and the marks its surveys rebuild.
#pragma once

#include <cstdint>

#include "board/board_model.h"

namespace nobakuza {

// One board's working values of the search. The marks describe the position before any trial
// move; the evaluation compares the trial position against the saved tables.
struct SearchSnapshot {
    Table boardAtTurnStart{};
    Table savedManInfluence{};
    Table savedComInfluence{};
    std::int16_t comHandTotalSnapshot = 0;

    // Human pieces that are pinned to their king by a computer line piece.
    Table immobileMark{};
    // Empty squares from which a dropped human bishop would reach the computer king.
    Table bishopDropMark{};
};

// The computer player's state for both boards. The king-escape count is one value: each board's
// search overwrites it before it scores anything.
struct ComputerState {
    SearchSnapshot left{};
    SearchSnapshot right{};
    std::int16_t kingEscapeResult = 0;

    SearchSnapshot& of(const BoardState& b) { return b.boardId == rightBoardId ? right : left; }
    const SearchSnapshot& of(const BoardState& b) const {
        return b.boardId == rightBoardId ? right : left;
    }
};

}  // namespace nobakuza
