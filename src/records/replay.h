// Turning both boards around, and the state the move routines keep that a position written
// straight into the boards (a restored snapshot, a reversal) has to have recomputed.
#pragma once

#include "board/board_model.h"

namespace nobakuza {

// Rotates a board through 180 degrees and gives every piece to the other side: the square
// (10 - f, 10 - r) receives minus the code of (f, r). Empty squares stay empty.
void reverseBoard(Table& board);

// Reverses both boards and swaps each board's two hands (and their totals), then refreshes the
// king squares and two-pawn flags from the boards.
void reverseBoards(GameState& game);

// King squares (0, 0 for a king that is not on the board) and both sides' two-pawn flags, taken
// from the board, so the next move's checks and mate tests look at the real position.
void refreshKingsAndPawnFiles(BoardState& b);

}  // namespace nobakuza
