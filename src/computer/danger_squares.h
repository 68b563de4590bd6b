// Two scores the board evaluation adds for the trial position: the computer's weak squares (with
// a bonus when the moved piece forks), and the caution against a human bishop aimed at the king.
#pragma once

#include "board/board_model.h"
#include "computer/computer_state.h"

namespace nobakuza {

// Sum of penalties for attacked, overloaded and forkable computer pieces and small rewards for
// pressure on human pieces, plus the fork bonus of the piece `pc` that now stands on (tx, ty).
double 盤評価_COM危険座標(BoardState& b, const SearchSnapshot& s, Code pc, int tx, int ty);

// pc when the piece on (tx, ty) stands on a diagonal through the first bishop-drop square it
// shares a diagonal with and a human bishop could really come there; else 0.
double 盤評価_自角注意_COM(const BoardState& b, const SearchSnapshot& s, int tx, int ty, Code pc);

}  // namespace nobakuza
