// The computer's play over a fixed corpus of positions, reduced to one number per level. The
// computer is deterministic, so the number changes exactly when some move it chooses changes:
// the benchmark prints it and a test pins it, and a change to the evaluation cannot go unseen.
#pragma once

#include <cstdint>
#include <vector>

#include "board/board_model.h"

namespace nobakuza {

// Every distinct position the computer searched in the first `movesPerGame` moves of `games`
// seeded self-play games at level 3: random openings of 8 to 32 moves scatter the games, and a
// position met again is kept once.
std::vector<GameState> selfPlayCorpus(int games = 12, int movesPerGame = 200);

// A hash of the board and the move the computer chooses in each position, in order.
std::uint64_t playSignature(const std::vector<GameState>& positions, std::int16_t level);

}  // namespace nobakuza
