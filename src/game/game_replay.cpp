// Stepping through the record (戻, 進) and turning both boards around (反転).
#include "game/game.h"
#include "records/replay.h"

namespace nobakuza {

void Game::showSnapshot(int n) {
    restoreSnapshot(record, n, state);
    // The move routines keep the king squares and pawn files; a restored position replaces
    // the boards behind their back.
    refreshKingsAndPawnFiles(state.left);
    refreshKingsAndPawnFiles(state.right);
    drawBoardsAndHands();
    playSound(soundPiecePlaced);
    描画_所有時間(state.comSide, record.comTimeAfter[n]);
    描画_所有時間(state.manSide, record.manTimeAfter[n]);
}

void Game::AFTER_Click() {
    closeFilePanel();
    if (state.sideToMove == noSide) {
        playSound(soundForbidden);
        window.dialogs.messageBox("「対局」で始めて下さい", "開始", MessageButtons::ok, false);
        return;
    }
    if (record.recordIndex >= record.lastRecordIndex) {
        playSound(soundForbidden);
        window.dialogs.messageBox(state.kifuMode == flagYes ? "終わり" : "できません", "進む",
                                  MessageButtons::ok, false);
        return;
    }
    state.left.selectionState = 0;
    state.right.selectionState = 0;
    setTimer1(false);
    state.resumePending = flagYes;

    ++record.recordIndex;
    ++state.moveNumber;
    screen.描画_手数(state.moveNumber);
    showSnapshot(record.recordIndex);

    std::int16_t boardId = 0, file = 0, rank = 0;
    Code piece = emptySquare;
    調査_移動結果(record, record.recordIndex, boardId, piece, file, rank);
    if (isComPiece(piece)) {
        screen.描画_移動結果(boardId, state.comSide, file, rank, piece, options.moveTextColor);
    } else if (isManPiece(piece)) {
        screen.描画_移動結果(boardId, state.manSide, file, rank, piece, options.moveTextColor);
    }

    state.sideToMove = static_cast<std::int16_t>(-state.sideToMove);
    screen.描画_手数(state.moveNumber);
}

void Game::REPLAY_Click() {
    closeFilePanel();
    if (record.recordIndex < 1) {
        playSound(soundForbidden);
        window.dialogs.messageBox("できません", "戻る", MessageButtons::ok, false);
        return;
    }
    for (const int origin : {leftBoardX, rightBoardX}) {
        for (int c = 4; c <= 7; ++c) {
            screen.描画_絵(origin, options.backgroundCode, c, 11);
            screen.描画_絵(origin, options.backgroundCode, c, -1);
        }
    }
    state.left.selectionState = 0;
    state.right.selectionState = 0;
    setTimer1(false);
    state.resumePending = flagYes;

    --record.recordIndex;
    --state.moveNumber;
    showSnapshot(record.recordIndex);
    screen.消去_移動結果(state.comSide);
    screen.消去_移動結果(state.manSide);

    state.sideToMove = static_cast<std::int16_t>(-state.sideToMove);
    screen.描画_手数(state.moveNumber);
}

void Game::REVERSE_Click() {
    if (state.kifuMode == flagYes) {
        playSound(soundForbidden);
        window.dialogs.messageBox("棋譜ﾓｰﾄﾞではできません", "反転", MessageButtons::ok, false);
        return;
    }
    state.boardsReversed = flagYes;
    state.left.selectionState = 0;
    state.right.selectionState = 0;
    reverseBoards(state);
    画面_再描画();
    screen.描画_手数(state.moveNumber);
    if (state.handicapSet == flagYes) {
        state.handicapLevel = static_cast<std::int16_t>(-state.handicapLevel);
        screen.描画_ハンデレベル(state.handicapLevel);
    }
    playSound(soundPiecePlaced);
    state.sideToMove = static_cast<std::int16_t>(-state.sideToMove);
}

}  // namespace nobakuza
