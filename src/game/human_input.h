// The human's input with the mouse: the turn gate every board click passes first, then the pick
// with the first click and the move with the second; the right button promotes. One handler
// serves both boards.
#pragma once

#include <cstdint>

#include "game/game_shared.h"

namespace nobakuza {

class Game;

// What the turn gate finds before a board click.
enum class TurnGate {
    notStarted,       // no game: refused
    open,             // the click goes to the board
    resumeTwoHumans,  // a game of two stepped back to: the side to move is told, then the click
    resumeHuman,      // a game against the computer stepped back to, the human to move
    computerToMove,   // stepped back to a position with the computer to move: it moves first
};

class HumanInput {
  public:
    HumanInput(Game& game, GameShared& shared) : game_(game), s_(shared) {}

    // A mouse press on the window, in twips.
    void mouseDown(int button, int shift, double x, double y);
    // What the next board click meets; changes nothing.
    TurnGate turnGate() const;
    void clickBoardLeft(int button, int shift, int file, int rank);
    void clickBoardRight(int button, int shift, int file, int rank);

    // What a board's click handler remembers between clicks: the picked cell (a square or a
    // hand cell as drawn), the picked code and the square of the second click.
    struct Pick {
        std::int16_t pickFile = 0;
        std::int16_t pickRank = 0;
        Code pickPiece = emptySquare;
        std::int16_t targetFile = 0;
        std::int16_t targetRank = 0;
    };
    const Pick& pickOf(std::int16_t boardId) const {
        return boardId == rightBoardId ? rightPick_ : leftPick_;
    }

  private:
    // What a human move took, for deciding what follows it.
    struct HumanMove {
        bool boardMove = false;  // from a square, not a drop
        Code capturedHere = emptySquare;
        Code capturedAcross = emptySquare;
        std::int16_t mover = noSide;
    };

    // Acts on the gate's finding; false when the click goes no further.
    bool passGate();
    void clickBoard(BoardState& b, int button, int file, int rank);
    // The first click on a square, and the second: a move, a new pick or a refusal.
    void pickUp(BoardState& b, int file, int rank);
    void putDown(BoardState& b, int button, int file, int rank);
    void playHumanMove(BoardState& b, int button, int file, int rank);
    // The end of the game, the computer's reply or the other player's turn.
    void afterHumanMove(BoardState& b, const HumanMove& move);
    void clickOutsideBoard(BoardState& b, int file, int rank);
    Pick& pickOf(const BoardState& b) { return b.boardId == rightBoardId ? rightPick_ : leftPick_; }
    bool pickStillValid(const BoardState& b) const;
    bool ownsPiece(std::int16_t side, Code code) const;
    // Outlines the squares the board's pick may reach in `colour`, after wiping all outlines.
    void showReachable(const BoardState& b, int colour);

    Game& game_;
    GameShared& s_;
    Pick leftPick_;
    Pick rightPick_;
};

}  // namespace nobakuza
