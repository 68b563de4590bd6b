#include "board/move_legality.h"

#include "board/geometry.h"

namespace nobakuza {

namespace {

// The origin of a board move is trusted by the callers; the walks below still stop at the edge
// so that a bad origin can never read outside the board array.
std::int16_t lanePathClear(const BoardState& b, int fromFile, int fromRank, int toFile,
                           int toRank) {
    const int stepF = signOf(toFile - fromFile);
    const int stepR = signOf(toRank - fromRank);
    int f = fromFile + stepF;
    int r = fromRank + stepR;
    while (f != toFile || r != toRank) {
        if (!onBoard(f, r)) return flagNo;
        if (b.board[f][r] != emptySquare) return flagNo;
        f += stepF;
        r += stepR;
    }
    return flagYes;
}

// Drop rule of pawn, lance and knight: the ranks from which they could still move.
std::int16_t dropRankAllowed(Code piece, int toRank) {
    switch (piece) {
        case comPawn:
        case comLance:
            return toRank != 9 ? flagYes : flagNo;
        case manPawn:
        case manLance:
            return toRank != 1 ? flagYes : flagNo;
        case comKnight:
            return toRank <= 7 ? flagYes : flagNo;
        case manKnight:
            return toRank >= 3 ? flagYes : flagNo;
        default:
            return flagYes;
    }
}

}  // namespace

std::int16_t 移動チェック飛車(const BoardState& b, int fromFile, int fromRank, int toFile,
                              int toRank) {
    if (fromFile != toFile && fromRank != toRank) return flagNo;
    return lanePathClear(b, fromFile, fromRank, toFile, toRank);
}

std::int16_t 移動チェック角(const BoardState& b, int fromFile, int fromRank, int toFile,
                            int toRank) {
    if (absInt(toFile - fromFile) != absInt(toRank - fromRank)) return flagNo;
    return lanePathClear(b, fromFile, fromRank, toFile, toRank);
}

std::int16_t 移動チェック(const BoardState& b, int fromFile, int fromRank, int toFile, int toRank,
                          Code piece) {
    if (!onBoard(toFile, toRank)) return flagNo;
    if (toFile == fromFile && toRank == fromRank) return flagNo;
    const Code target = b.board[toFile][toRank];
    if (piece >= 10 ? isComPiece(target) : isManPiece(target)) return flagNo;

    if (fromFile == manHandColumn || fromFile == comHandColumn) {
        if (target != emptySquare) return flagNo;
        if (piece == manPawn && b.manPawnFiles[toFile] == 1) return flagNo;
        if (piece == comPawn && b.comPawnFiles[toFile] == 1) return flagNo;
        return dropRankAllowed(piece, toRank);
    }

    const int df = toFile - fromFile;
    const int dr = toRank - fromRank;
    const int forward = piece > 0 ? 1 : -1;
    const int adf = absInt(df);
    switch (piece) {
        case comPawn:
        case manPawn:
            return (df == 0 && dr == forward) ? flagYes : flagNo;
        case comLance:
        case manLance:
            if (df != 0 || signOf(dr) != forward) return flagNo;
            return lanePathClear(b, fromFile, fromRank, toFile, toRank);
        case comKnight:
        case manKnight:
            return (adf == 1 && dr == 2 * forward) ? flagYes : flagNo;
        case comSilver:
        case manSilver:
            return ((adf <= 1 && dr == forward) || (adf == 1 && dr == -forward)) ? flagYes : flagNo;
        case comGold:
        case manGold:
        case comPromotedPawn:
        case manPromotedPawn:
        case comPromotedLance:
        case manPromotedLance:
        case comPromotedKnight:
        case manPromotedKnight:
        case comPromotedSilver:
        case manPromotedSilver:
            return ((adf <= 1 && (dr == forward || dr == 0)) || (df == 0 && dr == -forward))
                       ? flagYes
                       : flagNo;
        case comBishop:
        case manBishop:
            return 移動チェック角(b, fromFile, fromRank, toFile, toRank);
        case comPromotedBishop:
        case manPromotedBishop:
            if (adf <= 1 && absInt(dr) <= 1) return flagYes;
            return 移動チェック角(b, fromFile, fromRank, toFile, toRank);
        case comRook:
        case manRook:
            return 移動チェック飛車(b, fromFile, fromRank, toFile, toRank);
        case comPromotedRook:
        case manPromotedRook:
            if (adf <= 1 && absInt(dr) <= 1) return flagYes;
            return 移動チェック飛車(b, fromFile, fromRank, toFile, toRank);
        case comKing:
        case manKing:
            return (adf <= 1 && absInt(dr) <= 1) ? flagYes : flagNo;
        default:
            return flagNo;  // not a piece that stands on a board
    }
}

std::int16_t 移動後チェック(int rank, Code piece) {
    switch (piece) {
        case comPawn:
        case comLance:
            return rank == 9 ? flagNo : flagYes;
        case comKnight:
            return rank >= 8 ? flagNo : flagYes;
        case manPawn:
        case manLance:
            return rank == 1 ? flagNo : flagYes;
        case manKnight:
            return rank <= 2 ? flagNo : flagYes;
        default:
            return flagYes;
    }
}

}  // namespace nobakuza
