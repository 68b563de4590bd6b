#include "computer/move_search.h"

#include <gtest/gtest.h>

#include "position_builder.h"

namespace nobakuza {
namespace {

using testing::CountingHooks;
using testing::Position;

TEST(MoveSearch, KingCaptureEndsTheSearchAtOnce) {
    {
        Position p;
        BoardState& b = p.g.right;
        p.put(b, 9, 1, comKing);
        p.put(b, 1, 1, comLance);
        p.put(b, 1, 5, manKing);
        p.put(b, 5, 5, comRook);
        const Table before = b.board;
        SearchResult r;
        CountingHooks hooks;
        com_ban(p.g, b, p.cs, r, &hooks);
        EXPECT_EQ(hooks.repaints, 1);
        EXPECT_EQ(hooks.ticks, 1);  // stopped inside the first from-file
        EXPECT_EQ(r.score, scoreKingCaptured);
        EXPECT_EQ(r.fromFile, 1);
        EXPECT_EQ(r.fromRank, 1);
        EXPECT_EQ(r.toFile, 1);
        EXPECT_EQ(r.toRank, 5);
        EXPECT_EQ(r.moved, comLance);
        EXPECT_EQ(r.placed, comLance);
        EXPECT_TRUE(r.capturesKing);
        EXPECT_EQ(b.board, before);
    }
    {
        // Across the boards: the gold's move to (3, 6) takes the left board's king although it
        // opens the file to the computer king on this board and scores below the king's steps.
        Position p;
        BoardState& b = p.g.right;
        p.put(b, 2, 1, comKing);
        p.put(b, 2, 5, comGold);
        p.put(b, 2, 9, manRook);
        p.put(b, 9, 9, manKing);
        p.put(p.g.left, 9, 1, comKing);
        p.put(p.g.left, 3, 6, manKing);
        勢力調査(p.g.left);
        SearchResult r;
        CountingHooks hooks;
        com_ban(p.g, b, p.cs, r, &hooks);
        EXPECT_EQ(hooks.ticks, 2);
        EXPECT_EQ(r.score, scoreLosing);
        EXPECT_EQ(r.fromFile, 2);
        EXPECT_EQ(r.fromRank, 5);
        EXPECT_EQ(r.toFile, 3);
        EXPECT_EQ(r.toRank, 6);
        EXPECT_TRUE(r.capturesKing);
        EXPECT_EQ(p.g.left.board[3][6], manKing);  // the search never touches the other board

        // The board choice plays it although this board's computer king is not attacked and the
        // other board scores more.
        SearchResult left;
        left.score = 500;
        EXPECT_EQ(chooseComputerBoard(p.g, r, left), rightBoardId);
        EXPECT_EQ(chooseComputerBoard(p.g, left, r), leftBoardId);
    }
}

// The human king in the corner (1, 9); a computer silver on (2, 7) guards (1, 8) and (2, 8).
Position cornerPosition() {
    Position p;
    p.put(p.g.right, 9, 1, comKing);
    p.put(p.g.right, 2, 7, comSilver);
    p.put(p.g.right, 1, 9, manKing);
    p.put(p.g.left, 9, 1, comKing);
    p.put(p.g.left, 9, 9, manKing);
    勢力調査(p.g.left);
    return p;
}

TEST(MoveSearch, MatingDropEndsTheSearchButAMatingBoardMoveDoesNot) {
    {
        Position p = cornerPosition();
        p.give(p.g.right, true, goldKind);
        p.give(p.g.right, true, rookKind);
        SearchResult r;
        CountingHooks hooks;
        com_ban(p.g, p.g.right, p.cs, r, &hooks);
        EXPECT_EQ(hooks.ticks, 9 + 5);  // the rook is never tried
        EXPECT_EQ(r.score, scoreMate);
        EXPECT_EQ(r.fromFile, comHandColumn);
        EXPECT_EQ(r.fromRank, goldKind);
        EXPECT_EQ(r.toFile, 1);
        EXPECT_EQ(r.toRank, 8);
        EXPECT_EQ(r.placed, comGold);
        EXPECT_FALSE(r.capturesKing);
        EXPECT_EQ(p.g.right.comHand[goldKind], 1);  // hands are not touched by the search
    }
    {
        Position p = cornerPosition();
        p.put(p.g.right, 1, 7, comGold);  // its step to (1, 8) mates
        SearchResult r;
        CountingHooks hooks;
        com_ban(p.g, p.g.right, p.cs, r, &hooks);
        EXPECT_EQ(hooks.ticks, 9);  // every from-file was searched
        EXPECT_EQ(r.score, scoreMate);
        EXPECT_EQ(r.fromFile, 1);
        EXPECT_EQ(r.fromRank, 7);
        EXPECT_EQ(r.toFile, 1);
        EXPECT_EQ(r.toRank, 8);
    }
}

TEST(MoveSearch, PromotionChoices) {
    // A lone piece on (1, 6) or (2, 6) with the kings far away: at level 1 every board move
    // scores 10, so the first candidate is the result and shows how it was placed.
    auto search = [](Code piece, int file, std::int16_t level) {
        Position p;
        p.g.comLevel = level;
        p.put(p.g.right, 9, 1, comKing);
        p.put(p.g.right, 9, 9, manKing);
        p.put(p.g.right, file, 6, piece);
        SearchResult r;
        com_ban(p.g, p.g.right, p.cs, r);
        return r;
    };
    SearchResult r = search(comSilver, 1, 1);
    EXPECT_EQ(r.score, 10);
    EXPECT_EQ(r.toRank, 7);
    EXPECT_EQ(r.placed, comSilver);  // equal scores: stays unpromoted
    r = search(comPawn, 1, 1);
    EXPECT_EQ(r.score, 10);
    EXPECT_EQ(r.placed, comPromotedPawn);  // a pawn always promotes
    r = search(comKnight, 2, 1);
    EXPECT_EQ(r.toFile, 1);
    EXPECT_EQ(r.toRank, 8);
    EXPECT_EQ(r.placed, comPromotedKnight);  // could never move again unpromoted

    // At level 3 the straight silver step costs 0.1 unpromoted, nothing promoted.
    r = search(comSilver, 1, 3);
    EXPECT_EQ(r.score, 10);
    EXPECT_EQ(r.placed, comPromotedSilver);
    // The promoted pawn scores 11 (+1 for a square it holds), the pawn 9.9.
    r = search(comPawn, 1, 3);
    EXPECT_EQ(r.score, 11);
    EXPECT_EQ(r.placed, comPromotedPawn);
}

TEST(MoveSearch, NothingLegalLeavesTheOutputs) {
    Position p;
    p.put(p.g.right, 5, 9, manKing);
    SearchResult r;
    r.score = 7;
    r.fromFile = 3;
    r.toRank = 4;
    r.moved = comGold;
    r.placed = comGold;
    com_ban(p.g, p.g.right, p.cs, r);
    EXPECT_EQ(r.score, scoreNothingLegal);
    EXPECT_EQ(r.fromFile, 3);
    EXPECT_EQ(r.toRank, 4);
    EXPECT_EQ(r.placed, comGold);

    SearchResult some;
    some.score = -500;
    EXPECT_EQ(chooseComputerBoard(p.g, r, some), leftBoardId);
    EXPECT_EQ(chooseComputerBoard(p.g, some, r), rightBoardId);
}

// Right board: a computer pawn on (5, 4) can take a human rook on (5, 5) that nothing defends.
// Left board: only the kings.
Position hangingRook() {
    Position p;
    p.put(p.g.right, 9, 1, comKing);
    p.put(p.g.right, 5, 4, comPawn);
    p.put(p.g.right, 5, 5, manRook);
    p.put(p.g.right, 9, 9, manKing);
    p.put(p.g.left, 1, 1, comKing);
    p.put(p.g.left, 9, 9, manKing);
    return p;
}

TEST(ComputerTurn, WholeTurnsOnHandBuiltPositions) {
    {
        // Level 1 sees no material: the capture scores 10 like the left king's first step,
        // and the tie goes to the right board.
        Position p = hangingRook();
        p.g.comLevel = 1;
        SearchResult right, left;
        EXPECT_EQ(searchComputerTurn(p.g, p.cs, right, left), rightBoardId);
        EXPECT_EQ(right.score, 10);
        EXPECT_EQ(right.fromFile, 5);
        EXPECT_EQ(right.toRank, 5);
        EXPECT_EQ(left.score, 10);
        EXPECT_EQ(left.toFile, 1);
        EXPECT_EQ(left.toRank, 2);
    }
    {
        // Level 2 adds the rook's 900.
        Position p = hangingRook();
        p.g.comLevel = 2;
        SearchResult right, left;
        EXPECT_EQ(searchComputerTurn(p.g, p.cs, right, left), rightBoardId);
        EXPECT_EQ(right.score, 910);
        EXPECT_EQ(right.placed, comPawn);
    }
    {
        // A human lance aimed at the left computer king: the computer steps the king off the file
        // on the left board, whatever the right board offers.
        Position p = hangingRook();
        p.g.comLevel = 2;
        p.put(p.g.left, 1, 9, manLance);
        const Table leftBefore = p.g.left.board;
        SearchResult right, left;
        EXPECT_EQ(searchComputerTurn(p.g, p.cs, right, left), leftBoardId);
        EXPECT_EQ(right.score, 910);
        EXPECT_EQ(left.fromFile, 1);
        EXPECT_EQ(left.fromRank, 1);
        EXPECT_EQ(left.toFile, 2);
        EXPECT_GT(left.score, scoreLosing);
        // The turn leaves each board surveyed on its real position.
        EXPECT_EQ(p.g.left.board, leftBefore);
        EXPECT_EQ(p.g.left.influence.manInfluence[1][1], 1);
        EXPECT_EQ(p.g.right.influence.manInfluence[5][4], 1);
    }
}

}  // namespace
}  // namespace nobakuza
