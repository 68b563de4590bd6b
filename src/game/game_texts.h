// What the window shows around the picture: the status line under it, the list of moves beside
// it, and the tinted squares of each side's last move on it.
#pragma once

#include <string>
#include <vector>

#include "game/game_shared.h"

namespace nobakuza {

class Game;

class GameTexts {
  public:
    GameTexts(Game& game, GameShared& shared) : game_(game), s_(shared) {}

    // The status line, the move list and the marks of the last moves, from the game's state.
    void showGameInfo();
    // The move that led to snapshot n (boardId 0 for none).
    MoveNote moveNote(int n) const;
    // Each board's and each side's last move up to the position shown, and whether the boards
    // stood turned when the side made it.
    struct LastMoves {
        MoveNote onBoard[3]{};  // by board id
        MoveNote bySide[2]{};   // bottom, top
        bool turnedAt[2]{};
        bool onBoardTurnedAt[3]{};
    };
    LastMoves lastMoves() const;
    std::string statusLine(const LastMoves& last) const;
    std::vector<std::string> moveListLines() const;
    // The winner of the game just finished, as the end box names them.
    std::string winnerName() const;
    // Who won and how, for the status line; empty while no game has ended.
    std::string endOfGame() const;
    // The last move of each side, under and over the boards, as the moves left them.
    void drawLastMoveTexts();

  private:
    // Whose turn it is, or that no game is under way.
    std::string turnText() const;
    void showLastMoveTints(const LastMoves& last);

    Game& game_;
    GameShared& s_;
};

}  // namespace nobakuza
