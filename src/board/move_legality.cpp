#include "board/move_legality.h"

#include "board/geometry.h"
#include "board/piece_movement.h"

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
        return 移動後チェック(toRank, piece);  // never where the piece could not move again
    }

    switch (reachBy(piece, toFile - fromFile, toRank - fromRank)) {
        case Reach::step:
            return flagYes;
        case Reach::slide:
            return lanePathClear(b, fromFile, fromRank, toFile, toRank);
        default:
            return flagNo;
    }
}

std::int16_t 移動後チェック(int rank, Code piece) {
    return stuckOnRank(piece, rank) ? flagNo : flagYes;
}

}  // namespace nobakuza
