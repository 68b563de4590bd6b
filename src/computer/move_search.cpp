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
    s.savedComCheapestAttackerX = b.influence.comCheapestAttackerX;
    s.savedComCheapestAttackerY = b.influence.comCheapestAttackerY;
}

void com_ban(GameState& g, BoardState& b, ComputerState& cs, SearchResult& result,
             SearchHooks* hooks) {
    SearchSnapshot& s = cs.of(b);
    const BoardState& other = g.other(b);
    Table& board = b.board;

    result.score = scoreNothingLegal;
    result.capturesKing = false;
    prepareSearch(b, cs);
    if (hooks) hooks->repaint();

    const EvaluationContext cx{b, other, s, cs.kingEscapeResult, g.comLevel};

    for (int ff = 1; ff <= boardSize; ++ff) {
        if (hooks) hooks->clockTick();
        for (int fr = 1; fr <= boardSize; ++fr) {
            const Code trial = board[ff][fr];
            if (trial < 10) continue;
            // Only the squares the piece could reach, in the order of the whole board.
            const ReachBox& box = reachBoxOf(trial);
            const int file1 = std::min(ff + box.df1, static_cast<int>(boardSize));
            const int rank0 = std::max(fr + box.dr0, 1);
            const int rank1 = std::min(fr + box.dr1, static_cast<int>(boardSize));
            for (int tf = std::max(ff + box.df0, 1); tf <= file1; ++tf)
                for (int tr = rank0; tr <= rank1; ++tr) {
                    if (!shapeAllows(trial, tf - ff, tr - fr) ||
                        移動チェック(b, ff, fr, tf, tr, trial) != flagYes)
                        continue;
                    const Code captured = board[tf][tr];
                    board[ff][fr] = emptySquare;
                    board[tf][tr] = trial;

                    double score;
                    Code placed = trial;
                    if (調査_駒成(b, ff, fr, tf, tr, trial) == flagNo) {
                        勢力調査(b);
                        score = 盤評価(cx, captured, trial, ff, fr, tf, tr);
                    } else {
                        const Code promoted = b.promotedPiece;
                        if (移動後チェック(tr, trial) == flagNo) {
                            board[tf][tr] = promoted;
                            勢力調査(b);
                            score = 盤評価(cx, captured, promoted, ff, fr, tf, tr);
                            placed = promoted;
                        } else {
                            勢力調査(b);
                            score = 盤評価(cx, captured, trial, ff, fr, tf, tr);
                            board[tf][tr] = promoted;
                            勢力調査(b);
                            const double promotedScore =
                                盤評価(cx, captured, promoted, ff, fr, tf, tr);
                            if (promotedScore > score) {
                                score = promotedScore;
                                placed = promoted;
                            }
                            if (alwaysPromotes(trial)) placed = promoted;
                        }
                    }

                    board[tf][tr] = captured;
                    board[ff][fr] = trial;

                    // Taking a king wins the game: nothing else can be better.
                    const bool takesKing = captured == manKing || other.board[tf][tr] == manKing;
                    if (score > result.score || takesKing) {
                        result.score = score;
                        result.fromFile = static_cast<std::int16_t>(ff);
                        result.fromRank = static_cast<std::int16_t>(fr);
                        result.toFile = static_cast<std::int16_t>(tf);
                        result.toRank = static_cast<std::int16_t>(tr);
                        result.moved = trial;
                        result.placed = placed;
                        if (takesKing) {
                            result.capturesKing = true;
                            return;
                        }
                    }
                }
        }
    }

    if (s.comHandTotalSnapshot <= 0) return;
    for (int k = 1; k <= handKinds; ++k) {
        if (hooks) hooks->clockTick();
        if (b.comHand[k] < 1) continue;
        const Code trial = kindCode[k];
        for (int tf = 1; tf <= boardSize; ++tf)
            for (int tr = 1; tr <= boardSize; ++tr) {
                if (移動チェック(b, comHandColumn, k, tf, tr, trial) != flagYes) continue;
                board[tf][tr] = trial;
                勢力調査(b);
                const double score = 盤評価(cx, emptySquare, trial, comHandColumn, k, tf, tr);
                board[tf][tr] = emptySquare;
                if (score > result.score) {
                    result.score = score;
                    result.fromFile = comHandColumn;
                    result.fromRank = static_cast<std::int16_t>(k);
                    result.toFile = static_cast<std::int16_t>(tf);
                    result.toRank = static_cast<std::int16_t>(tr);
                    result.placed = trial;
                    if (result.score >= scoreMate) return;
                }
            }
    }
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
