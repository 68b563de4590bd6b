// Levels 4 and 5 in the game's terms: their time budgets, and the search of the top side's move
// on the game's boards. The bottom side is searched on the boards turned around (turnAround),
// and its move turned back (turnedBack).
#pragma once

#include <cstdint>

#include "board/board_model.h"
#include "computer/self_play.h"
#include "search/game_tree_search.h"

namespace nobakuza {

inline constexpr int quickSearchLevel = 4;   // about 0.3 s a move
inline constexpr int strongSearchLevel = 5;  // about 1.5 s a move
inline constexpr int highestLevel = strongSearchLevel;
static_assert(highestLevel == highestComLevel);

// Seconds a move of `level` may take; 0 below the searching levels.
double levelSeconds(int level);

// The rules of a game against the computer, for the search of the top side's move: only a mate
// of the computer ends the game. The hint searches the human's move on the boards turned around,
// where the human's pieces are the top ones.
inline constexpr SearchRules computerTurnRules{.topLosesByMate = true, .bottomLosesByMate = false};
inline constexpr SearchRules hintRules{.topLosesByMate = false, .bottomLosesByMate = true};

struct LevelMove {
    Move move{};  // boardId 0 when there is no move
    int score = 0;
    int depth = 0;
    std::uint64_t nodes = 0;
    double milliseconds = 0;
};

// The move of the top side of `g` (the computer's pieces) found by `engine` within `limits`.
LevelMove searchTopMove(const GameState& g, const SearchRules& rules, const SearchLimits& limits,
                        GameTreeSearch& engine);

// A move of the search in the game's terms: board, squares or hand cell, and the placed code.
Move moveOf(const SearchPosition& p, TreeMove m);

}  // namespace nobakuza
