// The rules of strength level 3: opening habits, pawn and lance tactics and piece safety, one
// block per kind of placed piece. A `return` ends the evaluation with the score reached.
#include <cstdlib>

#include "board/move_legality.h"
#include "computer/board_evaluation.h"
#include "computer/survey_helpers.h"

namespace nobakuza {

namespace {

struct Trial {
    const EvaluationContext& cx;
    BoardState& b;
    const InfluenceTables& in;
    const Table& board;
    Code cap, pc;
    int fx, fy, tx, ty;
    int kf, kr;

    bool isDrop() const { return fx < 0; }
    bool at(int f, int r) const { return tx == f && ty == r; }
    // Shares a file or a rank with the human king, at most two files and two ranks away.
    bool besideKing() const {
        return (tx == kf || ty == kr) && std::abs(tx - kf) <= 2 && std::abs(ty - kr) <= 2;
    }
    bool safeOrGuardedAgainstKing() const {
        return in.manInfluence[tx][ty] == 0 ||
               (in.manCheapestAttacker[tx][ty] == manKing && in.comInfluence[tx][ty] > 0);
    }
};

void pawnRules(const Trial& t, double& score) {
    const BoardState& b = t.b;
    const InfluenceTables& in = t.in;
    const Table& board = t.board;
    const int tx = t.tx;
    const int ty = t.ty;

    if (b.boardId == leftBoardId && t.at(7, 4) && board[5][1] == comKing &&
        t.cx.other.board[5][1] == comKing && t.cx.other.board[7][3] == emptySquare)
        score -= 20;
    if (b.comHand[lanceKind] > 0) score += 調査_香狙い(b, tx, ty);
    if (b.comHand[knightKind] > 0) score += 調査_桂狙い(b, tx, ty);
    if (ty < 9) {
        const Code ahead = board[tx][ty + 1];
        if (ahead == comGold) {
            score += 0.5;
        } else if (ahead == comRook) {
            score -= 1;
        }
        if (ahead < manPawn && 調査_移動可場所数(b, tx, ty + 1, ahead) == 0)
            score += std::abs(ahead);
    }
    if (in.comInfluence[tx][ty] > 0 && tx > 1 && tx < 9 &&
        (board[tx + 1][ty] == comRook || board[tx - 1][ty] == comRook))
        score -= 1;

    if (t.isDrop()) {
        if (in.comInfluence[tx][ty] > 0 && ty > 1 && board[tx][ty - 1] >= comSilver &&
            (b.manHand[pawnKind] > 0 || b.manHand[lanceKind] > 0))
            score += 6;
        if (board[2][8] == manBishop && t.at(2, 7) &&
            (in.manInfluence[2][7] == 0 || in.comInfluence[2][7] > 0))
            score += 30;
        const int ax = in.manCheapestAttackerX[tx][ty];
        const int ay = in.manCheapestAttackerY[tx][ty];
        if (t.cx.saved.savedComInfluence[ax][ay] > 0 && in.manInfluence[ax][ay] == 0) return;
        const Code attacker = in.manCheapestAttacker[tx][ty];
        if (in.comInfluence[tx][ty] > 0 && ax == tx &&
            (attacker == manRook || attacker == manLance) && ty < ay)
            score += 120;
        return;
    }

    const Code defender = in.comCheapestDefender[tx][ty];
    score -= 0.1;
    if (defender == comGold || defender == comSilver) score += 0.6;
    if (ty >= 8) return;
    if (defender == comLance) {
        score += 1;
    } else if (defender == comRook && in.comCheapestDefenderX[tx][ty] == tx &&
               in.comCheapestDefenderY[tx][ty] < ty &&
               in.comInfluence[tx][ty] >= in.manInfluence[tx][ty]) {
        score += 2;
    }
    if (in.manInfluence[tx][ty + 1] == 0 && board[tx][ty + 2] <= manKnight) score += 1;
    if (ty < 7) {
        if (board[tx][ty + 1] == manPawn && in.manInfluence[tx][ty + 1] > 0) score -= 5;
        if (tx < 9 && board[tx + 1][ty] == comBishop) {
            score += 0.5;
            if (board[tx + 1][ty + 2] == manPawn) score += 5;
        }
        if (tx > 1) {
            if (t.at(7, 4) && board[8][2] == comBishop) score += 10;
            if (board[tx - 1][ty] == comBishop) {
                score += 0.5;
                if (board[tx - 1][ty + 2] == manPawn) score += 5;
            }
        }
    }
    if (t.cap <= -10 && in.comInfluence[t.fx][t.fy] == 1) {
        const Code attacker = in.manCheapestAttacker[tx][ty];
        if (ty > 2 && attacker == manLance && board[tx][ty - 2] == comBishop) {
            score -= 5;
        } else {
            score += 5;
        }
        if (t.cap == manPawn && (attacker == manLance || attacker == manRook)) score += 50;
    }
    const Code ahead = board[tx][ty + 1];
    if (ahead <= -10) {
        const int ci = in.comInfluence[tx][ty];
        const int mi = in.manInfluence[tx][ty];
        if (ci > mi) {
            score += 1;
        } else if (ahead == manPawn) {
            score -= 5;
        } else if (ci == 0) {
            if (mi == 0) score += 1;
        } else if (t.cx.saved.savedComInfluence[tx][ty + 1] > 0 &&
                   t.cx.saved.savedManInfluence[tx][ty + 1] == 0) {
            score -= 1;
        } else if (ci >= mi) {
            score += 5;
        }
        return;
    }
}

void lanceRules(const Trial& t, double& score) {
    const BoardState& b = t.b;
    const InfluenceTables& in = t.in;
    const Table& board = t.board;
    const int tx = t.tx;
    const int ty = t.ty;

    if (b.comHand[knightKind] > 0) score += 調査_桂狙い(b, tx, ty);
    if (t.isDrop() && ty < 8) {
        if (b.manHand[pawnKind] > 0 && in.manInfluence[tx][ty + 1] > 0 &&
            in.manInfluence[tx][ty] == 0)
            score -= 10;
        if (board[tx][ty + 1] <= manLance &&
            (in.manInfluence[tx][ty] == 0 || in.comInfluence[tx][ty] >= in.manInfluence[tx][ty])) {
            for (int k = ty + 2; k <= boardSize; ++k) {
                const Code c = board[tx][k];
                if (c == emptySquare) continue;
                if (移動チェック(b, tx, ty + 1, tx, k, comLance) == flagYes && c < manLance) {
                    score += std::abs(c);
                    return;
                }
                break;
            }
        }
    }
    if (!t.isDrop() && t.cap == 0) score -= 0.9;
}

void knightRules(const Trial& t, double& score) {
    const InfluenceTables& in = t.in;
    const int tx = t.tx;
    const int ty = t.ty;
    score -= 0.1;
    if (in.manInfluence[tx][ty + 1] > 0) score -= 1;
    if (ty < 8 && tx > 1 && tx < 9) {
        if (in.manInfluence[tx - 1][ty + 2] > 0 && in.manInfluence[tx + 1][ty + 2] > 0) score -= 1;
        if (t.at(7, 3) && t.board[8][4] == comBishop) score -= 5;
    }
}

void silverRules(const Trial& t, double& score) {
    if (t.ty <= 1) return;
    if (t.ty > t.fy && t.tx == t.fx) score -= 0.1;
    if (t.board[t.tx][t.ty - 1] == comKnight) score -= 0.5;
    if (t.at(7, 3) && t.board[8][3] == comPawn && t.board[8][5] == manPawn) score += 115;
}

void goldRules(const Trial& t, double& score) {
    const BoardState& b = t.b;
    const InfluenceTables& in = t.in;
    const Table& board = t.board;
    const SearchSnapshot& saved = t.cx.saved;
    const int tx = t.tx;
    const int ty = t.ty;

    if (ty > t.fy && tx != t.fx) score -= 0.5;
    if (ty == 4 && board[6][4] == comBishop && in.manInfluence[6][4] > 0) {
        score -= 5;
        return;
    }
    if (ty == 2) {
        if (board[8][3] == comPawn && board[8][6] == manPawn &&
            in.manTopDefender[8][6] == manRook && tx == 7)
            score += 10;
        if (b.manHand[bishopKind] > 0 && isComPiece(board[tx][ty + 1]) &&
            saved.savedComInfluence[tx][ty + 1] == 0) {
            score += 2;
            if (board[tx][ty + 2] == comBishop && saved.savedComInfluence[tx][ty + 2] == 1)
                score += 125;
        }
    }
}

void bishopRules(const Trial& t, double& score) {
    const BoardState& b = t.b;
    const InfluenceTables& in = t.in;
    const Table& board = t.board;
    const int tx = t.tx;
    const int ty = t.ty;

    score += 調査_周辺状況(b, tx, ty);
    if (in.manInfluence[tx][ty] == 0 && t.cx.other.manKingFile == t.kf &&
        t.cx.other.manKingRank == t.kr && 移動チェック角(b, tx, ty, t.kf, t.kr) == flagYes) {
        score += 9999;
        return;
    }
    if (ty < 9) {
        if (ty == 3) {
            if (tx == 9 && board[9][4] == comPawn && board[9][6] == manPawn &&
                board[9][9] == manLance)
                score -= 10;
            if (tx == 7 && board[8][5] == manPawn && in.manTopDefender[8][5] == manRook) score += 9;
        }
        if (in.manInfluence[tx][ty + 1] > 0) {
            if (調査_移動可場所数(b, tx, ty, comBishop) == 0) score -= 100;
            if (ty < 8 && board[tx][ty + 2] == manPawn) score -= 1;
        }
    }
    if (t.fy == 3) {
        if (t.fx == 9 && board[9][4] == comPawn && board[9][6] == manPawn &&
            in.manTopDefender[9][6] == manLance) {
            score += 10;
            return;
        }
        if (t.fx == 7 && board[8][5] == manPawn && in.manTopDefender[8][5] == manRook &&
            t.cx.saved.savedComInfluence[8][4] > in.comInfluence[8][4]) {
            score -= 10;
            return;
        }
    }
}

void rookRules(const Trial& t, double& score) {
    const BoardState& b = t.b;
    const InfluenceTables& in = t.in;
    const Table& board = t.board;
    const int tx = t.tx;
    const int ty = t.ty;
    const int fx = t.fx;
    const int fy = t.fy;

    score += 調査_周辺状況(b, tx, ty);
    if (t.isDrop()) {
        if (ty == 9 && board[tx][8] == manSilver && tx > 1 && tx < 9 &&
            ((board[tx + 1][8] == manGold && board[tx - 1][9] != emptySquare) ||
             (board[tx - 1][8] == manGold && board[tx + 1][9] != emptySquare))) {
            score -= 1;
            return;
        }
    } else {
        if (in.manInfluence[tx][ty] == 0 && t.at(3, 4) && board[3][7] == manBishop &&
            board[3][6] == manPawn && board[3][5] == emptySquare)
            score += 7;
        if (ty < 8) {
            if (in.manInfluence[tx][ty + 1] > 0) {
                score -= 1;
                if (board[tx][ty + 2] == manPawn && ty == fy) score -= 5;
            }
            if (fy < 9 && board[8][fy + 1] == manPawn && in.manTopDefender[8][fy + 1] == manRook) {
                if (in.comInfluence[8][fy] < t.cx.saved.savedComInfluence[8][fy]) score -= 11;
                if (board[7][fy] == comPawn && ty != fy) score -= 11;
            }
            if (in.manInfluence[fx][fy] == 0 && fx == 2 && fy == 2 && t.at(2, 3)) score -= 1;
        }
    }
    if (t.safeOrGuardedAgainstKing()) {
        if (調査_移動可場所数(b, tx, ty, comRook) <= 1) {
            score -= 35;
            return;
        }
        if (t.besideKing()) {
            score += 100;
            return;
        }
    }
}

void dragonRules(const Trial& t, double& score) {
    const BoardState& b = t.b;
    const Table& board = t.board;
    const int tx = t.tx;
    const int ty = t.ty;
    const int fx = t.fx;

    score += 調査_周辺状況(b, tx, ty);
    // Row 0 of the board is always empty, so rank 1 never matches a human silver above.
    if (board[tx][ty - 1] == manSilver && tx > 1 && tx < 9 &&
        ((board[tx + 1][ty - 1] == manGold && board[tx - 1][ty] != emptySquare) ||
         (board[tx - 1][ty - 1] == manGold && board[tx + 1][ty] != emptySquare)))
        score -= 10;
    if (t.fy == 9 && fx >= 1 && board[fx][8] == manSilver) {
        if (fx > 1 && board[fx - 1][8] == manGold) score += 2;
        if (fx < 9 && board[fx + 1][8] == manGold) score += 2;
    }
    if (ty == 9 && isManPiece(board[tx][8])) {
        if (tx == 3 && isManPiece(board[2][9]) && board[4][8] == manGold) score -= 150;
        if (tx == 7 && isManPiece(board[8][9]) && board[6][8] == manGold) score -= 150;
    }
    if (t.safeOrGuardedAgainstKing() && t.besideKing()) {
        score += 100;
        return;
    }
}

void kingRules(const Trial& t, double& score) {
    const int tx = t.tx;
    const int ty = t.ty;
    if (t.in.comInfluence[tx][ty] > t.cx.saved.savedComInfluence[tx][ty]) score += 1;
    if (調査_移動可場所数(t.b, tx, ty, comKing) < 2) score -= 20;
}

}  // namespace

void 盤評価_レベル3(const EvaluationContext& cx, double& score, Code cap, Code pc, int fx, int fy,
                    int tx, int ty) {
    BoardState& b = cx.board;
    const Trial t{cx, b,  b.influence, b.board, cap,           pc,
                  fx, fy, tx,          ty,      b.manKingFile, b.manKingRank};
    switch (pc) {
        case comPawn:
            pawnRules(t, score);
            break;
        case comPromotedPawn:
            if (b.influence.comInfluence[tx][ty] >= b.influence.manInfluence[tx][ty]) score += 1;
            break;
        case comLance:
            lanceRules(t, score);
            break;
        case comKnight:
            knightRules(t, score);
            break;
        case comSilver:
            silverRules(t, score);
            break;
        case comGold:
            goldRules(t, score);
            break;
        case comBishop:
            bishopRules(t, score);
            break;
        case comPromotedBishop:
            score += 調査_周辺状況(b, tx, ty);
            break;
        case comRook:
            rookRules(t, score);
            break;
        case comPromotedRook:
            dragonRules(t, score);
            break;
        case comKing:
            kingRules(t, score);
            break;
        default:  // promoted lance, knight and silver: nothing more
            break;
    }
}

}  // namespace nobakuza
