// Turning both boards around, and the state the move routines keep that a position written
// straight into the boards (a restored snapshot, a reversal) has to have recomputed.
#pragma once

#include "board/board_model.h"
#include "board/move.h"
#include "records/game_record.h"

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

// One move as the player reads it: on which board, whose piece, from where to where.
struct MoveNote {
    std::int16_t boardId = 0;   // 0: the two snapshots show no single move
    bool topPiece = false;      // a top piece moved (the computer's, or the second player's)
    std::int16_t fromFile = 0;  // 0 for a drop
    std::int16_t fromRank = 0;
    std::int16_t toFile = 0;
    std::int16_t toRank = 0;
    Code moved = emptySquare;   // the piece as it left its square (for a drop: the dropped piece)
    Code placed = emptySquare;  // the piece standing on the target afterwards
    bool drop() const { return fromFile == 0; }
    bool promotes() const { return placed != moved; }
};

// The note of a move as it is made: a top piece moved when the placed code is the computer's.
MoveNote noteOf(const Move& m);

// The move that led from snapshot n - 1 to snapshot n, told apart from the cross-board capture
// it may have made. `turnedBetween`: the boards were turned around (反転) between the two
// snapshots, so the earlier one is turned first.
MoveNote describeMove(const GameRecord& record, int n, bool turnedBetween);

}  // namespace nobakuza
