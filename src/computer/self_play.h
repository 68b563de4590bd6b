// The computer against itself, for long-run checks and the benchmark's corpus: a seeded opening of
// random moves, then the computer's turn for the top side and, on the boards turned around, for
// the bottom side. The top side moves first.
#pragma once

#include <cstdint>
#include <vector>

#include "board/board_model.h"
#include "board/move.h"
#include "computer/computer_state.h"

namespace nobakuza {

// A small seeded generator whose sequence is the same on every platform.
class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in 0..n-1 (n > 0).
    std::uint32_t below(std::uint32_t n);

  private:
    std::uint64_t state_;
};

// Every move and drop that the move test allows `side` (senteSide = the top, computer's codes;
// goteSide = the bottom) on both boards, promoting only where the piece could not move again.
// Recomputes both boards' two-pawn flags first.
void listLegalMoves(GameState& g, bool topSide, std::vector<Move>& out);

// The position as the other side sees it: each board turned through 180 degrees, every code
// negated, the two hands of each board swapped.
void turnAround(const GameState& from, GameState& to);

// A move of the top side on boards turned around, as the bottom side makes it on the boards
// themselves: squares turned, the computer's hand column become the human's, the code negated.
Move turnedBack(const Move& m);

// The whole computer's turn of levels 1 to 3 (both searches and the board choice) for the top side
// of `view`, which the searches use as their working position; boardId 0 when neither board has
// a legal move.
Move computerTurnMove(GameState& view, ComputerState& computer);

enum class SelfPlayEnd {
    none,
    kingTakenByTop,
    kingTakenByBottom,
    mateByTop,
    mateByBottom,
    recordFull,
    noMove,
};

const char* selfPlayEndName(SelfPlayEnd end);

struct SelfPlayConfig {
    std::uint64_t seed = 1;
    int randomPlies = 0;
    std::int16_t level = 3;
    int maxMoves = 500;
};

class SelfPlayGame {
  public:
    explicit SelfPlayGame(const SelfPlayConfig& config);

    const GameState& game() const { return game_; }
    int moves() const { return moves_; }
    bool topToMove() const { return topToMove_; }
    SelfPlayEnd end() const { return end_; }
    // Wall time spent in the computer's searches so far.
    double searchMilliseconds() const { return searchMilliseconds_; }

    // True when the next move is the computer's (past the random opening). Then `searchView`
    // is the position its search sees: the game itself for the top side, turned around for the
    // bottom side.
    bool nextIsSearched() const { return moves_ >= config_.randomPlies; }
    void searchView(GameState& out) const;

    // Plays the next move and returns how the game stands after it.
    SelfPlayEnd playMove();
    const Move& lastMove() const { return last_; }

  private:
    Move randomMove();
    Move searchedMove();

    SelfPlayConfig config_;
    SeededRandom random_;
    GameState game_{};
    GameState view_{};
    ComputerState computer_{};
    std::vector<Move> legal_;
    Move last_{};
    int moves_ = 0;
    bool topToMove_ = true;
    SelfPlayEnd end_ = SelfPlayEnd::none;
    double searchMilliseconds_ = 0;
};

}  // namespace nobakuza
