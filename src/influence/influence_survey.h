// The influence survey of one board: how many pieces of each side reach every square, the
// cheapest attacker and defender of every occupied square, the check marks and the kings' squares.
#pragma once

#include "board/board_model.h"

namespace nobakuza {

// Rewrites b.influence from b.board (the four square tables of the computer's cheapest defender
// and attacker are only overwritten, never reset) and the king squares of b; a king that is not
// on the board keeps its old square. Reads nothing but b.board.
void 勢力調査(BoardState& b);

}  // namespace nobakuza
