// Check, escape and mate on one board, answered from the influence tables of the board's last
// survey and the move test. The mate tests are heuristic: they try king steps, interposing pawn
// drops and single board moves of the defender, and they are what the game declares mate by.
#pragma once

#include <cstdint>

#include "board/board_model.h"

namespace nobakuza {

// Counts the empty squares next to the human king that no computer piece reaches, and marks each
// with 1 in b.escapeMark (the caller clears it first; nothing else is written).
std::int16_t 調査_自王逃道(BoardState& b);

// 1 when some computer piece, the king included, may move onto the human king's square.
std::int16_t 詰めかMAN_COM移動(BoardState& b);

// 1 when the human king is mated. Expects a survey of the current position; leaves the board and
// the influence tables as they were.
std::int16_t 詰めかMAN(BoardState& b);

// 1 when the computer king is mated. Expects a survey of the current position. Trial moves are
// surveyed again, so on return the influence tables may describe a trial position: survey again
// before reading them. The board itself is left as it was.
std::int16_t 詰めかCOM(BoardState& b);

}  // namespace nobakuza
