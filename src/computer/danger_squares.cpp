#include "computer/danger_squares.h"

#include <array>
#include <cstdint>
#include <cstdlib>

#include "board/move_legality.h"
#include "board/piece_movement.h"
#include "computer/survey_helpers.h"

namespace nobakuza {

namespace {

// The human's hand does not change during a search: what the scan asks of it, once per call.
struct HumanHand {
    bool any, pawn, lance, knight, silver, silverOrGold;
};

// 調査_周辺状況 of every square at once, offset by one so the edges need no test: minus the
// computer pieces of 800 or more next to the square.
using Crowding = std::array<std::array<std::int8_t, 12>, 12>;

void countCrowding(const Table& board, Crowding& crowding) {
    for (int x = 1; x <= boardSize; ++x)
        for (int y = 1; y <= boardSize; ++y) {
            if (board[x][y] < comBishop) continue;
            for (int dx = 0; dx <= 2; ++dx)
                for (int dy = 0; dy <= 2; ++dy)
                    if (dx != 1 || dy != 1) --crowding[x + dx][y + dy];
        }
}

// What a piece the human drops near the empty square (i, j) could threaten: a lance skewer, a
// knight fork, a silver or gold among the computer's big pieces, loose pieces a silver forks.
void dropThreatScore(const BoardState& b, const HumanHand& hand, const Crowding& crowding, int i,
                     int j, double& d) {
    const InfluenceTables& in = b.influence;
    const Table& board = b.board;
    const int mi = in.manInfluence[i][j];
    const int ci = in.comInfluence[i][j];

    if (hand.lance && j > 2 && board[i][j - 1] > comLance && (mi > 0 || ci == 0)) {
        for (int k = j - 2; k >= 1; --k) {
            const Code c = board[i][k];
            if (c == emptySquare) continue;
            if (c > comLance) {
                d -= 100;
                d -= c / 2.0;
            }
            break;
        }
    }
    if (hand.knight && (ci == 0 || (in.comCheapestAttacker[i][j] > comKnight && mi > 0)) && j > 2 &&
        i > 1 && i < 9) {
        if (board[i - 1][j - 2] > comPawn && board[i + 1][j - 2] > comPawn) d -= 20;
    }
    if (hand.silverOrGold && ci <= 1) {
        const int around = crowding[i + 1][j + 1];
        if (around < -1) d -= 5;
        if (ci == 0 && around < 0) {
            d -= 1;
            if (j < 4) d -= 10;
        }
    }
    if (ci == 0) {
        if (j == 2 && board[i][1] == comKnight) d -= 5;
        if (j < 4) d -= 0.1;
        if (hand.silver && i > 1 && i < 9 && j > 1 && j < 9) {
            auto loose = [&](int x, int y) {
                return isComPiece(board[x][y]) && in.comInfluence[x][y] == 0;
            };
            if (loose(i - 1, j - 1) && loose(i + 1, j + 1)) d -= 20;
            if (loose(i - 1, j + 1) && loose(i + 1, j - 1)) d -= 20;
        }
    }
}

void emptySquareScore(BoardState& b, const HumanHand& hand, const Crowding& crowding, int i, int j,
                      double& d) {
    const InfluenceTables& in = b.influence;
    const Table& board = b.board;
    const int mi = in.manInfluence[i][j];
    const int ci = in.comInfluence[i][j];

    if (mi > 0) {
        if (ci == 0 && j < 4) {
            d -= 0.1;
            if (調査_自守駒MAN_直進駒(b, i, j) == flagYes) d -= 10;
        }
        if (j < 4 && board[i][j + 1] == manPawn && mi >= ci) {
            d -= 30;
            if (調査_自守駒MAN_直進駒(b, i, j + 1) == flagYes) d -= 70;
        }
    }

    if (hand.any) dropThreatScore(b, hand, crowding, i, j, d);

    // The square next to the corner, where the human's pieces gather against a castled king.
    if (i == 1 && j == 1 && mi > 0) {
        d -= 0.5 * mi;
        if (ci == 1 && mi > 1) d -= 10;
        if (hand.silverOrGold) d -= 10;
    }
}

void comPieceScore(BoardState& b, const SearchSnapshot& s, const HumanHand& hand, Code c, int i,
                   int j, double& d) {
    const InfluenceTables& in = b.influence;
    const Table& board = b.board;
    const int mi = in.manInfluence[i][j];
    const int ci = in.comInfluence[i][j];

    if (c == comKing && j == 1 && in.manInfluence[i][2] > 0) {
        d -= 50;
        if (in.manInfluence[i][2] >= in.comInfluence[i][2]) d -= 250;
        if (hand.silverOrGold) d -= 700;
    }
    if (c == comPawn && in.manCheapestAttacker[i][j] == manRook && hand.pawn && mi >= ci && j < 9 &&
        in.comInfluence[i][j + 1] == 1)
        d -= 5;
    if (mi == 0) return;

    const Code attacker = in.manCheapestAttacker[i][j];
    const int attackerValue = std::abs(attacker);
    const bool pinned =
        s.immobileMark[in.manCheapestAttackerX[i][j]][in.manCheapestAttackerY[i][j]] == 1;
    if (in.comCheapestDefender[i][j] == comKing && (mi > 1 || c > attackerValue)) d -= 100;
    if (!pinned && c > attackerValue) {
        d -= c;
        d += attackerValue;
    }
    if (ci > 0 && !pinned) {
        if (mi > ci && in.comCheapestDefender[i][j] >= attackerValue) d -= c;
        if (j <= 3 && mi == ci && board[i][j + 1] != emptySquare &&
            調査_自守駒MAN_直進駒(b, i, j + 1) == flagYes) {
            d -= c;
            d -= std::abs(in.manCheapestAttacker[i][j + 1]);
        }
    }
    if (ci == 0) {
        d -= c;
        if (j <= 3) d -= 10;
        const Code before = s.boardAtTurnStart[i][j];
        if (isManPiece(before)) d += std::abs(before);
        if ((attacker == manPawn || attacker == manLance) && j < 4) d -= 20;
    }
}

}  // namespace

double 盤評価_COM危険座標(BoardState& b, const SearchSnapshot& s, Code pc, int tx, int ty) {
    const InfluenceTables& in = b.influence;
    const bool forkTest = in.manInfluence[tx][ty] == 0;
    const HumanHand hand{
        b.manHandTotal > 0,        b.manHand[pawnKind] > 0,
        b.manHand[lanceKind] > 0,  b.manHand[knightKind] > 0,
        b.manHand[silverKind] > 0, b.manHand[silverKind] > 0 || b.manHand[goldKind] > 0};
    Crowding crowding{};
    if (hand.any && hand.silverOrGold) countCrowding(b.board, crowding);
    double d = 0;
    int forks = 0;
    int cheapestForked = 9999;

    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j) {
            const Code c = b.board[i][j];
            if (c == emptySquare) {
                emptySquareScore(b, hand, crowding, i, j, d);
            } else if (c >= 10) {
                comPieceScore(b, s, hand, c, i, j, d);
            } else {
                if (s.savedComInfluence[i][j] == 0 && in.comInfluence[i][j] > 0) {
                    if (c == manKnight && j > 2 && in.manInfluence[i][j - 1] == 0) {
                        const Code front = b.board[i][j - 1];
                        if (front == comSilver || front == comPromotedRook ||
                            front == comPromotedBishop)
                            d += 1;
                    }
                    if (i <= 2 && j <= 2) d += 15;
                }
                if (c == manKnight && j >= 5 && b.board[i][j - 4] >= comSilver) {
                    auto open = [&](int x, int y) {
                        return b.board[x][y] >= emptySquare && in.comInfluence[x][y] == 0;
                    };
                    if (i > 1 && open(i - 1, j - 2)) d -= 1;
                    if (i < 9 && open(i + 1, j - 2)) d -= 1;
                }
                if (forkTest &&
                    (in.manInfluence[i][j] == 0 || (i == b.manKingFile && j == b.manKingRank)) &&
                    shapeAllows(pc, i - tx, j - ty) &&
                    移動チェック(b, tx, ty, i, j, pc) == flagYes) {
                    d += 0.1;
                    ++forks;
                    if (std::abs(c) < cheapestForked) cheapestForked = std::abs(c);
                }
            }
        }
    if (forks >= 2) d += cheapestForked;
    return d;
}

double 盤評価_自角注意_COM(const BoardState& b, const SearchSnapshot& s, int tx, int ty, Code pc) {
    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j) {
            if (s.bishopDropMark[i][j] != 1) continue;
            if (移動チェック(b, tx, ty, i, j, manBishop) != flagYes &&
                移動チェック(b, tx, ty, i, j, manPromotedBishop) != flagYes)
                continue;
            for (int x = 1; x <= boardSize; ++x)
                for (int y = 1; y <= boardSize; ++y) {
                    const Code c = b.board[x][y];
                    if ((c == manBishop || c == manPromotedBishop) &&
                        移動チェック(b, x, y, i, j, c) == flagYes)
                        return pc;
                }
            if (b.manHand[bishopKind] > 0 &&
                移動チェック(b, comHandColumn, bishopKind, i, j, manBishop) == flagYes)
                return pc;
            return 0;
        }
    return 0;
}

}  // namespace nobakuza
