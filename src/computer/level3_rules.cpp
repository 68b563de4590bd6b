// The rules of strength level 3: opening habits, pawn and lance tactics and piece safety, one
// block per kind of placed piece. A `return` ends the evaluation with the score reached.
#include <cstdlib>
#include <utility>

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
    Code cap;
    int fx, fy, tx, ty;
    int kf, kr;
    double& score;  // what the rules add to

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

    // The blocks of rules, by the kind of the placed piece.
    void pawnAnyRules() const;
    void pawnDropRules() const;
    void pawnFacingRules(Code ahead) const;
    void pawnMoveRules() const;
    void pawnRules() const;
    void promotedPawnRules() const;
    void lanceRules() const;
    void knightRules() const;
    void silverRules() const;
    void goldRules() const;
    void bishopRules() const;
    void rookRules() const;
    void dragonRules() const;
    void kingRules() const;
    void horseRules() const;
};

// Every pawn, dropped or moved: the opening rule of the left board, what the pawn aims at, and
// the pieces beside and ahead of it.
void Trial::pawnAnyRules() const {
    if (b.boardId == leftBoardId && at(7, 4) && board[5][1] == comKing &&
        cx.other.board[5][1] == comKing && cx.other.board[7][3] == emptySquare)
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
}

void Trial::pawnDropRules() const {
    if (in.comInfluence[tx][ty] > 0 && ty > 1 && board[tx][ty - 1] >= comSilver &&
        (b.manHand[pawnKind] > 0 || b.manHand[lanceKind] > 0))
        score += 6;
    if (board[2][8] == manBishop && at(2, 7) &&
        (in.manInfluence[2][7] == 0 || in.comInfluence[2][7] > 0))
        score += 30;
    const int ax = in.manCheapestAttackerX[tx][ty];
    const int ay = in.manCheapestAttackerY[tx][ty];
    if (cx.saved.savedComInfluence[ax][ay] > 0 && in.manInfluence[ax][ay] == 0) return;
    const Code attacker = in.manCheapestAttacker[tx][ty];
    if (in.comInfluence[tx][ty] > 0 && ax == tx && (attacker == manRook || attacker == manLance) &&
        ty < ay)
        score += 120;
}

// A pushed pawn that meets a human piece on the next square.
void Trial::pawnFacingRules(Code ahead) const {
    const int ci = in.comInfluence[tx][ty];
    const int mi = in.manInfluence[tx][ty];
    const SearchSnapshot& saved = cx.saved;
    if (ci > mi) {
        score += 1;
    } else if (ahead == manPawn) {
        score -= 5;
    } else if (ci == 0) {
        if (mi == 0) score += 1;
    } else if (saved.savedComInfluence[tx][ty + 1] > 0 &&
               saved.savedManInfluence[tx][ty + 1] == 0) {
        score -= 1;
    } else if (ci >= mi) {
        score += 5;
    }
}

void Trial::pawnMoveRules() const {
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
            if (at(7, 4) && board[8][2] == comBishop) score += 10;
            if (board[tx - 1][ty] == comBishop) {
                score += 0.5;
                if (board[tx - 1][ty + 2] == manPawn) score += 5;
            }
        }
    }
    if (cap <= -10 && in.comInfluence[fx][fy] == 1) {
        const Code attacker = in.manCheapestAttacker[tx][ty];
        if (ty > 2 && attacker == manLance && board[tx][ty - 2] == comBishop) {
            score -= 5;
        } else {
            score += 5;
        }
        if (cap == manPawn && (attacker == manLance || attacker == manRook)) score += 50;
    }
    if (board[tx][ty + 1] <= -10) pawnFacingRules(board[tx][ty + 1]);
}

void Trial::pawnRules() const {
    pawnAnyRules();
    if (isDrop()) {
        pawnDropRules();
    } else {
        pawnMoveRules();
    }
}

void Trial::promotedPawnRules() const {
    if (in.comInfluence[tx][ty] >= in.manInfluence[tx][ty]) score += 1;
}

void Trial::lanceRules() const {
    if (b.comHand[knightKind] > 0) score += 調査_桂狙い(b, tx, ty);
    if (isDrop() && ty < 8) {
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
    if (!isDrop() && cap == 0) score -= 0.9;
}

void Trial::knightRules() const {
    score -= 0.1;
    if (in.manInfluence[tx][ty + 1] > 0) score -= 1;
    if (ty < 8 && tx > 1 && tx < 9) {
        if (in.manInfluence[tx - 1][ty + 2] > 0 && in.manInfluence[tx + 1][ty + 2] > 0) score -= 1;
        if (at(7, 3) && board[8][4] == comBishop) score -= 5;
    }
}

void Trial::silverRules() const {
    if (ty <= 1) return;
    if (ty > fy && tx == fx) score -= 0.1;
    if (board[tx][ty - 1] == comKnight) score -= 0.5;
    if (at(7, 3) && board[8][3] == comPawn && board[8][5] == manPawn) score += 115;
}

void Trial::goldRules() const {
    const SearchSnapshot& saved = cx.saved;

    if (ty > fy && tx != fx) score -= 0.5;
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

void Trial::bishopRules() const {
    score += 調査_周辺状況(b, tx, ty);
    if (in.manInfluence[tx][ty] == 0 && cx.other.manKingFile == kf && cx.other.manKingRank == kr &&
        移動チェック角(b, tx, ty, kf, kr) == flagYes) {
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
    if (fy == 3) {
        if (fx == 9 && board[9][4] == comPawn && board[9][6] == manPawn &&
            in.manTopDefender[9][6] == manLance) {
            score += 10;
            return;
        }
        if (fx == 7 && board[8][5] == manPawn && in.manTopDefender[8][5] == manRook &&
            cx.saved.savedComInfluence[8][4] > in.comInfluence[8][4]) {
            score -= 10;
            return;
        }
    }
}

void Trial::rookRules() const {
    score += 調査_周辺状況(b, tx, ty);
    if (isDrop()) {
        if (ty == 9 && board[tx][8] == manSilver && tx > 1 && tx < 9 &&
            ((board[tx + 1][8] == manGold && board[tx - 1][9] != emptySquare) ||
             (board[tx - 1][8] == manGold && board[tx + 1][9] != emptySquare))) {
            score -= 1;
            return;
        }
    } else {
        if (in.manInfluence[tx][ty] == 0 && at(3, 4) && board[3][7] == manBishop &&
            board[3][6] == manPawn && board[3][5] == emptySquare)
            score += 7;
        if (ty < 8) {
            if (in.manInfluence[tx][ty + 1] > 0) {
                score -= 1;
                if (board[tx][ty + 2] == manPawn && ty == fy) score -= 5;
            }
            if (fy < 9 && board[8][fy + 1] == manPawn && in.manTopDefender[8][fy + 1] == manRook) {
                if (in.comInfluence[8][fy] < cx.saved.savedComInfluence[8][fy]) score -= 11;
                if (board[7][fy] == comPawn && ty != fy) score -= 11;
            }
            if (in.manInfluence[fx][fy] == 0 && fx == 2 && fy == 2 && at(2, 3)) score -= 1;
        }
    }
    if (safeOrGuardedAgainstKing()) {
        if (調査_移動可場所数(b, tx, ty, comRook) <= 1) {
            score -= 35;
            return;
        }
        if (besideKing()) {
            score += 100;
            return;
        }
    }
}

void Trial::dragonRules() const {
    score += 調査_周辺状況(b, tx, ty);
    // Row 0 of the board is always empty, so rank 1 never matches a human silver above.
    if (board[tx][ty - 1] == manSilver && tx > 1 && tx < 9 &&
        ((board[tx + 1][ty - 1] == manGold && board[tx - 1][ty] != emptySquare) ||
         (board[tx - 1][ty - 1] == manGold && board[tx + 1][ty] != emptySquare)))
        score -= 10;
    if (fy == 9 && fx >= 1 && board[fx][8] == manSilver) {
        if (fx > 1 && board[fx - 1][8] == manGold) score += 2;
        if (fx < 9 && board[fx + 1][8] == manGold) score += 2;
    }
    if (ty == 9 && isManPiece(board[tx][8])) {
        if (tx == 3 && isManPiece(board[2][9]) && board[4][8] == manGold) score -= 150;
        if (tx == 7 && isManPiece(board[8][9]) && board[6][8] == manGold) score -= 150;
    }
    if (safeOrGuardedAgainstKing() && besideKing()) {
        score += 100;
        return;
    }
}

void Trial::kingRules() const {
    if (in.comInfluence[tx][ty] > cx.saved.savedComInfluence[tx][ty]) score += 1;
    if (調査_移動可場所数(b, tx, ty, comKing) < 2) score -= 20;
}

void Trial::horseRules() const {
    score += 調査_周辺状況(b, tx, ty);
}

using KindRules = void (Trial::*)() const;

// The block of rules of each placed code; a promoted lance, knight or silver has none.
constexpr std::pair<Code, KindRules> rulesOfKind[] = {
    {comPawn, &Trial::pawnRules},     {comPromotedPawn, &Trial::promotedPawnRules},
    {comLance, &Trial::lanceRules},   {comKnight, &Trial::knightRules},
    {comSilver, &Trial::silverRules}, {comGold, &Trial::goldRules},
    {comBishop, &Trial::bishopRules}, {comPromotedBishop, &Trial::horseRules},
    {comRook, &Trial::rookRules},     {comPromotedRook, &Trial::dragonRules},
    {comKing, &Trial::kingRules},
};

}  // namespace

void 盤評価_レベル3(const EvaluationContext& cx, double& score, Code cap, Code pc, int fx, int fy,
                    int tx, int ty) {
    BoardState& b = cx.board;
    const Trial t{cx, b,  b.influence, b.board,       cap,           fx,
                  fy, tx, ty,          b.manKingFile, b.manKingRank, score};
    for (const auto& [code, rules] : rulesOfKind) {
        if (code == pc) {
            (t.*rules)();
            return;
        }
    }
}

}  // namespace nobakuza
