// The human's move with the mouse: pick up with the first click, put down with the second; the
// right button promotes. One handler serves both boards.
#include "board/geometry.h"
#include "board/move_legality.h"
#include "game/game.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"

namespace nobakuza {

bool Game::ownsPiece(std::int16_t side, Code code) const {
    return (side == state.manSide && isManPiece(code)) ||
           (side == state.comSide && isComPiece(code));
}

Game::Pick& Game::pickOf(const BoardState& b) {
    return b.boardId == rightBoardId ? rightPick : leftPick;
}

void Game::clickBoardLeft(int button, [[maybe_unused]] int shift, int file, int rank) {
    clickBoard(state.left, button, file, rank);
}

void Game::clickBoardRight(int button, [[maybe_unused]] int shift, int file, int rank) {
    clickBoard(state.right, button, file, rank);
}

void Game::showReachable(const BoardState& b, int colour) {
    const Pick& p = pickOf(b);
    screen.描画_移動可能桝色(b.boardId, colour, [&](int i, int j) {
        return 移動チェック(b, p.pickFile, p.pickRank, i, j, p.pickPiece);
    });
}

bool Game::pickStillValid(const BoardState& b) const {
    const Pick& p = b.boardId == rightBoardId ? rightPick : leftPick;
    // A pick made before the other player's move belongs to the wrong side now.
    if (!ownsPiece(state.sideToMove, p.pickPiece)) return false;
    if (onBoard(p.pickFile, p.pickRank)) return b.board[p.pickFile][p.pickRank] == p.pickPiece;
    if (p.pickFile == manHandColumn) {
        const int kind = p.pickRank - 2;
        return kind >= 1 && kind <= handKinds && b.manHand[kind] > 0;
    }
    if (p.pickFile == comHandColumn) {
        const int kind = 8 - p.pickRank;
        return kind >= 1 && kind <= handKinds && b.comHand[kind] > 0;
    }
    return false;
}

void Game::clickBoard(BoardState& b, int button, int file, int rank) {
    if (!onBoard(file, rank)) {
        clickOutsideBoard(b, file, rank);
        return;
    }
    if (b.selectionState == 1 && !pickStillValid(b)) {
        // The picked piece was taken or moved meanwhile (the pick waited through a move on the
        // other board): forget it and take this click as a first click.
        const Pick& p = pickOf(b);
        showReachable(b, options.gridColor);
        screen.描画_桝輪郭(b.gridOriginX, options.gridColor, p.pickFile, p.pickRank);
        b.selectionState = 0;
    }
    if (b.selectionState == 0) {
        pickUp(b, file, rank);
        return;
    }
    putDown(b, button, file, rank);
}

void Game::pickUp(BoardState& b, int file, int rank) {
    Pick& p = pickOf(b);
    const Code code = b.board[file][rank];
    if (code == emptySquare) return;
    p.pickFile = static_cast<std::int16_t>(file);
    p.pickRank = static_cast<std::int16_t>(rank);
    p.pickPiece = code;
    showReachable(b, options.guideColor);
    // Any piece may be picked to see where it goes; only the mover's own stays picked.
    if (ownsPiece(state.sideToMove, code)) {
        b.selectionState = 1;
        screen.描画_桝輪郭(b.gridOriginX, colorLightRed, file, rank);
    } else {
        screen.描画_桝輪郭(b.gridOriginX, options.guideColor, file, rank);
    }
}

void Game::putDown(BoardState& b, int button, int file, int rank) {
    Pick& p = pickOf(b);
    const int origin = b.gridOriginX;
    p.targetFile = static_cast<std::int16_t>(file);
    p.targetRank = static_cast<std::int16_t>(rank);
    const Code target = b.board[file][rank];
    if (ownsPiece(state.sideToMove, target)) {
        // Another piece of one's own: it becomes the pick.
        screen.描画_桝輪郭(origin, options.gridColor, p.pickFile, p.pickRank);
        p.pickFile = static_cast<std::int16_t>(file);
        p.pickRank = static_cast<std::int16_t>(rank);
        p.pickPiece = target;
        showReachable(b, options.guideColor);
        screen.描画_桝輪郭(origin, colorLightRed, file, rank);
        return;
    }
    if (移動チェック(b, p.pickFile, p.pickRank, file, rank, p.pickPiece) == flagNo) {
        playSound(soundForbidden);
        b.selectionState = 0;
        screen.描画_将棋盤桝(origin);
        // No box for an illegal move; the status line says why nothing happened.
        lastRefusal = tr("そこへは動かせません");
        return;
    }
    // A piece that could never move again unpromoted has to be placed with the right button.
    if (onBoard(p.pickFile, p.pickRank) && button != rightButton &&
        移動後チェック(rank, p.pickPiece) == flagNo) {
        refuse(tr("マウスの右をクリックして下さい"), "成り");
        return;
    }
    if (!recordHasRoomForMove()) return;
    playHumanMove(b, button, file, rank);
}

void Game::playHumanMove(BoardState& b, int button, int file, int rank) {
    Pick& p = pickOf(b);
    const int origin = b.gridOriginX;
    state.moveNumber = static_cast<std::int16_t>(state.moveNumber + 1);
    screen.描画_手数(state.moveNumber);
    const Code unpromoted = p.pickPiece;
    if (button == rightButton &&
        調査_駒成(b, p.pickFile, p.pickRank, file, rank, p.pickPiece) == flagYes)
        p.pickPiece = b.promotedPiece;

    b.selectionState = 0;
    screen.描画_桝輪郭(origin, options.gridColor, p.pickFile, p.pickRank);
    screen.描画_桝輪郭(origin, options.gridColor, file, rank);
    showReachable(b, options.gridColor);

    if (p.pickFile == comHandColumn) p.pickRank = static_cast<std::int16_t>(8 - p.pickRank);

    BoardState& other = state.other(b);
    HumanMove move;
    move.boardMove = onBoard(p.pickFile, p.pickRank);
    move.capturedHere = b.board[file][rank];
    move.capturedAcross = other.board[file][rank];
    move.mover = state.sideToMove;

    駒移動(state, b, p.pickFile, p.pickRank, file, rank, p.pickPiece, this);
    playSound(soundPiecePlaced);
    pendingNote_ = {b.boardId,
                    isComPiece(p.pickPiece),
                    static_cast<std::int16_t>(move.boardMove ? p.pickFile : 0),
                    static_cast<std::int16_t>(move.boardMove ? p.pickRank : 0),
                    static_cast<std::int16_t>(file),
                    static_cast<std::int16_t>(rank),
                    unpromoted,
                    p.pickPiece};

    // The move's time is added to the mover's total in the record.
    measureMoveClock(clock, timeNow());
    const bool topPieceMoved = isComPiece(p.pickPiece);
    const float moveSeconds = clock.moveSeconds;
    recordPosition(clock.manTotalSeconds, clock.manTotalSeconds + (topPieceMoved ? 0 : moveSeconds),
                   clock.comTotalSeconds,
                   clock.comTotalSeconds + (topPieceMoved ? moveSeconds : 0));

    // The piece taken on the other board blinks there, then its empty square.
    const bool tookAcross = move.boardMove && (topPieceMoved ? isManPiece(move.capturedAcross)
                                                             : isComPiece(move.capturedAcross));
    if (tookAcross) {
        screen.描画_駒点滅(other.boardId, move.capturedAcross, file, rank, 3);
        screen.描画_駒点滅(other.boardId, emptySquare, file, rank, 3);
    }
    screen.描画_移動結果(moveNote(record.recordIndex),
                         topPieceMoved ? state.comSide : state.manSide, options.moveTextColor);
    showGameInfo();
    afterHumanMove(b, move);
}

void Game::afterHumanMove(BoardState& b, const HumanMove& move) {
    if (state.gameMode == modeVsComputer) {
        setTimer1(false);
        finishMoveClock(clock, false, timeNow());
        勢力調査(b);
        const bool mated = 詰めかCOM(b) == flagYes;
        const bool kingTaken =
            move.capturedHere == comKing || (move.boardMove && move.capturedAcross == comKing);
        if (mated || kingTaken) {
            終了("あなた");
            return;
        }
        if (state.winner == noSide) {
            state.sideToMove = state.comSide;
            com_ban();
        }
        return;
    }

    // Two players share the mouse; the winner is named by the side that took a king.
    if (state.winner != noSide) {
        終了(state.winner == senteSide ? "先手" : "後手");
        return;
    }
    if (move.mover == senteSide) {
        state.sideToMove = goteSide;
        finishMoveClock(clock, false, timeNow());
    } else if (move.mover == goteSide) {
        state.sideToMove = senteSide;
        finishMoveClock(clock, true, timeNow());
    }
}

void Game::clickOutsideBoard(BoardState& b, int file, int rank) {
    Pick& p = pickOf(b);
    const int origin = b.gridOriginX;
    if (isManPiece(p.pickPiece) || isComPiece(p.pickPiece)) {
        showReachable(b, options.gridColor);
        screen.描画_桝輪郭(origin, options.gridColor, p.pickFile, p.pickRank);
    }
    const bool manHandCell = file == manHandColumn && rank >= 3 && rank <= handKinds + 2;
    const bool comHandCell = file == comHandColumn && rank >= 1 && rank <= handKinds;
    if (!manHandCell && !comHandCell) return;

    const int kind = manHandCell ? rank - 2 : 8 - rank;
    if ((manHandCell ? b.manHand[kind] : b.comHand[kind]) == 0) return;
    調査_2歩フラグ設定(b);
    p.pickFile = static_cast<std::int16_t>(file);
    p.pickRank = static_cast<std::int16_t>(rank);
    p.pickPiece = manHandCell ? static_cast<Code>(-kindCode[kind]) : kindCode[kind];
    // Only the side to move picks up from its own hand; the other hand is only shown.
    const std::int16_t owner = manHandCell ? state.manSide : state.comSide;
    if (state.sideToMove == owner) {
        b.selectionState = 1;
        screen.描画_桝輪郭(origin, colorLightRed, file, rank);
    } else {
        b.selectionState = 0;
        screen.描画_桝輪郭(origin, options.guideColor, file, rank);
    }
    showReachable(b, options.guideColor);
}

}  // namespace nobakuza
