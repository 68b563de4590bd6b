// The game-tree search of the higher levels: negamax with alpha-beta over both boards, iterative
// deepening under a time budget, a transposition table, killer and history move ordering, null
// moves, late-move reductions and frontier pruning, a check extension, and a quiescence search
// over captures (over every move while a king is attacked).
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "board/board_model.h"
#include "search/move_generator.h"
#include "search/search_position.h"

namespace nobakuza {

// Scores: a won game is worth winScore less the plies to its end (a king taken on the third ply
// from now: winScore - 3).
inline constexpr int winScore = 30000;
inline constexpr int maxSearchPly = 96;
inline constexpr int wonScore = winScore - maxSearchPly - 2;  // at least this: a forced win

// How a game ends besides the capture of a king, which always ends it. The search judges a mate
// on the board just moved on: in the first two plies by the game's own mate test, which will
// decide the game; deeper, where that test's surveys would cost too much, by an exact test of that
// one board (its king attacked by a piece there, and no move on that board, a drop there
// included, taking the king out of reach), which the game's test approximates.
struct SearchRules {
    // Whether a side loses when the game's mate test fails for its king on the board the other
    // side has just moved on. In a game against the computer only the computer's king is lost
    // so; in a match both kings are.
    bool topLosesByMate = true;
    bool bottomLosesByMate = true;

    constexpr bool losesByMate(int side) const {
        return side == topSide ? topLosesByMate : bottomLosesByMate;
    }
};

struct SearchLimits {
    double seconds = 0;                       // the budget; 0 for none
    int depth = 0;                            // the deepest iteration; 0 for as deep as time allows
    std::uint64_t nodes = 0;                  // 0 for no limit
    const std::atomic<bool>* stop = nullptr;  // set from another thread to end the search
};

struct TreeSearchResult {
    TreeMove move = noTreeMove;  // noTreeMove only when the side to move has no move at all
    int score = 0;               // for the side to move
    int depth = 0;               // the deepest iteration completed
    std::uint64_t nodes = 0;
    double milliseconds = 0;
};

class GameTreeSearch {
  public:
    // The transposition table takes 2^hashBits entries of 16 bytes.
    explicit GameTreeSearch(int hashBits = 20);
    GameTreeSearch(const GameTreeSearch&) = delete;
    GameTreeSearch& operator=(const GameTreeSearch&) = delete;

    // The best move of the side to move of `root`. The table keeps what it learnt for the next
    // search; nothing is allocated here.
    TreeSearchResult search(const SearchPosition& root, const SearchRules& rules,
                            const SearchLimits& limits);

    void clearHash();
    // Off, the search does without its table (to check that the table changes nothing).
    void setHashEnabled(bool enabled) { hashEnabled_ = enabled; }

    // The prunings and extensions that make the search deeper but its values depend on the order
    // in which it meets the moves. Without them (`exact`), and with the root's moves kept in the
    // order they were made, a depth gives the same move and value with the table as without it.
    struct Options {
        bool nullMove = true;
        bool reductions = true;
        bool checkExtension = true;
        bool deltaPruning = true;
        bool rootReordering = true;
        bool frontierPruning = true;
    };
    static constexpr Options exact{.nullMove = false,
                                   .reductions = false,
                                   .checkExtension = false,
                                   .deltaPruning = false,
                                   .rootReordering = false,
                                   .frontierPruning = false};
    Options options;

  private:
    struct HashEntry {
        std::uint64_t key = 0;
        TreeMove move = noTreeMove;
        std::int16_t score = 0;
        std::uint8_t depth = 0;
        std::uint8_t boundAndAge = 0;
    };

    int alphaBeta(int depth, int alpha, int beta, int ply, bool nullAllowed);
    int quiescence(int alpha, int beta, int ply, int qply);
    // Whether the side to move has lost by the mate rule to the move that led here.
    bool matedByLastMove(int ply);
    bool timeUp();
    class MovePicker;
    void orderMoves(MoveList& list, TreeMove hashMove, int ply) const;
    void orderQuiets(MoveList& list, int first) const;
    void rememberQuiet(TreeMove m, int depth, int ply);
    bool isQuiet(TreeMove m) const;
    std::uint64_t nodeKey(int ply) const;
    const HashEntry* probe(int ply) const;
    void store(int depth, int score, int bound, TreeMove move, int ply);
    // The root: its moves, a move that takes a king there, one iteration over its moves.
    struct RootIteration;
    int collectRootMoves();
    TreeMove kingTakingMove(const SearchPosition& root);
    RootIteration searchRootMoves(int depth, std::array<int, MoveList::capacity>& scores);

    std::vector<HashEntry> table_;
    std::uint64_t mask_ = 0;
    bool hashEnabled_ = true;
    std::uint8_t age_ = 0;

    SearchPosition pos_{};
    SearchRules rules_{};
    SearchLimits limits_{};
    std::chrono::steady_clock::time_point start_{};
    std::chrono::steady_clock::time_point deadline_{};
    bool timed_ = false;
    bool stopped_ = false;
    std::uint64_t nodes_ = 0;
    int rootDepth_ = 0;

    std::unique_ptr<std::array<MoveList, maxSearchPly + 1>> lists_;
    std::array<SearchPosition::Undo, maxSearchPly + 1> undo_{};
    std::array<int, maxSearchPly + 1> lastBoard_{};  // the board the move into ply was made on
    std::array<std::array<TreeMove, 2>, maxSearchPly + 1> killers_{};
    // [side][board][origin square, or the kind of a drop][destination]
    std::vector<std::int32_t> history_;
    std::unique_ptr<GameState> mateBoard_;  // the game's mate test runs on a copy of the position
};

}  // namespace nobakuza
