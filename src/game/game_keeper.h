// The game kept on disk: the game in progress written after every change (the autosave), offered
// again at the next start when the program ended without finishing it, and every finished or
// abandoned game kept as a record among the finished games (the archive).
#pragma once

#include <cstdint>
#include <string>

#include "game/game_shared.h"
#include "records/saved_game.h"

namespace nobakuza {

class Game;

class GameKeeper {
  public:
    GameKeeper(Game& game, GameShared& shared) : game_(game), s_(shared) {}

    // The finished games' folder, beside the settings file.
    static constexpr const char* archiveFolder = "棋譜";
    static constexpr int archiveLimit = 200;

    // At start-up, once the window is shown: a game the last run left unfinished is offered
    // ("前回の対局を続けますか？"); はい puts it back, いいえ keeps it among the finished games.
    void resumeInterruptedGame();
    // Writes the game in progress when it has changed since it was last written, or removes
    // the files once no game is in progress. Every event handler ends with it; the way out
    // calls it `leaving`, to keep the seconds spent on the move under way as well.
    void autosave(bool leaving = false);
    // The game on the boards, when it was played here with moves and a record can hold it, goes
    // among the finished games, once.
    void keepFinishedGame();
    // A new game is set up: the game on the boards, unless already kept, is kept first.
    void beforeNewGame();
    void removeAutosave();

  private:
    bool gameInProgress() const;
    // A game is being played: the side to move's clock runs.
    bool clockRunning() const;
    void restoreGame(const SavedGame& saved);
    void archiveCurrentGame();
    void archiveGame(const GameRecord& record, std::int16_t gameMode, std::int16_t manSide);

    Game& game_;
    GameShared& s_;
    bool gameKept_ = false;       // the game on the boards is already among the finished games
    bool resumeOffered_ = false;  // the last run's game has been offered (or there was none)
    // What was last written to the autosave; empty when nothing is on disk.
    std::string autosaved_;
    std::string autosavedRecord_;  // the bytes of 自動保存.棋譜 as last written; empty if none
};

}  // namespace nobakuza
