// Starting a game from the 対局 menu, and the turn gate every board click passes first.
#include <string>

#include "game/game.h"

namespace nobakuza {

void Game::描画_棋譜読込み部分消去() {
    screen.描画_桝_数値(leftBoardId);
    screen.描画_桝_数値(rightBoardId);
    screen.描画_絵(leftBoardX, options.backgroundCode, -1, 10);
    screen.描画_絵(leftBoardX, options.backgroundCode, 0, 10);
    for (int i = 1; i <= boardSize; ++i) {
        screen.描画_絵(leftBoardX, options.backgroundCode, i, 10);
        screen.描画_桝輪郭(leftBoardX, squareFrameColor, i, 9);
    }
}

void Game::prepareBoardsForPlay() {
    screen.描画_将棋盤桝(leftBoardX);
    screen.描画_将棋盤桝(rightBoardX);
    screen.描画_自持盤(state.left);
    screen.描画_自持盤(state.right);
}

void Game::startMoveTimer(bool timerWanted) {
    if (startMoveClock(clock, timeNow(), timerWanted)) setTimer1(true);
}

float Game::timeNow() {
    return static_cast<float>(window.clock.secondsSinceMidnight());
}

bool Game::recordHasRoomForMove() {
    if (record.recordIndex < maxRecordIndex) return true;
    refuse(tr.format("棋譜は {0} 手までしか記録できません", {std::to_string(maxRecordIndex)}),
           "棋譜");
    return false;
}

void Game::recordPosition(float manTimeBefore, float manTimeAfter, float comTimeBefore,
                          float comTimeAfter) {
    // Room was asked for before the move, so the snapshot is always taken.
    手順保存(record, state, manTimeBefore, manTimeAfter, comTimeBefore, comTimeAfter);
    snapshotTurned[static_cast<std::size_t>(record.recordIndex)] = options.turned;
    liveNotes_[static_cast<std::size_t>(record.recordIndex)] = pendingNote_;
    pendingNote_ = MoveNote{};
    lastRefusal.clear();
}

void Game::START_Click() {
    描画_棋譜読込み部分消去();
    // The level is shown only against the computer.
    for (int c = -2; c <= 0; ++c) screen.描画_絵(leftBoardX, options.backgroundCode, c, 0);
    prepareBoardsForPlay();
    startMoveTimer(window.menu.isChecked(MenuItem::KEIKA));
    state.gameMode = modeTwoHumans;
    if (state.moveNumber == 0 || state.sideToMove == noSide) {
        state.manSide = senteSide;
        state.comSide = goteSide;
        state.sideToMove = senteSide;
        say("先手の番です", " ");
    } else if (state.sideToMove == senteSide) {
        say("先手の番です", " ");
    } else if (state.sideToMove == goteSide) {
        say("後手の番です", " ");
    }
    state.resumePending = flagNo;
}

void Game::startAgainstComputer() {
    描画_棋譜読込み部分消去();
    screen.描画_レベル(state.comLevel);
    prepareBoardsForPlay();
    state.left.selectionState = 0;
    state.right.selectionState = 0;
    state.gameMode = modeVsComputer;
    state.kifuMode = flagNo;
    record.lastRecordIndex = state.moveNumber;
}

void Game::takeSides(std::int16_t manSide) {
    state.manSide = manSide;
    state.comSide = static_cast<std::int16_t>(-manSide);
    state.sideToMove = senteSide;
}

void Game::humanResumes() {
    say("MANの番です", "対局");
    state.resumePending = flagNo;
}

void Game::SENTE_Click() {
    startAgainstComputer();
    startMoveTimer(true);
    if (state.moveNumber == 0 || state.sideToMove == noSide) {
        takeSides(senteSide);
        say("MANの番です", " ");
        state.resumePending = flagNo;
    } else if (state.sideToMove == state.manSide) {
        // The human keeps the move and is called the first player from now on.
        takeSides(senteSide);
        humanResumes();
    } else if (state.sideToMove == state.comSide) {
        com_ban();
    }
}

void Game::GOTE_Click() {
    startAgainstComputer();
    setTimer1(true);
    if (state.moveNumber == 0 || state.sideToMove == noSide) {
        takeSides(goteSide);
        com_ban();
    } else if (state.sideToMove == state.manSide) {
        humanResumes();
    } else if (state.sideToMove == state.comSide) {
        com_ban();
    }
}

bool Game::turnGate() {
    if (state.sideToMove == noSide) {
        refuse(tr("「対局」で始めて下さい"), "開始");
        return false;
    }
    const bool keika = window.menu.isChecked(MenuItem::KEIKA);
    if (state.gameMode == modeTwoHumans) {
        if (state.resumePending == flagYes) {
            state.resumePending = flagNo;
            startMoveTimer(keika);
            say(state.sideToMove == senteSide ? "先手の番です" : "後手の番です", "対局");
        }
    } else if (state.sideToMove == state.comSide) {
        // A position reached by stepping through the record, with the computer to move.
        state.resumePending = flagNo;
        say("OKですか？", "再開(COM)");
        com_ban();
        // A game the computer's move ended takes no click.
        if (ended_ || state.sideToMove == noSide) return false;
    } else if (state.sideToMove == state.manSide && state.resumePending == flagYes) {
        state.resumePending = flagNo;
        startMoveTimer(keika);
        say("MANの番です", "対局");
    }
    return true;
}

}  // namespace nobakuza
