// Hand-built positions for the computer player's tests: both boards empty, pieces put one by one.
#pragma once

#include "board/board_model.h"
#include "computer/board_evaluation.h"
#include "computer/computer_state.h"
#include "computer/move_search.h"
#include "influence/influence_survey.h"

namespace nobakuza::testing {

struct Position {
    GameState g;
    ComputerState cs;

    // Puts a piece; a human king also sets the board's king square, as a move would.
    void put(BoardState& b, int f, int r, Code c) {
        b.board[f][r] = c;
        if (c == manKing) {
            b.manKingFile = static_cast<std::int16_t>(f);
            b.manKingRank = static_cast<std::int16_t>(r);
        }
    }

    void give(BoardState& b, bool computer, int kind, int count = 1) {
        Hand& h = computer ? b.comHand : b.manHand;
        h[kind] = static_cast<std::int16_t>(h[kind] + count);
        recountHandTotals(b);
    }

    // Scores one candidate as the search would: the search's preparation on the position before
    // the move, the move made in place, a survey, the evaluation; then the move is taken back.
    double score(BoardState& b, int fx, int fy, int tx, int ty, Code placed) {
        勢力調査(g.other(b));
        勢力調査(b);
        prepareSearch(b, cs);
        const Code captured = fx >= 1 ? b.board[tx][ty] : emptySquare;
        const Code moving = fx >= 1 ? b.board[fx][fy] : emptySquare;
        if (fx >= 1) b.board[fx][fy] = emptySquare;
        b.board[tx][ty] = placed;
        勢力調査(b);
        const EvaluationContext cx{b, g.other(b), cs.of(b), cs.kingEscapeResult, g.comLevel};
        const double s = 盤評価(cx, captured, placed, fx, fy, tx, ty);
        b.board[tx][ty] = captured;
        if (fx >= 1) b.board[fx][fy] = moving;
        勢力調査(b);
        return s;
    }
};

// Counts the game's callbacks, so a test can see where a search stopped.
struct CountingHooks : SearchHooks {
    int repaints = 0;
    int ticks = 0;
    void repaint() override { ++repaints; }
    void clockTick() override { ++ticks; }
};

}  // namespace nobakuza::testing
