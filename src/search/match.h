// Games between two levels (1 to 5), for measuring their strength against each other: a seeded
// opening of random legal moves, then each level's move for its side. The top side makes the
// first move of the opening; each level plays the bottom side on the boards turned around.
#pragma once

#include <cstdint>
#include <vector>

#include "computer/computer_state.h"
#include "computer/self_play.h"
#include "search/game_tree_search.h"

namespace nobakuza {

struct MatchGameConfig {
    std::uint64_t seed = 1;
    int randomPlies = 4;
    int topLevel = 3;
    int bottomLevel = 3;
    int maxMoves = 500;
    // Levels 4 and 5 search to this depth instead of their time budget (0: by time).
    int fixedDepth = 0;
};

// What one side needs to play: the one-move computer's state and the tree search.
struct MatchPlayer {
    MatchPlayer();
    ComputerState computer{};
    GameTreeSearch tree;
};

struct MatchGameResult {
    // How it ended: a king taken or a mate (won by that side), the move cap or no move (drawn).
    SelfPlayEnd end = SelfPlayEnd::none;
    int moves = 0;
    // Every move of the game, in order.
    std::vector<Move> played;
    // Wall time of every move each side chose, in milliseconds (the opening's moves excluded).
    std::vector<double> topMilliseconds;
    std::vector<double> bottomMilliseconds;
};

// Whether an end is a win of the top side (+1), of the bottom side (-1), or a draw (0).
int winnerOf(SelfPlayEnd end);

// Plays one game; `top` and `bottom` are reused from game to game.
MatchGameResult playMatchGame(const MatchGameConfig& config, MatchPlayer& top, MatchPlayer& bottom);

}  // namespace nobakuza
