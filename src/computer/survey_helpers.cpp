#include "computer/survey_helpers.h"

#include <cstdlib>

#include "board/geometry.h"
#include "board/move_legality.h"
#include "board/piece_movement.h"

namespace nobakuza {

namespace {

constexpr bool isManLinePiece(Code c) {
    return c >= manPromotedRook && c <= manBishop;  // bishop, horse, rook, dragon
}

}  // namespace

std::int16_t 調査_移動可場所数(const BoardState& b, int file, int rank, Code code) {
    const Table& other = code >= 10 ? b.influence.manInfluence : b.influence.comInfluence;
    std::int16_t count = 0;
    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j)
            if (other[i][j] == 0 && shapeAllows(code, i - file, j - rank) &&
                移動チェック(b, file, rank, i, j, code) == flagYes)
                ++count;
    return count;
}

std::int16_t 調査_桂狙い(const BoardState& b, int f, int r) {
    const InfluenceTables& in = b.influence;
    if (!isManLinePiece(in.manCheapestAttacker[f][r]) || r <= 5) return 0;
    std::int16_t sum = 0;
    if (f > 2 && b.board[f - 1][r - 2] == emptySquare && in.manInfluence[f - 1][r - 2] == 0 &&
        b.board[f - 2][r] <= manBishop && in.manCheapestAttackerX[f][r] != f - 2)
        sum = static_cast<std::int16_t>(sum + std::abs(b.board[f - 2][r]));
    if (f < 8 && b.board[f + 1][r - 2] == emptySquare && in.manInfluence[f + 1][r - 2] == 0 &&
        b.board[f + 2][r] <= manBishop && in.manCheapestAttackerX[f][r] != f + 2)
        sum = static_cast<std::int16_t>(sum + std::abs(b.board[f + 2][r]));
    return sum;
}

std::int16_t 調査_香狙い(const BoardState& b, int f, int r) {
    const InfluenceTables& in = b.influence;
    if (r <= 6 || in.comInfluence[f][r - 1] <= 0 || in.manInfluence[f][r - 1] != 0 ||
        !isManLinePiece(in.manCheapestAttacker[f][r]))
        return 0;
    for (int k = r + 1; k <= boardSize; ++k) {
        if (b.board[f][k] == emptySquare) continue;
        if (移動チェック(b, f, r, f, k, comLance) == flagYes)
            return static_cast<std::int16_t>(std::abs(b.board[f][k]));
        return 0;
    }
    return 0;
}

std::int16_t 調査_自守駒MAN_直進駒(BoardState& b, int f, int r) {
    const Code kept = b.board[f][r];
    b.board[f][r] = emptySquare;
    std::int16_t result = 0;
    for (int k = r + 1; k <= boardSize; ++k) {
        const Code c = b.board[f][k];
        if (c >= 10) break;
        if (c == manLance || c == manRook || c == manPromotedRook) {
            result = 移動チェック(b, f, k, f, r, c);
            break;
        }
    }
    b.board[f][r] = kept;
    return result;
}

std::int16_t 調査_周辺状況(const BoardState& b, int f, int r) {
    std::int16_t result = 0;
    for (int x = f - 1; x <= f + 1; ++x)
        for (int y = r - 1; y <= r + 1; ++y)
            if (onBoard(x, y) && (x != f || y != r) && b.board[x][y] >= comBishop) --result;
    return result;
}

std::int16_t 調査_移動不可駒(BoardState& b, SearchSnapshot& s) {
    // The computer's lances and line pieces, found once: emptying a human square never moves them.
    int lineFile[40];
    int lineRank[40];
    Code lineCode[40];
    int lines = 0;
    for (int x = 1; x <= boardSize; ++x)
        for (int y = 1; y <= boardSize; ++y) {
            const Code c = b.board[x][y];
            if ((c == comLance || c >= comBishop) && c != comKing && lines < 40) {
                lineFile[lines] = x;
                lineRank[lines] = y;
                lineCode[lines] = c;
                ++lines;
            }
        }

    std::int16_t marked = 0;
    const int kf = b.manKingFile;
    const int kr = b.manKingRank;
    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j) {
            s.immobileMark[i][j] = 0;
            const Code kept = b.board[i][j];
            if (!isManPiece(kept)) continue;
            b.board[i][j] = emptySquare;
            for (int n = 0; n < lines; ++n)
                if (移動チェック(b, lineFile[n], lineRank[n], kf, kr, lineCode[n]) == flagYes) {
                    s.immobileMark[i][j] = 1;
                    ++marked;
                    break;
                }
            b.board[i][j] = kept;
        }
    return marked;
}

std::int16_t 調査_持角狙座標(const BoardState& b, SearchSnapshot& s) {
    const int kf = b.comKingFile;
    const int kr = b.comKingRank;
    std::int16_t marked = 0;
    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j) {
            s.bishopDropMark[i][j] = 0;
            if (b.board[i][j] != emptySquare) continue;
            const std::int16_t ci = b.influence.comInfluence[i][j];
            const bool nextToKing = std::abs(i - kf) <= 1 && std::abs(j - kr) <= 1;
            if ((ci == 0 || (ci == 1 && nextToKing)) &&
                移動チェック(b, i, j, kf, kr, manBishop) == flagYes) {
                s.bishopDropMark[i][j] = 1;
                ++marked;
            }
        }
    return marked;
}

}  // namespace nobakuza
