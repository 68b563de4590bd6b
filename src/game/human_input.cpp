// The human's input with the mouse: the turn gate, the pick and the move.
#include "game/human_input.h"

#include "board/geometry.h"
#include "board/move_legality.h"
#include "game/game.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"
#include "ui/layout.h"

namespace nobakuza {

void HumanInput::mouseDown(int button, int shift, double x, double y) {
    game_.records().closeFilePanel();
    if (s_.state.kifuMode == flagYes) {
        if (s_.say("棋譜を '進 'で進めて下さい", "棋譜", MessageButtons::yesNo) ==
            MessageAnswer::no) {
            s_.playSound(s_.sounds.forbidden);
            game_.初期設定();
        }
        return;
    }
    // The cell as the game names it, however the view shows the boards.
    const BoardCell cell = s_.screen.boardCellAt(x, y);
    if (!passGate()) return;
    if (cell.boardId == leftBoardId) clickBoardLeft(button, shift, cell.c, cell.r);
    if (cell.boardId == rightBoardId) clickBoardRight(button, shift, cell.c, cell.r);
}

TurnGate HumanInput::turnGate() const {
    const GameState& g = s_.state;
    if (g.sideToMove == noSide) return TurnGate::notStarted;
    if (g.gameMode == modeTwoHumans)
        return g.resumePending == flagYes ? TurnGate::resumeTwoHumans : TurnGate::open;
    if (g.sideToMove == g.comSide) return TurnGate::computerToMove;
    if (g.sideToMove == g.manSide && g.resumePending == flagYes) return TurnGate::resumeHuman;
    return TurnGate::open;
}

bool HumanInput::passGate() {
    GameState& g = s_.state;
    switch (turnGate()) {
        case TurnGate::notStarted:
            game_.refuse(s_.tr("「対局」で始めて下さい"), "開始");
            return false;
        case TurnGate::open:
            return true;
        case TurnGate::resumeTwoHumans:
            g.resumePending = flagNo;
            s_.startMoveTimer(s_.clocksShown());
            s_.say(g.sideToMove == senteSide ? "先手の番です" : "後手の番です", "対局");
            return true;
        case TurnGate::resumeHuman:
            g.resumePending = flagNo;
            s_.startMoveTimer(s_.clocksShown());
            s_.say("MANの番です", "対局");
            return true;
        case TurnGate::computerToMove:
            // A position reached by stepping through the record, with the computer to move.
            g.resumePending = flagNo;
            s_.say("OKですか？", "再開(COM)");
            game_.computerTurn().com_ban();
            // A game the computer's move ended takes no click.
            return !s_.ended && g.sideToMove != noSide;
    }
    return false;
}

bool HumanInput::ownsPiece(std::int16_t side, Code code) const {
    return (side == s_.state.manSide && isManPiece(code)) ||
           (side == s_.state.comSide && isComPiece(code));
}

void HumanInput::clickBoardLeft(int button, [[maybe_unused]] int shift, int file, int rank) {
    clickBoard(s_.state.left, button, file, rank);
}

void HumanInput::clickBoardRight(int button, [[maybe_unused]] int shift, int file, int rank) {
    clickBoard(s_.state.right, button, file, rank);
}

void HumanInput::showReachable(const BoardState& b, int colour) {
    const Pick& p = pickOf(b);
    s_.screen.描画_移動可能桝色(b.boardId, colour, [&](int i, int j) {
        return 移動チェック(b, p.pickFile, p.pickRank, i, j, p.pickPiece);
    });
}

bool HumanInput::pickStillValid(const BoardState& b) const {
    const Pick& p = pickOf(b.boardId);
    // A pick made before the other player's move belongs to the wrong side now.
    if (!ownsPiece(s_.state.sideToMove, p.pickPiece)) return false;
    if (onBoard(p.pickFile, p.pickRank)) return b.board[p.pickFile][p.pickRank] == p.pickPiece;
    if (p.pickFile == manHandColumn) {
        const int kind = kindOfManHandRow(p.pickRank);
        return kind >= 1 && kind <= handKinds && b.manHand[kind] > 0;
    }
    if (p.pickFile == comHandColumn) {
        const int kind = kindOfComHandRow(p.pickRank);
        return kind >= 1 && kind <= handKinds && b.comHand[kind] > 0;
    }
    return false;
}

void HumanInput::clickBoard(BoardState& b, int button, int file, int rank) {
    if (!onBoard(file, rank)) {
        clickOutsideBoard(b, file, rank);
        return;
    }
    if (b.selectionState == 1 && !pickStillValid(b)) {
        // The picked piece was taken or moved meanwhile (the pick waited through a move on the
        // other board): forget it and take this click as a first click.
        const Pick& p = pickOf(b);
        showReachable(b, s_.options.gridColor);
        s_.screen.描画_桝輪郭(b.gridOriginX, s_.options.gridColor, p.pickFile, p.pickRank);
        b.selectionState = 0;
    }
    if (b.selectionState == 0) {
        pickUp(b, file, rank);
        return;
    }
    putDown(b, button, file, rank);
}

void HumanInput::pickUp(BoardState& b, int file, int rank) {
    Pick& p = pickOf(b);
    const Code code = b.board[file][rank];
    if (code == emptySquare) return;
    p.pickFile = static_cast<std::int16_t>(file);
    p.pickRank = static_cast<std::int16_t>(rank);
    p.pickPiece = code;
    showReachable(b, s_.options.guideColor);
    // Any piece may be picked to see where it goes; only the mover's own stays picked.
    if (ownsPiece(s_.state.sideToMove, code)) {
        b.selectionState = 1;
        s_.screen.描画_桝輪郭(b.gridOriginX, colorLightRed, file, rank);
    } else {
        s_.screen.描画_桝輪郭(b.gridOriginX, s_.options.guideColor, file, rank);
    }
}

void HumanInput::putDown(BoardState& b, int button, int file, int rank) {
    Pick& p = pickOf(b);
    const int origin = b.gridOriginX;
    p.targetFile = static_cast<std::int16_t>(file);
    p.targetRank = static_cast<std::int16_t>(rank);
    const Code target = b.board[file][rank];
    if (ownsPiece(s_.state.sideToMove, target)) {
        // Another piece of one's own: it becomes the pick.
        s_.screen.描画_桝輪郭(origin, s_.options.gridColor, p.pickFile, p.pickRank);
        p.pickFile = static_cast<std::int16_t>(file);
        p.pickRank = static_cast<std::int16_t>(rank);
        p.pickPiece = target;
        showReachable(b, s_.options.guideColor);
        s_.screen.描画_桝輪郭(origin, colorLightRed, file, rank);
        return;
    }
    if (移動チェック(b, p.pickFile, p.pickRank, file, rank, p.pickPiece) == flagNo) {
        s_.playSound(s_.sounds.forbidden);
        b.selectionState = 0;
        s_.screen.描画_将棋盤桝(origin);
        // No box for an illegal move; the status line says why nothing happened.
        s_.lastRefusal = s_.tr("そこへは動かせません");
        return;
    }
    // A piece that could never move again unpromoted has to be placed with the right button.
    if (onBoard(p.pickFile, p.pickRank) && button != rightButton &&
        移動後チェック(rank, p.pickPiece) == flagNo) {
        game_.refuse(s_.tr("マウスの右をクリックして下さい"), "成り");
        return;
    }
    if (!game_.records().hasRoomForMove()) return;
    playHumanMove(b, button, file, rank);
}

void HumanInput::playHumanMove(BoardState& b, int button, int file, int rank) {
    Pick& p = pickOf(b);
    const int origin = b.gridOriginX;
    const Code unpromoted = p.pickPiece;
    s_.unpromotedMove = false;
    if (調査_駒成(b, p.pickFile, p.pickRank, file, rank, p.pickPiece) == flagYes) {
        // The left button does not promote; the player who asked to be asked is asked, and
        // anyone else is told how to promote.
        bool promote = button == rightButton;
        if (!promote && asksPromotion(s_.settings))
            promote = s_.window.dialogs.ask(s_.tr("成りますか？"), s_.tr("成り"), s_.tr("成る"),
                                            s_.tr("成らない")) == MessageAnswer::yes;
        else if (!promote)
            s_.unpromotedMove = true;
        if (promote) p.pickPiece = b.promotedPiece;
    }
    s_.state.moveNumber = static_cast<std::int16_t>(s_.state.moveNumber + 1);
    s_.screen.描画_手数(s_.state.moveNumber);

    b.selectionState = 0;
    s_.screen.描画_桝輪郭(origin, s_.options.gridColor, p.pickFile, p.pickRank);
    s_.screen.描画_桝輪郭(origin, s_.options.gridColor, file, rank);
    showReachable(b, s_.options.gridColor);

    // The computer's drop names its hand row by the kind index.
    if (p.pickFile == comHandColumn)
        p.pickRank = static_cast<std::int16_t>(kindOfComHandRow(p.pickRank));

    BoardState& other = s_.state.other(b);
    HumanMove move;
    move.boardMove = onBoard(p.pickFile, p.pickRank);
    move.capturedHere = b.board[file][rank];
    move.capturedAcross = other.board[file][rank];
    move.mover = s_.state.sideToMove;

    駒移動(s_.state, b, p.pickFile, p.pickRank, file, rank, p.pickPiece, &s_.painter);
    s_.playSound(s_.sounds.piecePlaced);
    const Move made{b.boardId,
                    p.pickFile,
                    p.pickRank,
                    static_cast<std::int16_t>(file),
                    static_cast<std::int16_t>(rank),
                    p.pickPiece,
                    move.boardMove ? unpromoted : emptySquare};

    // The move's time is added to the mover's total in the record.
    measureMoveClock(s_.clock, s_.timeNow());
    const bool topPieceMoved = isComPiece(p.pickPiece);
    const float moveSeconds = s_.clock.moveSeconds;
    game_.records().recordMove(noteOf(made), s_.clock.manTotalSeconds,
                               s_.clock.manTotalSeconds + (topPieceMoved ? 0 : moveSeconds),
                               s_.clock.comTotalSeconds,
                               s_.clock.comTotalSeconds + (topPieceMoved ? moveSeconds : 0));

    // The piece taken on the other board blinks there, then its empty square.
    const bool tookAcross = move.boardMove && (topPieceMoved ? isManPiece(move.capturedAcross)
                                                             : isComPiece(move.capturedAcross));
    if (tookAcross) {
        s_.screen.描画_駒点滅(other.boardId, move.capturedAcross, file, rank, 3);
        s_.screen.描画_駒点滅(other.boardId, emptySquare, file, rank, 3);
    }
    s_.screen.描画_移動結果(game_.texts().moveNote(s_.record.recordIndex),
                            topPieceMoved ? s_.state.comSide : s_.state.manSide,
                            s_.options.moveTextColor);
    game_.showGameInfo();
    afterHumanMove(b, move);
}

void HumanInput::afterHumanMove(BoardState& b, const HumanMove& move) {
    if (s_.state.gameMode == modeVsComputer) {
        s_.setTimer1(false);
        finishMoveClock(s_.clock, false, s_.timeNow());
        勢力調査(b);
        const bool mated = 詰めかCOM(b) == flagYes;
        const bool kingTaken =
            move.capturedHere == comKing || (move.boardMove && move.capturedAcross == comKing);
        if (mated || kingTaken) {
            game_.終了(s_.state.manSide,
                       kingTaken ? GameEndReason::kingTaken : GameEndReason::mate);
            return;
        }
        if (s_.state.winner == noSide) {
            s_.state.sideToMove = s_.state.comSide;
            game_.computerTurn().com_ban();
        }
        return;
    }

    // Two players share the mouse; the winner is named by the side that took a king.
    if (s_.state.winner != noSide) {
        game_.終了(s_.state.winner, GameEndReason::kingTaken);
        return;
    }
    if (move.mover == senteSide) {
        s_.state.sideToMove = goteSide;
        finishMoveClock(s_.clock, false, s_.timeNow());
    } else if (move.mover == goteSide) {
        s_.state.sideToMove = senteSide;
        finishMoveClock(s_.clock, true, s_.timeNow());
    }
}

void HumanInput::clickOutsideBoard(BoardState& b, int file, int rank) {
    Pick& p = pickOf(b);
    const int origin = b.gridOriginX;
    if (isManPiece(p.pickPiece) || isComPiece(p.pickPiece)) {
        showReachable(b, s_.options.gridColor);
        s_.screen.描画_桝輪郭(origin, s_.options.gridColor, p.pickFile, p.pickRank);
    }
    const bool manHandCell =
        file == manHandColumn && rank >= manHandRow(1) && rank <= manHandRow(handKinds);
    const bool comHandCell = file == comHandColumn && rank >= 1 && rank <= handKinds;
    if (!manHandCell && !comHandCell) return;

    const int kind = manHandCell ? kindOfManHandRow(rank) : kindOfComHandRow(rank);
    if ((manHandCell ? b.manHand[kind] : b.comHand[kind]) == 0) return;
    調査_2歩フラグ設定(b);
    p.pickFile = static_cast<std::int16_t>(file);
    p.pickRank = static_cast<std::int16_t>(rank);
    p.pickPiece = manHandCell ? static_cast<Code>(-kindCode[kind]) : kindCode[kind];
    // Only the side to move picks up from its own hand; the other hand is only shown.
    const std::int16_t owner = manHandCell ? s_.state.manSide : s_.state.comSide;
    if (s_.state.sideToMove == owner) {
        b.selectionState = 1;
        s_.screen.描画_桝輪郭(origin, colorLightRed, file, rank);
    } else {
        b.selectionState = 0;
        s_.screen.描画_桝輪郭(origin, s_.options.guideColor, file, rank);
    }
    showReachable(b, s_.options.guideColor);
}

}  // namespace nobakuza
