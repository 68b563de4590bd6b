#include "computer/board_evaluation.h"

#include <gtest/gtest.h>

#include "computer/danger_squares.h"
#include "computer/survey_helpers.h"
#include "position_builder.h"

namespace nobakuza {
namespace {

using testing::Position;

// The human king in the corner (1, 9) with a computer silver on (2, 7): a gold dropped on (1, 8)
// is defended by the silver and covers both flight squares.
Position cornerMate() {
    Position p;
    p.put(p.g.right, 9, 1, comKing);
    p.put(p.g.right, 2, 7, comSilver);
    p.put(p.g.right, 1, 9, manKing);
    p.put(p.g.left, 9, 1, comKing);
    p.put(p.g.left, 9, 9, manKing);
    return p;
}

TEST(BoardEvaluation, FixedResults) {
    {
        Position p = cornerMate();
        EXPECT_EQ(p.score(p.g.right, comHandColumn, goldKind, 1, 8, comGold), scoreMate);
        p.g.comLevel = 1;
        EXPECT_EQ(p.score(p.g.right, comHandColumn, goldKind, 1, 8, comGold), scoreMate);
    }
    {
        // The same mate given by a pawn is refused; the pawn leaves (2, 9) to a gold on (3, 8).
        Position p = cornerMate();
        p.put(p.g.right, 3, 8, comGold);
        EXPECT_EQ(p.score(p.g.right, comHandColumn, 1, 1, 8, comPawn), scoreLosing);
        EXPECT_EQ(p.score(p.g.right, comHandColumn, goldKind, 1, 8, comGold), scoreMate);
    }
    {
        // Taking the king wins at every level, before any other rule.
        Position p = cornerMate();
        p.g.comLevel = 1;
        p.put(p.g.right, 1, 1, comLance);
        EXPECT_EQ(p.score(p.g.right, 1, 1, 1, 9, comPromotedLance), scoreKingCaptured);
    }
    {
        // A human rook that reaches this board's computer king spoils even a mate.
        Position p = cornerMate();
        p.put(p.g.right, 9, 5, manRook);
        EXPECT_EQ(p.score(p.g.right, comHandColumn, goldKind, 1, 8, comGold), scoreLosing);
    }
    {
        // ... and so does one that reaches the square where the other board's computer king
        // stands: a human move there would take that king across the boards.
        Position p = cornerMate();
        p.g.left.board[9][1] = emptySquare;
        p.put(p.g.left, 5, 5, comKing);
        p.put(p.g.right, 5, 7, manRook);
        EXPECT_EQ(p.score(p.g.right, comHandColumn, goldKind, 1, 8, comGold), scoreLosing);
    }
    {
        // A board move onto the other board's human king.
        Position p = cornerMate();
        p.g.left.board[9][9] = emptySquare;
        p.put(p.g.left, 3, 8, manKing);
        EXPECT_EQ(p.score(p.g.right, 2, 7, 3, 8, comSilver), scoreMate);
    }
}

TEST(BoardEvaluation, OpeningPawnRuleOnTheLeftBoardOnly) {
    Position p;
    for (BoardState* b : {&p.g.left, &p.g.right}) {
        p.put(*b, 5, 1, comKing);
        p.put(*b, 5, 9, manKing);
    }
    // Worked by hand: -5 for a drop and nothing else on the right board.
    EXPECT_DOUBLE_EQ(p.score(p.g.right, comHandColumn, 1, 7, 4, comPawn), -5);
    EXPECT_DOUBLE_EQ(p.score(p.g.left, comHandColumn, 1, 7, 4, comPawn), -25);
    // Not when the other board's (7, 3) is taken.
    p.put(p.g.right, 7, 3, manPawn);
    EXPECT_DOUBLE_EQ(p.score(p.g.left, comHandColumn, 1, 7, 4, comPawn), -5);
}

TEST(BoardEvaluation, MaterialIsSeenFromLevelTwo) {
    Position p;
    p.put(p.g.right, 1, 1, comKing);
    p.put(p.g.right, 5, 4, comPawn);
    p.put(p.g.right, 5, 5, manRook);
    p.put(p.g.right, 9, 9, manKing);
    p.g.comLevel = 1;
    EXPECT_DOUBLE_EQ(p.score(p.g.right, 5, 4, 5, 5, comPawn), 10);
    p.g.comLevel = 2;
    EXPECT_DOUBLE_EQ(p.score(p.g.right, 5, 4, 5, 5, comPawn), 910);

    // A pawn dropped where the rook takes it and nothing defends it: -5 for the drop, -10 and -50
    // for the loss; the danger scan counts both attacked pawns (-10 each).
    EXPECT_DOUBLE_EQ(p.score(p.g.right, comHandColumn, 1, 4, 5, comPawn), -5 - 20 - 10 - 50);
}

TEST(BoardEvaluation, LevelThreeLanceAndBishopRules) {
    // A lance dropped on (5, 4), defended by a gold, facing a human silver with a rook behind it
    // on the open file: the lance rule returns the rook's value. Worked by hand: -5 for the drop,
    // nothing else before it.
    Position p;
    BoardState& b = p.g.right;
    p.put(b, 9, 1, comKing);
    p.put(b, 5, 3, comGold);
    p.put(b, 5, 5, manSilver);
    p.put(b, 5, 8, manRook);
    p.put(b, 1, 9, manKing);
    p.put(p.g.left, 9, 1, comKing);
    p.put(p.g.left, 9, 9, manKing);
    EXPECT_DOUBLE_EQ(p.score(b, comHandColumn, 2, 5, 4, comLance), -5 + 900);
    p.put(b, 5, 8, manPawn);  // a cheap piece behind ends the look without a gain
    EXPECT_DOUBLE_EQ(p.score(b, comHandColumn, 2, 5, 4, comLance), -5);

    // A bishop dropped on (1, 5) reaches the human king on (5, 9) while the other board's human
    // king stands on the same square: check (+10), drop (-5), the fork test's 0.1 for the king,
    // one escape square taken (+1), then +9999.
    Position q;
    BoardState& c = q.g.right;
    q.put(c, 9, 1, comKing);
    q.put(c, 5, 9, manKing);
    q.put(q.g.left, 9, 1, comKing);
    q.put(q.g.left, 5, 9, manKing);
    EXPECT_DOUBLE_EQ(q.score(c, comHandColumn, 6, 1, 5, comBishop), 10.0 - 5 + 0.1 + 1 + 9999);
    q.g.left.board[5][9] = emptySquare;
    q.put(q.g.left, 5, 8, manKing);
    EXPECT_DOUBLE_EQ(q.score(c, comHandColumn, 6, 1, 5, comBishop), 10.0 - 5 + 0.1 + 1);
}

TEST(DangerSquares, ForkBonusAndRecapturedValue) {
    Position p;
    BoardState& b = p.g.right;
    p.put(b, 1, 1, comKing);
    p.put(b, 4, 7, manSilver);
    p.put(b, 6, 7, manGold);
    p.put(b, 9, 9, manKing);
    勢力調査(b);
    prepareSearch(b, p.cs);
    b.board[5][5] = comKnight;  // dropped: safe, and it reaches both undefended pieces
    勢力調査(b);
    EXPECT_DOUBLE_EQ(盤評価_COM危険座標(b, p.cs.right, comKnight, 5, 5), 0.1 + 0.1 + 100);

    b.board[6][7] = emptySquare;  // one target: only the 0.1
    勢力調査(b);
    EXPECT_DOUBLE_EQ(盤評価_COM危険座標(b, p.cs.right, comKnight, 5, 5), 0.1);

    // A silver that takes a pawn defended by a gold, and stands undefended: it loses its value
    // but gets back the pawn that stood there when the turn began.
    Position q;
    BoardState& c = q.g.right;
    q.put(c, 1, 1, comKing);
    q.put(c, 5, 4, comSilver);
    q.put(c, 5, 5, manPawn);
    q.put(c, 5, 6, manGold);
    q.put(c, 9, 9, manKing);
    勢力調査(c);
    prepareSearch(c, q.cs);
    c.board[5][4] = emptySquare;
    c.board[5][5] = comSilver;
    勢力調査(c);
    EXPECT_DOUBLE_EQ(盤評価_COM危険座標(c, q.cs.right, comSilver, 5, 5), -100 + 10);
}

TEST(SurveyMarks, ImmobilePiecesAndBishopDropSquares) {
    Position p;
    BoardState& b = p.g.right;
    SearchSnapshot& s = p.cs.right;
    p.put(b, 5, 9, manKing);
    p.put(b, 5, 7, manGold);  // between the king and a computer rook
    p.put(b, 5, 2, comRook);
    p.put(b, 3, 7, manSilver);  // between the king and a computer bishop
    p.put(b, 1, 5, comBishop);
    p.put(b, 7, 7, manPawn);  // free
    EXPECT_EQ(調査_移動不可駒(b, s), 2);
    EXPECT_EQ(s.immobileMark[5][7], 1);
    EXPECT_EQ(s.immobileMark[3][7], 1);
    EXPECT_EQ(s.immobileMark[7][7], 0);
    EXPECT_EQ(s.immobileMark[5][9], 0);
    p.put(b, 5, 5, manPawn);  // two blockers on the file: neither is pinned
    EXPECT_EQ(調査_移動不可駒(b, s), 1);
    EXPECT_EQ(s.immobileMark[5][7], 0);
    EXPECT_EQ(s.immobileMark[5][5], 0);
    EXPECT_EQ(b.board[5][7], manGold);

    // Bishop-drop squares: the empty diagonals of the computer king, undefended or next to it.
    Position q;
    BoardState& c = q.g.right;
    SearchSnapshot& t = q.cs.right;
    q.put(c, 5, 1, comKing);
    q.put(c, 5, 9, manKing);
    勢力調査(c);
    EXPECT_EQ(調査_持角狙座標(c, t), 8);
    EXPECT_EQ(t.bishopDropMark[4][2], 1);
    EXPECT_EQ(t.bishopDropMark[1][5], 1);
    EXPECT_EQ(t.bishopDropMark[9][5], 1);
    EXPECT_EQ(t.bishopDropMark[5][2], 0);
    EXPECT_EQ(t.bishopDropMark[5][1], 0);

    // A silver put on (3, 5) shares a diagonal with the marked (2, 4): caution costs its value
    // when the human could bring a bishop there.
    c.board[3][5] = comSilver;
    勢力調査(c);
    EXPECT_EQ(盤評価_自角注意_COM(c, t, 3, 5, comSilver), 0);
    c.manHand[bishopKind] = 1;
    EXPECT_EQ(盤評価_自角注意_COM(c, t, 3, 5, comSilver), comSilver);
    c.manHand[bishopKind] = 0;
    c.board[1][3] = manBishop;  // reaches (2, 4)
    EXPECT_EQ(盤評価_自角注意_COM(c, t, 3, 5, comSilver), comSilver);
    c.board[1][3] = emptySquare;
    c.board[6][8] = manBishop;  // its diagonal to (2, 4) runs through the silver itself
    EXPECT_EQ(盤評価_自角注意_COM(c, t, 3, 5, comSilver), 0);
    t.bishopDropMark = Table{};
    c.manHand[bishopKind] = 1;
    EXPECT_EQ(盤評価_自角注意_COM(c, t, 3, 5, comSilver), 0);
}

TEST(SurveyHelpers, SafeSquaresLineBackingAndSurroundings) {
    Position p;
    BoardState& b = p.g.right;
    p.put(b, 1, 1, comRook);
    p.put(b, 2, 2, manRook);
    p.put(b, 9, 2, manLance);
    勢力調査(b);
    // The computer rook reaches (2..9, 1) and (1, 2..9); the human rook covers (2, 1) and (1, 2),
    // the human lance (9, 1).
    EXPECT_EQ(調査_移動可場所数(b, 1, 1, comRook), 6 + 7);

    Position q;
    BoardState& c = q.g.right;
    q.put(c, 5, 5, manPawn);
    q.put(c, 5, 8, manRook);
    EXPECT_EQ(調査_自守駒MAN_直進駒(c, 5, 4), 0);  // the pawn blocks the rook
    EXPECT_EQ(調査_自守駒MAN_直進駒(c, 5, 5), 1);  // the pawn itself is backed
    EXPECT_EQ(c.board[5][5], manPawn);
    q.put(c, 5, 7, comPawn);
    EXPECT_EQ(調査_自守駒MAN_直進駒(c, 5, 5), 0);  // a computer piece ends the walk

    q.put(c, 1, 2, comKing);
    q.put(c, 2, 2, comBishop);
    q.put(c, 2, 1, comPawn);
    EXPECT_EQ(調査_周辺状況(c, 1, 1), -2);
    EXPECT_EQ(調査_桂狙い(c, 5, 5), 0);
}

}  // namespace
}  // namespace nobakuza
