#include "board/move_execution.h"

#include "board/geometry.h"

namespace nobakuza {

namespace {

void bump(std::int16_t& v, int by) {
    v = static_cast<std::int16_t>(v + by);
}

// Repaint of one square, always followed by its outline.
void paintSquare(MovePainter* painter, int originX, Code code, int file, int rank) {
    if (painter == nullptr) return;
    painter->描画_絵(originX, code, file, rank);
    painter->描画_桝輪郭(originX, squareFrameColor, file, rank);
}

// The piece standing where a move lands on board `b`, if any, goes into the capturer's hand
// there; the hand total counts it first, also a king.
void takeInto(GameState& g, BoardState& b, Code captured, MovePainter* painter) {
    if (isManPiece(captured)) {
        bump(b.comHandTotal, 1);
        駒取得(g, b, captured);
        if (painter) painter->描画_敵持盤(b);
    } else if (isComPiece(captured)) {
        bump(b.manHandTotal, 1);
        駒取得(g, b, captured);
        if (painter) painter->描画_自持盤(b);
    }
}

// Empties the from-square of a board move, or takes the dropped piece from its hand. A hand kind
// outside 1..7 would index past the hand, so such a drop takes nothing from it.
void takeFromOrigin(BoardState& b, int fromFile, int fromRank, MovePainter* painter) {
    if (fromFile == comHandColumn) {
        if (fromRank >= 1 && fromRank <= handKinds) {
            bump(b.comHandTotal, -1);
            bump(b.comHand[fromRank], -1);
        }
        if (painter) painter->描画_敵持盤(b);
    } else if (fromFile == manHandColumn) {
        const int kind = kindOfManHandRow(fromRank);
        if (kind >= 1 && kind <= handKinds) {
            bump(b.manHandTotal, -1);
            bump(b.manHand[kind], -1);
        }
        if (painter) painter->描画_自持盤(b);
    } else {
        b.board[fromFile][fromRank] = emptySquare;
    }
}

}  // namespace

void 駒取得(GameState& g, BoardState& b, Code captured) {
    if (captured == comKing) {
        g.winner = g.manSide;
        return;
    }
    if (captured == manKing) {
        g.winner = g.comSide;
        return;
    }
    const int kind = kindIndexOf(captured);  // promoted codes and the gold alias included
    if (kind == 0) return;
    if (isComPiece(captured)) bump(b.manHand[kind], 1);
    if (isManPiece(captured)) bump(b.comHand[kind], 1);
}

void 駒移動(GameState& g, BoardState& b, int fromFile, int fromRank, int toFile, int toRank,
            Code piece, MovePainter* painter) {
    // A move that names no square of the board would write outside it; there is nothing to make.
    if (!onBoard(toFile, toRank)) return;
    const bool boardMove = onBoard(fromFile, fromRank);
    if (!boardMove && fromFile != comHandColumn && fromFile != manHandColumn) return;

    takeInto(g, b, b.board[toFile][toRank], painter);
    // A board move also takes an enemy standing on the same square of the other board; a piece
    // of the mover's own side there stays, and a drop never reaches across.
    BoardState& o = g.other(b);
    const Code across = o.board[toFile][toRank];
    if (boardMove &&
        ((isManPiece(across) && isComPiece(piece)) || (isComPiece(across) && isManPiece(piece)))) {
        takeInto(g, o, across, painter);
        o.board[toFile][toRank] = emptySquare;
        paintSquare(painter, o.gridOriginX, emptySquare, toFile, toRank);
    }

    // The cell the piece came from; for a drop that is the hand cell, repainted in full below.
    paintSquare(painter, b.gridOriginX, emptySquare, fromFile, fromRank);
    b.board[toFile][toRank] = piece;
    if (piece == manKing) {
        b.manKingFile = static_cast<std::int16_t>(toFile);
        b.manKingRank = static_cast<std::int16_t>(toRank);
    }
    takeFromOrigin(b, fromFile, fromRank, painter);

    // The piece on its new square, outlined twice.
    if (painter) {
        painter->描画_絵(b.gridOriginX, piece, toFile, toRank);
        painter->描画_桝輪郭(b.gridOriginX, squareFrameColor, toFile, toRank);
        painter->描画_桝輪郭(b.gridOriginX, squareFrameColor, toFile, toRank);
    }
}

std::int16_t 調査_駒成(BoardState& b, int fromFile, int fromRank, int /*toFile*/, int toRank,
                       Code piece) {
    if (fromFile == comHandColumn || fromFile == manHandColumn) return flagNo;
    bool may = false;
    switch (piece) {
        case manPawn:
        case manLance:
        case manKnight:
            may = toRank < 4;
            break;
        case manSilver:
        case manBishop:
        case manRook:
            may = toRank < 4 || fromRank < 4;
            break;
        case comPawn:
        case comLance:
        case comKnight:
            may = toRank > 6;
            break;
        case comSilver:
        case comBishop:
        case comRook:
            may = toRank > 6 || fromRank > 6;
            break;
        default:
            break;
    }
    if (!may) return flagNo;
    b.promotedPiece = static_cast<Code>(piece < 0 ? piece - 1 : piece + 1);
    return flagYes;
}

void 調査_2歩フラグ設定(BoardState& b) {
    for (int f = 1; f <= boardSize; ++f) {
        b.manPawnFiles[f] = 0;
        b.comPawnFiles[f] = 0;
        for (int g = 1; g <= boardSize; ++g) {
            if (b.board[f][g] == manPawn) b.manPawnFiles[f] = 1;
            if (b.board[f][g] == comPawn) b.comPawnFiles[f] = 1;
        }
    }
}

}  // namespace nobakuza
