#include "board/invariants.h"

#include <gtest/gtest.h>

#include "board/move_execution.h"

namespace nobakuza {
namespace {

GameState startedGame() {
    GameState g;
    setInitialPosition(g.left.board);
    setInitialPosition(g.right.board);
    for (BoardState* b : {&g.left, &g.right}) {
        b->manKingFile = 5;
        b->manKingRank = 9;
    }
    g.manSide = senteSide;
    g.comSide = goteSide;
    return g;
}

TEST(Invariants, HoldThroughCapturesAndCatchEachKindOfBrokenBoard) {
    GameState g = startedGame();
    EXPECT_FALSE(checkGameInvariants(g));
    // Bishops exchanged across both boards: pieces change hands, the totals follow.
    駒移動(g, g.left, 3, 7, 3, 6, manPawn);
    駒移動(g, g.left, 7, 3, 7, 4, comPawn);
    駒移動(g, g.left, 2, 8, 8, 2, manPromotedBishop);  // also takes the right board's bishop
    EXPECT_FALSE(checkGameInvariants(g)) << *checkGameInvariants(g);
    EXPECT_EQ(g.right.manHand[6], 1);

    auto broken = [&](auto change) {
        GameState h = g;
        change(h);
        return checkGameInvariants(h).has_value();
    };
    EXPECT_TRUE(broken([](GameState& h) { h.left.board[5][5] = comGoldAlias; }));
    EXPECT_TRUE(broken([](GameState& h) { h.left.board[5][5] = 12; }));
    EXPECT_TRUE(broken([](GameState& h) { h.left.board[0][5] = comPawn; }));
    EXPECT_TRUE(broken([](GameState& h) { ++h.left.manHandTotal; }));
    EXPECT_TRUE(broken([](GameState& h) { ++h.right.comHand[1]; }));  // a 19th pawn
    EXPECT_TRUE(broken([](GameState& h) {                             // a hand below zero
        h.right.manHand[6] = -1;
        h.right.manHandTotal = -1;
        h.right.board[5][5] = manBishop;
        h.right.board[4][4] = manBishop;
    }));
    EXPECT_TRUE(broken([](GameState& h) { h.left.board[5][5] = manSilver; }));     // a 41st piece
    EXPECT_TRUE(broken([](GameState& h) { h.right.board[5][9] = emptySquare; }));  // king gone
    EXPECT_TRUE(broken([](GameState& h) { h.right.board[5][5] = comKing; }));      // two kings
    EXPECT_TRUE(broken([](GameState& h) { h.left.manKingRank = 8; }));  // stale king square
    // A piece moved from one board to the other keeps both sets whole only on paper.
    EXPECT_TRUE(broken([](GameState& h) {
        h.left.board[1][7] = emptySquare;
        h.right.board[5][5] = manPawn;
    }));
}

TEST(Invariants, AKingCaptureEndsTheGameWithTheCapturersTotalOneAhead) {
    GameState g = startedGame();
    // Clear a path: the human's rook walks up file 8 of the left board and takes the king square
    // after the king has been moved onto it.
    g.left.board[8][7] = emptySquare;
    g.left.board[8][3] = emptySquare;
    g.left.board[5][1] = emptySquare;
    g.left.board[8][2] = comKing;  // the bishop that stood there goes to the human's hand
    g.left.manHand[6] = 1;
    g.left.manHand[1] = 1;  // and the two pawns taken off file 8, one to each hand
    g.left.comHand[1] = 1;
    recountHandTotals(g.left);
    ASSERT_FALSE(checkGameInvariants(g)) << *checkGameInvariants(g);
    ASSERT_FALSE(checkMoveAllowed(g.left, false, 8, 8, 8, 2, manPromotedRook));
    駒移動(g, g.left, 8, 8, 8, 2, manPromotedRook);
    EXPECT_EQ(g.winner, g.manSide);
    EXPECT_EQ(g.left.manHandTotal, 3);  // two pieces and the king
    EXPECT_FALSE(checkGameInvariants(g)) << *checkGameInvariants(g);

    GameState h = g;
    h.winner = noSide;  // a king gone but nobody has won
    EXPECT_TRUE(checkGameInvariants(h));
    h = g;
    h.winner = h.comSide;  // the winner's own king cannot be the one taken
    EXPECT_TRUE(checkGameInvariants(h));
    h = g;
    --h.left.manHandTotal;  // a record restored after the game recounts totals: still whole
    EXPECT_FALSE(checkGameInvariants(h));
    h.left.manHandTotal = static_cast<std::int16_t>(h.left.manHandTotal + 2);
    EXPECT_TRUE(checkGameInvariants(h));
}

TEST(Invariants, MoveCheckAcceptsOnlyWhatTheRulesAllow) {
    GameState g = startedGame();
    const BoardState& b = g.left;
    EXPECT_FALSE(checkMoveAllowed(b, false, 7, 7, 7, 6, manPawn));
    EXPECT_FALSE(checkMoveAllowed(b, true, 3, 3, 3, 4, comPawn));
    EXPECT_TRUE(checkMoveAllowed(b, false, 7, 7, 7, 5, manPawn));          // two steps
    EXPECT_TRUE(checkMoveAllowed(b, false, 3, 3, 3, 4, comPawn));          // not the mover's piece
    EXPECT_TRUE(checkMoveAllowed(b, false, 5, 5, 5, 4, manPawn));          // nothing stands there
    EXPECT_TRUE(checkMoveAllowed(b, false, 7, 7, 7, 6, manPromotedPawn));  // outside the zone
    EXPECT_TRUE(checkMoveAllowed(b, false, 7, 7, 7, 6, manGold));          // not its promotion
    EXPECT_TRUE(checkMoveAllowed(b, false, 7, 7, 7, 0, manPawn));          // off the board

    GameState d = g;
    d.left.manHand[1] = 1;
    d.left.manHandTotal = 1;
    d.left.board[5][7] = emptySquare;  // the fifth file's pawn went into the hand
    d.left.manPawnFiles = {};          // stale flags must not let a second pawn in
    EXPECT_TRUE(checkMoveAllowed(d.left, false, manHandColumn, 3, 1, 5, manPawn));
    EXPECT_FALSE(checkMoveAllowed(d.left, false, manHandColumn, 3, 5, 5, manPawn));
    EXPECT_TRUE(checkMoveAllowed(d.left, false, manHandColumn, 3, 5, 1, manPawn));   // last rank
    EXPECT_TRUE(checkMoveAllowed(d.left, false, manHandColumn, 4, 5, 5, manLance));  // not in hand
    EXPECT_TRUE(checkMoveAllowed(d.left, false, manHandColumn, 3, 5, 5, manPromotedPawn));
    EXPECT_TRUE(checkMoveAllowed(d.left, true, comHandColumn, 1, 5, 5, comPawn));  // not its hand
}

}  // namespace
}  // namespace nobakuza
