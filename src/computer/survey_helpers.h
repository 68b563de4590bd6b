// Small questions the computer player asks about the position on one board: safe squares of a
// piece, what a knight or lance drop would win, line backing of a square, crowding around it,
// pinned human pieces and bishop-drop squares. All read the board and its latest survey.
#pragma once

#include <cstdint>

#include "board/board_model.h"
#include "computer/computer_state.h"

namespace nobakuza {

// Squares to which `code` could move from (file, rank) that the other side does not reach.
// The piece need not stand there.
std::int16_t 調査_移動可場所数(const BoardState& b, int file, int rank, Code code);

// Value of the human line pieces a computer knight dropped near (f, r) could fork against the
// human line piece that attacks (f, r); 0 if none.
std::int16_t 調査_桂狙い(const BoardState& b, int f, int r);

// Value of the piece a computer lance on (f, r) would attack further down the file; 0 if none.
std::int16_t 調査_香狙い(const BoardState& b, int f, int r);

// 1 if, with (f, r) emptied, a human lance, rook or dragon further toward rank 9 reaches (f, r).
// The square is restored before returning.
std::int16_t 調査_自守駒MAN_直進駒(BoardState& b, int f, int r);

// Minus the number of neighbours of (f, r) holding a computer bishop, horse, rook, dragon or king.
std::int16_t 調査_周辺状況(const BoardState& b, int f, int r);

// Rebuilds s.immobileMark: human pieces without which a computer lance or line piece would reach
// the human king. The result is not used by the search.
std::int16_t 調査_移動不可駒(BoardState& b, SearchSnapshot& s);

// Rebuilds s.bishopDropMark: empty squares, not defended by the computer (or defended once and
// next to the computer king), from which a human bishop would reach the computer king.
std::int16_t 調査_持角狙座標(const BoardState& b, SearchSnapshot& s);

}  // namespace nobakuza
