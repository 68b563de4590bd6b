// The review (検討) of the game on the boards: every position of its record searched beside the
// window (two searches side by side, LEVEL4's time each) with its progress in the status line;
// once done, the evaluation graph beside the move list and the marks of the moves (悪手, 疑問手).
// Escape stops it and keeps what was found.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "game/game_shared.h"
#include "review/game_review.h"

namespace nobakuza {

class Game;

class WindowReview {
  public:
    WindowReview(Game& game, GameShared& shared);
    ~WindowReview();
    WindowReview(const WindowReview&) = delete;
    WindowReview& operator=(const WindowReview&) = delete;

    // 検討: starts the review of the record on the boards.
    void KENTOU_Click();
    // A review is under way (its thread is there).
    bool running() const { return worker_.joinable(); }
    // Stops it at once; what was searched so far is kept.
    void stop();
    // On the window's thread: the progress, or the end, of the review.
    void backgroundWorkDone();
    // A new game or another record: the old review goes.
    void forget();
    // The mark of move `ply`, in the player's language; empty for none.
    std::string markText(int ply) const;
    // "検討中 42%" while it runs; empty otherwise.
    std::string progressText() const;
    // After the position on the boards changed: the graph's current point, and before a marked
    // move the move the search preferred there, outlined and named under its board.
    void positionShown();
    // A click on the graph: that position, as the move list or stepping shows it.
    void graphClicked(int ply);

    const GameReview* result() const { return review_ ? review_.get() : nullptr; }
    // To `depth` instead of LEVEL4's time, the same every run (0: by time).
    void setSearchDepth(int depth) { depth_ = depth; }
    // Waits for the review to end by itself (a test's stand-in for the window's wake-up).
    void waitForReview();

  private:
    void showGraph();
    void finish();

    Game& game_;
    GameShared& s_;
    std::unique_ptr<GameRecord> record_;  // the review's own copy
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> done_{0};
    std::atomic<int> total_{0};
    GameReview found_;  // written by the worker, read after the join
    std::unique_ptr<GameReview> review_;
    int depth_ = 0;
};

}  // namespace nobakuza
