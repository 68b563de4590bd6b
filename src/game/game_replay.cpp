// Stepping through the record (戻, 進) and turning both boards around (反転).
#include "game/game.h"
#include "records/replay.h"

namespace nobakuza {

void Game::showSnapshot(int n) {
    restoreSnapshot(record, n, state);
    // The position is the one stored, in the orientation it was stored in; the labels follow.
    if (options.turned != snapshotTurned[static_cast<std::size_t>(n)]) {
        options.turned = snapshotTurned[static_cast<std::size_t>(n)];
        screen.描画_桝_数値(leftBoardId);
        screen.描画_桝_数値(rightBoardId);
    }
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
        refuse(tr("「対局」で始めて下さい"), "開始");
        return;
    }
    if (record.recordIndex >= record.lastRecordIndex) {
        refuse(tr(state.kifuMode == flagYes ? "終わり" : "できません"), "進む");
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
    // The square and piece are the ones the record shows; English also names the origin.
    MoveNote note = moveNote(record.recordIndex);
    if (note.boardId != boardId || note.toFile != file || note.toRank != rank) {
        note = MoveNote{};
        note.boardId = boardId;
        note.toFile = file;
        note.toRank = rank;
        note.moved = note.placed = piece;
    }
    if (isComPiece(piece)) {
        screen.描画_移動結果(note, state.comSide, options.moveTextColor);
    } else if (isManPiece(piece)) {
        screen.描画_移動結果(note, state.manSide, options.moveTextColor);
    }

    state.sideToMove = static_cast<std::int16_t>(-state.sideToMove);
    screen.描画_手数(state.moveNumber);
}

void Game::REPLAY_Click() {
    closeFilePanel();
    if (record.recordIndex < 1) {
        refuse(tr("できません"), "戻る");
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
        refuse(tr("棋譜ﾓｰﾄﾞではできません"), "反転");
        return;
    }
    state.boardsReversed = flagYes;
    options.turned = !options.turned;
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

void Game::moveListClicked(int n) {
    if (ended_) return;
    // Only a record being stepped through jumps; a game in play keeps its position.
    if (state.kifuMode == flagYes && n >= 0 && n <= record.lastRecordIndex &&
        n != record.recordIndex) {
        closeFilePanel();
        // As many steps of 進 or 戻 would: the side to move swaps once per step.
        if ((n - record.recordIndex) % 2 != 0)
            state.sideToMove = static_cast<std::int16_t>(-state.sideToMove);
        state.left.selectionState = 0;
        state.right.selectionState = 0;
        setTimer1(false);
        state.resumePending = flagYes;
        for (const int origin : {leftBoardX, rightBoardX}) {
            for (int c = 4; c <= 7; ++c) {
                screen.描画_絵(origin, options.backgroundCode, c, 11);
                screen.描画_絵(origin, options.backgroundCode, c, -1);
            }
        }
        screen.消去_移動結果(state.comSide);
        screen.消去_移動結果(state.manSide);
        record.recordIndex = static_cast<std::int16_t>(n);
        state.moveNumber = static_cast<std::int16_t>(n);
        showSnapshot(n);
        const MoveNote note = moveNote(n);
        if (note.boardId != 0)
            screen.描画_移動結果(note, note.topPiece ? state.comSide : state.manSide,
                                 options.moveTextColor);
        screen.描画_手数(state.moveNumber);
    }
    afterEvent();
}

}  // namespace nobakuza
