// The ray and gold-step routines the influence survey hands its sliders and gold-movers to. Each
// adds the reaches of one piece standing on (file, rank) to the tables of b.influence, which the
// survey has reset before its scan.
#pragma once

#include "board/board_model.h"

namespace nobakuza {

// Straight rays toward rank 1, rank 9, file 9 and file 1. A ray runs over empty squares and
// through the opposing king, and ends at the first other piece after recording it. Up and down
// belong to the human when code < 0, right and left when code <= -10; otherwise to the computer.
void 勢力確定上直進(BoardState& b, Code code, int file, int rank);
void 勢力確定下直進(BoardState& b, Code code, int file, int rank);
void 勢力確定右直進(BoardState& b, Code code, int file, int rank);
void 勢力確定左直進(BoardState& b, Code code, int file, int rank);

// The four diagonals of the human's bishop; every reach is recorded as -800, a horse's too.
void 勢力確定自角(BoardState& b, int file, int rank);
// The four diagonals of the computer's bishop or horse, recorded with the given code.
void 勢力確定敵角(BoardState& b, Code code, int file, int rank);

// The six gold steps of a human gold-mover, recorded with its own code.
void 勢力確定自金(BoardState& b, Code code, int file, int rank);
// The six gold steps of a computer gold-mover, all recorded as 110 without squares.
void 勢力確定敵金(BoardState& b, int file, int rank);

}  // namespace nobakuza
