// One move as the game, the computer's searches and the notes all take it.
#pragma once

#include <cstdint>

#include "board/board_model.h"

namespace nobakuza {

// A board move or a drop: on which board, from (for a drop the hand's grid column, 11 for the
// human's with from-rank = kind index + 2, -1 for the computer's with from-rank = kind index), to,
// and the code that stands on the destination afterwards (promoted when the move promotes).
// boardId 0: no move.
struct Move {
    std::int16_t boardId = 0;
    std::int16_t fromFile = 0;
    std::int16_t fromRank = 0;
    std::int16_t toFile = 0;
    std::int16_t toRank = 0;
    Code placed = emptySquare;
    Code moved = emptySquare;  // the code that leaves the from-square; 0 for a drop

    bool drop() const { return fromFile == manHandColumn || fromFile == comHandColumn; }
};

}  // namespace nobakuza
