// The evaluation bar's value: the tree search, run on a thread of its own at LEVEL4's time on the
// position on the boards after every move, so that neither the player, the clock, the computer's
// turn nor a repaint waits for it. In a game against the computer at levels 4 and 5 the
// computer's own search gives the value after its move.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "game/game_shared.h"
#include "search/level_search.h"
#include "ui/evaluation_bar.h"

namespace nobakuza {

class Game;

class EvaluationWatch {
  public:
    EvaluationWatch(Game& game, GameShared& shared);
    ~EvaluationWatch();
    EvaluationWatch(const EvaluationWatch&) = delete;
    EvaluationWatch& operator=(const EvaluationWatch&) = delete;

    // After every event: with 形勢表示 on and a game under way, a position not judged yet is
    // searched in the background; the bar keeps the last value meanwhile.
    void positionShown();
    // The computer's search has chosen the move just played: its score (for the computer, in the
    // position before the move) judges the position after it, which is not searched again.
    void computerSearched(int scoreForComputer);
    // On the window's thread, once the search has said it is done: its value is shown.
    void backgroundWorkDone();
    // Stops the search and waits for its thread: before the computer's turn, at the end of a
    // game, of the program, and when the bar is switched off.
    void stop();
    // A new game: the last value goes with the old one.
    void forget();
    // The bar as it stands, when 形勢表示 is on.
    void draw();
    // The evaluation in the status line ("形勢 +3.2"); empty without a value or with the bar off.
    std::string statusText() const;

    const std::optional<Evaluation>& value() const { return value_; }
    // A search thread is there (running, or done and not yet taken in).
    bool searching() const { return worker_.joinable(); }
    // To `depth` instead of LEVEL4's time, the same every run (0: by time again).
    void setSearchDepth(int depth) { depth_ = depth; }
    // Waits for the search to end by itself (a test's stand-in for the window's wake-up).
    void waitForSearch();

  private:
    bool wanted() const;
    void start(std::uint64_t key);
    // Takes in the value of a search that ended by itself.
    void takeResult();

    Game& game_;
    GameShared& s_;
    std::unique_ptr<GameTreeSearch> engine_;  // made on first use: its table is large
    std::unique_ptr<GameState> position_;     // the search's own copy of the boards
    bool topToMove_ = false;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    LevelMove found_;                // written by the worker, read after the join
    std::uint64_t searchedKey_ = 0;  // the position the thread searches
    std::uint64_t judgedKey_ = 0;    // the position value_ belongs to
    std::optional<Evaluation> value_;
    int depth_ = 0;
};

// A key of what the search sees: both boards, both hands and the side to move.
std::uint64_t evaluationKey(const GameState& g);

}  // namespace nobakuza
