// Whether one move or one drop is allowed by the movement rules on one board. Pure tests: they
// read the board and its two-pawn flags and change nothing, so the computer may call them on a
// board it has altered for a trial move.
#pragma once

#include <cstdint>

#include "board/board_model.h"

namespace nobakuza {

// 1 when `piece` may go from (fromFile, fromRank) to (toFile, toRank), else 0. A drop has the
// from-file of its hand column (11 the human's, -1 the computer's); its from-rank is not read.
// Leaving the mover's own king attacked is allowed, and compulsory promotion is not tested here.
std::int16_t 移動チェック(const BoardState& b, int fromFile, int fromRank, int toFile, int toRank,
                          Code piece);

// 1 when the two squares share a file or a rank and every square strictly between is empty.
std::int16_t 移動チェック飛車(const BoardState& b, int fromFile, int fromRank, int toFile,
                              int toRank);

// 1 when the two squares share a diagonal and every square strictly between is empty.
std::int16_t 移動チェック角(const BoardState& b, int fromFile, int fromRank, int toFile,
                            int toRank);

// 0 when an unpromoted `piece` standing on `rank` could never move again (it must promote).
std::int16_t 移動後チェック(int rank, Code piece);

}  // namespace nobakuza
