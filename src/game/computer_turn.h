// The computer's turn: both boards searched, one move played on one of them, check and mate of
// the human's king announced, the move handed back. Levels 4 and 5, and the hint, search the game
// tree on a thread of their own while the window waits.
#pragma once

#include <memory>

#include "computer/computer_state.h"
#include "computer/move_search.h"
#include "game/game_shared.h"
#include "search/level_search.h"

namespace nobakuza {

class Game;

class ComputerTurn {
  public:
    ComputerTurn(Game& game, GameShared& shared);
    ~ComputerTurn();

    // The computer's turn: searches both boards and plays one move.
    void com_ban();
    // Shows the move the quick search suggests for the human, on the human's turn.
    void HINT_Click();
    // "思考中" stands over the boards.
    bool thinking() const { return thinking_; }

  private:
    // The computer's turn in steps: "思考中", the flashing, the move and what follows it.
    void showThinking();
    void flashComputerMove(const Move& best);
    void playComputerMove(const Move& best);
    // Levels 4 and 5: the tree search finds the move.
    void searchedComputerTurn();
    // Runs the tree search on a thread of its own while the window repaints and the clock ticks;
    // false, with the program ended, when the player asked for the end meanwhile.
    bool runTreeSearch(const GameState& position, const SearchRules& rules, double seconds,
                       LevelMove& found);
    bool computerMayPlay(bool moveFound);

    Game& game_;
    GameShared& s_;
    ComputerState computer_;
    bool thinking_ = false;
    std::unique_ptr<GameTreeSearch> treeSearch_;  // made on first use: its table is large
};

}  // namespace nobakuza
