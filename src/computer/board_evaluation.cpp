#include "computer/board_evaluation.h"

#include <cstdlib>

#include "computer/danger_squares.h"
#include "computer/survey_helpers.h"
#include "mate/mate.h"

namespace nobakuza {

namespace {

// The human reaches nothing on the destination: what the move may win on the other board, the
// caution against a human bishop, and the human king's escape squares it takes away.
void safeSquareRules(const EvaluationContext& cx, double& score, Code pc, int fx, int tx, int ty) {
    BoardState& b = cx.board;
    const Code across = cx.other.board[tx][ty];
    if (fx >= 1 && across <= -10) score += std::abs(across);
    if (pc != comBishop && pc != comPromotedBishop && pc != comKing && pc != comPawn)
        score -= 盤評価_自角注意_COM(b, cx.saved, tx, ty, pc);
    if ((std::abs(tx - b.manKingFile) < 3 && std::abs(ty - b.manKingRank) < 3) || pc == comLance ||
        (pc >= comBishop && pc <= comPromotedRook)) {
        const std::int16_t escapes = 調査_自王逃道(b);
        if (cx.kingEscapeResult > escapes) score += cx.kingEscapeResult - escapes;
    }
}

// The human reaches the destination: the expected exchange when the piece is defended there, a
// dropped piece's loss when it is not.
void attackedSquareRules(const EvaluationContext& cx, double& score, Code pc, int fx, int tx,
                         int ty) {
    const BoardState& b = cx.board;
    const InfluenceTables& in = b.influence;
    const int kf = b.manKingFile;
    const int kr = b.manKingRank;
    const int attackerValue = std::abs(in.manCheapestAttacker[tx][ty]);
    if (in.comInfluence[tx][ty] > 0) {
        if ((b.manHand[silverKind] > 0 || b.manHand[goldKind] > 0) && tx > 1 && tx < 9) {
            const Code west = b.board[tx - 1][ty];
            const Code east = b.board[tx + 1][ty];
            if (((west == manRook || west == manPromotedRook) && east == comKing) ||
                ((east == manRook || east == manPromotedRook) && west == comKing))
                score -= pc;
        }
        if (pc > attackerValue) {
            score -= pc;
            score += attackerValue;
        }
        if (in.manCheapestAttacker[tx][ty] == manKing && ty < kr && in.comInfluence[kf][kr] > 0)
            score += pc;
    } else if (fx < 0) {
        score -= pc;
        score -= 50;
    }
}

// What a capture gains: the piece taken when it is safe to take, or when the capturer could not
// have stayed where it was.
void captureRules(const EvaluationContext& cx, double& score, Code cap, Code pc, int fx, int fy,
                  int tx, int ty) {
    const BoardState& b = cx.board;
    const InfluenceTables& in = b.influence;
    if (in.manInfluence[tx][ty] > 0) {
        if (in.comInfluence[tx][ty] > 0) {
            if (pc < std::abs(in.manCheapestAttacker[tx][ty])) score += std::abs(cap);
        } else if (cx.saved.savedManInfluence[fx][fy] > 0 &&
                   調査_移動可場所数(b, fx, fy, pc) == 0) {
            score += std::abs(cap);
        }
    } else {
        score += std::abs(cap);
        if (cap == manPromotedPawn || cap == manPromotedLance || cap == manPromotedKnight)
            score += 50;
    }
}

}  // namespace

double 盤評価(const EvaluationContext& cx, Code cap, Code pc, int fx, int fy, int tx, int ty) {
    BoardState& b = cx.board;
    const BoardState& other = cx.other;
    const InfluenceTables& in = b.influence;
    const int kf = b.manKingFile;
    const int kr = b.manKingRank;
    double score = 0;

    // Terminal and base rules, at every level.
    if (cap == manKing) return scoreKingCaptured;
    // A human move to this square would take the other board's king across the boards.
    if (in.manInfluence[other.comKingFile][other.comKingRank] >= 1) return scoreLosing;
    if (in.manInfluence[b.comKingFile][b.comKingRank] >= 1) return scoreLosing;

    if (in.comInfluence[kf][kr] > 0) {
        if (詰めかMAN(b) == flagYes) return pc == comPawn ? scoreLosing : scoreMate;
        if (in.manCheapestAttacker[tx][ty] == manKing && in.comInfluence[tx][ty] > 0) score += 100;
        if (in.manInfluence[tx][ty] <= 2 && in.comCheapestDefender[tx][ty] == comPromotedRook &&
            tx != kf && ty != kr && std::abs(tx - kf) <= 1 && std::abs(ty - kr) <= 1 &&
            (in.comCheapestDefenderX[tx][ty] == kf || in.comCheapestDefenderY[tx][ty] == kr))
            score += 900;
        if (in.manInfluence[tx][ty] == 0) score += 10;
    }

    if (fx < 0) {
        score -= 5;
    } else if (tx == other.manKingFile && ty == other.manKingRank) {
        return scoreMate;
    } else if (pc > 0) {
        // Every board move places a piece above the reference code 0: board moves are preferred
        // to drops by 15 points.
        score += 10;
    }

    score += 盤評価_COM危険座標(b, cx.saved, pc, tx, ty);
    if (cx.comLevel < 2) return score;

    盤評価_レベル2(cx, score, cap, pc, fx, fy, tx, ty);
    if (cx.comLevel < 3) return score;
    盤評価_レベル3(cx, score, cap, pc, fx, fy, tx, ty);
    return score;
}

void 盤評価_レベル2(const EvaluationContext& cx, double& score, Code cap, Code pc, int fx, int fy,
                    int tx, int ty) {
    BoardState& b = cx.board;
    const InfluenceTables& in = b.influence;
    if (in.manInfluence[tx][ty] == 0) {
        safeSquareRules(cx, score, pc, fx, tx, ty);
    } else {
        attackedSquareRules(cx, score, pc, fx, tx, ty);
    }
    if (b.board[tx][9] == manLance && (tx == 1 || tx == 9) && pc != comLance && pc != comRook &&
        pc != comPromotedRook && tx != fx)
        score -= 0.1;
    if (cap != 0) captureRules(cx, score, cap, pc, fx, fy, tx, ty);
}

}  // namespace nobakuza
