#include "computer/move_search.h"

#include <algorithm>

#include "board/move_execution.h"
#include "board/move_legality.h"
#include "board/piece_movement.h"
#include "computer/board_evaluation.h"
#include "computer/survey_helpers.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"

namespace nobakuza {

namespace {

constexpr bool alwaysPromotes(Code c) {
    return c == comPawn || c == comBishop || c == comRook;
}

// Puts `placed` on the destination of a trial move already made, surveys the board and scores
// the position.
double scorePlaced(const EvaluationContext& cx, Code captured, Code placed, int fromFile,
                   int fromRank, int toFile, int toRank) {
    cx.board.board[toFile][toRank] = placed;
    勢力調査(cx.board);
    return 盤評価(cx, captured, placed, fromFile, fromRank, toFile, toRank);
}

struct Scored {
    double score;
    Code placed;
};

// One board move, made in place and taken back: scored unpromoted, promoted where the piece could
// not move again otherwise, or both where it may choose (the better wins, and a pawn, bishop or
// rook that may promote always does, whichever scored better).
Scored scoreBoardMove(const EvaluationContext& cx, Code trial, int ff, int fr, int tf, int tr) {
    BoardState& b = cx.board;
    const Code captured = b.board[tf][tr];
    b.board[ff][fr] = emptySquare;
    Scored best{0, trial};
    if (調査_駒成(b, ff, fr, tf, tr, trial) == flagNo) {
        best.score = scorePlaced(cx, captured, trial, ff, fr, tf, tr);
    } else {
        const Code promoted = b.promotedPiece;
        if (移動後チェック(tr, trial) == flagNo) {
            best = {scorePlaced(cx, captured, promoted, ff, fr, tf, tr), promoted};
        } else {
            best.score = scorePlaced(cx, captured, trial, ff, fr, tf, tr);
            const double promotedScore = scorePlaced(cx, captured, promoted, ff, fr, tf, tr);
            if (promotedScore > best.score) best = {promotedScore, promoted};
            if (alwaysPromotes(trial)) best.placed = promoted;
        }
    }
    b.board[tf][tr] = captured;
    b.board[ff][fr] = trial;
    return best;
}

void takeAsBest(SearchResult& result, double score, int ff, int fr, int tf, int tr, Code placed) {
    result.score = score;
    result.fromFile = static_cast<std::int16_t>(ff);
    result.fromRank = static_cast<std::int16_t>(fr);
    result.toFile = static_cast<std::int16_t>(tf);
    result.toRank = static_cast<std::int16_t>(tr);
    result.placed = placed;
}

// The board moves of the computer piece on (ff, fr), to-file then to-rank. True when one takes a
// human king: that wins the game, so the search ends there.
bool searchPieceMoves(const EvaluationContext& cx, int ff, int fr, SearchResult& result) {
    const BoardState& b = cx.board;
    const Code trial = b.board[ff][fr];
    // Only the squares the piece could reach, visited in the order of the whole board.
    const ReachBox& box = reachBoxOf(trial);
    const int file1 = std::min(ff + box.df1, static_cast<int>(boardSize));
    const int rank0 = std::max(fr + box.dr0, 1);
    const int rank1 = std::min(fr + box.dr1, static_cast<int>(boardSize));
    for (int tf = std::max(ff + box.df0, 1); tf <= file1; ++tf)
        for (int tr = rank0; tr <= rank1; ++tr) {
            if (!shapeAllows(trial, tf - ff, tr - fr) ||
                移動チェック(b, ff, fr, tf, tr, trial) != flagYes)
                continue;
            const Scored s = scoreBoardMove(cx, trial, ff, fr, tf, tr);
            const bool takesKing = b.board[tf][tr] == manKing || cx.other.board[tf][tr] == manKing;
            if (s.score > result.score || takesKing) {
                takeAsBest(result, s.score, ff, fr, tf, tr, s.placed);
                result.moved = trial;
                result.capturesKing = takesKing;
                if (takesKing) return true;
            }
        }
    return false;
}

// Every drop of the computer, kind by kind. A drop that mates ends the search.
void searchDrops(const EvaluationContext& cx, SearchResult& result, SearchHooks* hooks) {
    BoardState& b = cx.board;
    for (int k = 1; k <= handKinds; ++k) {
        if (hooks) hooks->clockTick();
        if (b.comHand[k] < 1) continue;
        const Code trial = kindCode[k];
        for (int tf = 1; tf <= boardSize; ++tf)
            for (int tr = 1; tr <= boardSize; ++tr) {
                if (移動チェック(b, comHandColumn, k, tf, tr, trial) != flagYes) continue;
                const double score = scorePlaced(cx, emptySquare, trial, comHandColumn, k, tf, tr);
                b.board[tf][tr] = emptySquare;
                if (score > result.score) {
                    takeAsBest(result, score, comHandColumn, k, tf, tr, trial);
                    if (result.score >= scoreMate) return;
                }
            }
    }
}

}  // namespace

void prepareSearch(BoardState& b, ComputerState& cs) {
    SearchSnapshot& s = cs.of(b);
    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j) {
            s.boardAtTurnStart[i][j] = b.board[i][j];
            b.escapeMark[i][j] = 0;
        }
    調査_2歩フラグ設定(b);
    // Reads the tables of the board's previous survey, as the turn left them.
    cs.kingEscapeResult = 調査_自王逃道(b);
    勢力調査(b);
    調査_持角狙座標(b, s);
    調査_移動不可駒(b, s);
    s.comHandTotalSnapshot = b.comHandTotal;
    s.savedManInfluence = b.influence.manInfluence;
    s.savedComInfluence = b.influence.comInfluence;
}

void com_ban(GameState& g, BoardState& b, ComputerState& cs, SearchResult& result,
             SearchHooks* hooks) {
    result.score = scoreNothingLegal;
    result.capturesKing = false;
    prepareSearch(b, cs);
    if (hooks) hooks->repaint();

    const EvaluationContext cx{b, g.other(b), cs.of(b), cs.kingEscapeResult, g.comLevel};
    for (int ff = 1; ff <= boardSize; ++ff) {
        if (hooks) hooks->clockTick();
        for (int fr = 1; fr <= boardSize; ++fr)
            if (isComPiece(b.board[ff][fr]) && searchPieceMoves(cx, ff, fr, result)) return;
    }
    if (cs.of(b).comHandTotalSnapshot > 0) searchDrops(cx, result, hooks);
}

std::int16_t chooseComputerBoard(const GameState& g, const SearchResult& right,
                                 const SearchResult& left) {
    if (right.capturesKing) return rightBoardId;
    if (left.capturesKing) return leftBoardId;
    const BoardState& r = g.right;
    const BoardState& l = g.left;
    if (r.influence.manInfluence[r.comKingFile][r.comKingRank] > 0) return rightBoardId;
    if (l.influence.manInfluence[l.comKingFile][l.comKingRank] > 0) return leftBoardId;
    if (left.score <= right.score) return rightBoardId;
    return leftBoardId;
}

std::int16_t searchComputerTurn(GameState& g, ComputerState& cs, SearchResult& right,
                                SearchResult& left, SearchHooks* hooks) {
    勢力調査(g.left);
    勢力調査(g.right);
    com_ban(g, g.right, cs, right, hooks);
    勢力調査(g.right);
    com_ban(g, g.left, cs, left, hooks);
    勢力調査(g.left);
    return chooseComputerBoard(g, right, left);
}

}  // namespace nobakuza
