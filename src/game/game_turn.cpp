// Starting a game from the 対局 menu.
#include <string>

#include "game/game.h"

namespace nobakuza {

void Game::描画_棋譜読込み部分消去() {
    s_.screen.描画_桝_数値(leftBoardId);
    s_.screen.描画_桝_数値(rightBoardId);
    s_.screen.描画_絵(leftBoardX, s_.options.backgroundCode, -1, 10);
    s_.screen.描画_絵(leftBoardX, s_.options.backgroundCode, 0, 10);
    for (int i = 1; i <= boardSize; ++i) {
        s_.screen.描画_絵(leftBoardX, s_.options.backgroundCode, i, 10);
        s_.screen.repairFrame(leftBoardX, i, 9);
    }
}

void Game::prepareBoardsForPlay() {
    // Play goes on from a position of the record: the game is no longer finished.
    s_.gameEnd = {};
    s_.screen.描画_将棋盤桝(leftBoardX);
    s_.screen.描画_将棋盤桝(rightBoardX);
    s_.screen.描画_自持盤(s_.state.left);
    s_.screen.描画_自持盤(s_.state.right);
}

void Game::START_Click() {
    描画_棋譜読込み部分消去();
    // The level is shown only against the computer.
    for (int c = -2; c <= 0; ++c) s_.screen.描画_絵(leftBoardX, s_.options.backgroundCode, c, 0);
    prepareBoardsForPlay();
    s_.startMoveTimer(s_.clocksShown());
    s_.state.gameMode = modeTwoHumans;
    if (s_.state.moveNumber == 0 || s_.state.sideToMove == noSide) {
        s_.state.manSide = senteSide;
        s_.state.comSide = goteSide;
        s_.state.sideToMove = senteSide;
        s_.say("先手の番です", " ");
    } else if (s_.state.sideToMove == senteSide) {
        s_.say("先手の番です", " ");
    } else if (s_.state.sideToMove == goteSide) {
        s_.say("後手の番です", " ");
    }
    s_.state.resumePending = flagNo;
}

void Game::startAgainstComputer() {
    描画_棋譜読込み部分消去();
    s_.screen.描画_レベル(s_.state.comLevel);
    prepareBoardsForPlay();
    s_.dropSelections();
    s_.state.gameMode = modeVsComputer;
    s_.state.kifuMode = flagNo;
    s_.record.lastRecordIndex = s_.state.moveNumber;
}

void Game::takeSides(std::int16_t manSide) {
    s_.state.manSide = manSide;
    s_.state.comSide = static_cast<std::int16_t>(-manSide);
    s_.state.sideToMove = senteSide;
}

void Game::humanResumes() {
    s_.say("MANの番です", "対局");
    s_.state.resumePending = flagNo;
}

void Game::SENTE_Click() {
    const bool midGame = gameUnderWay();
    startAgainstComputer();
    s_.startMoveTimer(true);
    if (s_.state.moveNumber == 0 || s_.state.sideToMove == noSide) {
        takeSides(senteSide);
        s_.say("MANの番です", " ");
        s_.state.resumePending = flagNo;
    } else if (s_.state.sideToMove == s_.state.manSide) {
        // The human keeps the move and is called the first player from now on.
        takeSides(senteSide);
        humanResumes();
    } else if (s_.state.sideToMove == s_.state.comSide) {
        computer_.com_ban();
    }
    if (midGame) tellGoingOn();
}

void Game::GOTE_Click() {
    const bool midGame = gameUnderWay();
    startAgainstComputer();
    s_.setTimer1(true);
    if (s_.state.moveNumber == 0 || s_.state.sideToMove == noSide) {
        takeSides(goteSide);
        computer_.com_ban();
    } else if (s_.state.sideToMove == s_.state.manSide) {
        humanResumes();
    } else if (s_.state.sideToMove == s_.state.comSide) {
        computer_.com_ban();
    }
    if (midGame) tellGoingOn();
}

bool Game::gameUnderWay() const {
    return s_.state.moveNumber != 0 && s_.state.sideToMove != noSide;
}

void Game::tellGoingOn() {
    // 先手 and 後手 go on from the position shown rather than start again; a player who wanted
    // a new game reads here why the pieces stayed (the help page says how: 局面 → 最初). Said
    // after the computer's reply, which clears the status line's note.
    if (s_.ended || s_.state.sideToMove == noSide) return;
    s_.lastRefusal = s_.tr("この局面から続けます");
}

}  // namespace nobakuza
