#include "board/move_legality.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace nobakuza {
namespace {

using Offsets = std::set<std::pair<int, int>>;

// Every square a piece on (5, 5) of an otherwise empty board may move to, as (df, dr).
Offsets reachableFromCentre(Code piece) {
    BoardState b;
    b.board[5][5] = piece;
    Offsets out;
    for (int f = 1; f <= 9; ++f)
        for (int r = 1; r <= 9; ++r)
            if (移動チェック(b, 5, 5, f, r, piece) == flagYes) out.insert({f - 5, r - 5});
    return out;
}

Offsets mirrored(const Offsets& o) {
    Offsets out;
    for (auto [df, dr] : o) out.insert({df, -dr});
    return out;
}

Offsets line(int stepF, int stepR) {
    Offsets out;
    for (int i = 1;
         5 + i * stepF >= 1 && 5 + i * stepF <= 9 && 5 + i * stepR >= 1 && 5 + i * stepR <= 9; ++i)
        out.insert({i * stepF, i * stepR});
    return out;
}

Offsets unite(std::initializer_list<Offsets> parts) {
    Offsets out;
    for (const auto& p : parts) out.insert(p.begin(), p.end());
    return out;
}

TEST(MoveLegality, EveryPieceMovesByItsOwnPatternForBothSides) {
    // Written for the computer, whose forward is rank + 1; the human's are the mirror images.
    const Offsets king = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    const Offsets gold = {{-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}};
    const Offsets bishop = unite({line(1, 1), line(1, -1), line(-1, 1), line(-1, -1)});
    const Offsets rook = unite({line(1, 0), line(-1, 0), line(0, 1), line(0, -1)});
    const std::pair<Code, Offsets> cases[] = {
        {comPawn, {{0, 1}}},
        {comLance, line(0, 1)},
        {comKnight, {{-1, 2}, {1, 2}}},
        {comSilver, {{-1, 1}, {0, 1}, {1, 1}, {-1, -1}, {1, -1}}},
        {comGold, gold},
        {comPromotedPawn, gold},
        {comPromotedLance, gold},
        {comPromotedKnight, gold},
        {comPromotedSilver, gold},
        {comBishop, bishop},
        {comPromotedBishop, unite({bishop, king})},
        {comRook, rook},
        {comPromotedRook, unite({rook, king})},
        {comKing, king},
    };
    for (const auto& [code, expected] : cases) {
        EXPECT_EQ(reachableFromCentre(code), expected) << code;
        EXPECT_EQ(reachableFromCentre(static_cast<Code>(-code)), mirrored(expected)) << -code;
    }
    // Codes that never stand on a board move nowhere.
    EXPECT_TRUE(reachableFromCentre(comGoldAlias).empty());
    EXPECT_TRUE(reachableFromCentre(manGoldAlias).empty());
}

TEST(MoveLegality, DestinationMustBeOnTheBoardAndNotHoldOwnPiece) {
    BoardState b;
    b.board[5][5] = manGold;
    b.board[5][4] = manPawn;  // own piece ahead
    b.board[4][4] = comPawn;  // enemy piece diagonally ahead
    EXPECT_EQ(移動チェック(b, 5, 5, 5, 4, manGold), flagNo);
    EXPECT_EQ(移動チェック(b, 5, 5, 4, 4, manGold), flagYes);
    b.board[1][1] = manKing;
    EXPECT_EQ(移動チェック(b, 1, 1, 0, 1, manKing), flagNo);
    EXPECT_EQ(移動チェック(b, 1, 1, 1, 0, manKing), flagNo);
    b.board[9][9] = comKing;
    EXPECT_EQ(移動チェック(b, 9, 9, 10, 9, comKing), flagNo);
    EXPECT_EQ(移動チェック(b, 9, 9, 9, 10, comKing), flagNo);
    // Moving next to an enemy rook's line is not refused: own-king safety is not tested here.
    b.board[6][1] = comRook;
    EXPECT_EQ(移動チェック(b, 1, 1, 2, 1, manKing), flagYes);
}

TEST(MoveLegality, BlockedLinesAndCapturingTheBlocker) {
    BoardState b;
    b.board[5][9] = manLance;
    b.board[5][5] = comPawn;
    EXPECT_EQ(移動チェック(b, 5, 9, 5, 6, manLance), flagYes);
    EXPECT_EQ(移動チェック(b, 5, 9, 5, 5, manLance), flagYes);  // takes the blocker
    EXPECT_EQ(移動チェック(b, 5, 9, 5, 4, manLance), flagNo);
    EXPECT_EQ(移動チェック(b, 5, 9, 5, 10, manLance), flagNo);

    b.board[1][5] = comRook;
    b.board[3][5] = comSilver;  // own piece blocks the rook
    EXPECT_EQ(移動チェック(b, 1, 5, 2, 5, comRook), flagYes);
    EXPECT_EQ(移動チェック(b, 1, 5, 3, 5, comRook), flagNo);
    EXPECT_EQ(移動チェック(b, 1, 5, 4, 5, comRook), flagNo);
    b.board[3][5] = manSilver;  // an enemy blocks it just the same, but may be taken
    EXPECT_EQ(移動チェック(b, 1, 5, 3, 5, comRook), flagYes);
    EXPECT_EQ(移動チェック(b, 1, 5, 4, 5, comRook), flagNo);

    b.board[1][1] = comBishop;
    b.board[3][3] = manPawn;
    EXPECT_EQ(移動チェック(b, 1, 1, 3, 3, comBishop), flagYes);
    EXPECT_EQ(移動チェック(b, 1, 1, 4, 4, comBishop), flagNo);
    b.board[1][1] = comPromotedBishop;
    EXPECT_EQ(移動チェック(b, 1, 1, 4, 4, comPromotedBishop), flagNo);

    // The line checks alone ignore both end squares and refuse anything off their lines.
    EXPECT_EQ(移動チェック飛車(b, 1, 5, 3, 5), flagYes);
    EXPECT_EQ(移動チェック飛車(b, 1, 5, 5, 5), flagNo);
    EXPECT_EQ(移動チェック飛車(b, 1, 5, 2, 6), flagNo);
    EXPECT_EQ(移動チェック角(b, 1, 1, 3, 3), flagYes);
    EXPECT_EQ(移動チェック角(b, 1, 1, 5, 5), flagNo);
    EXPECT_EQ(移動チェック角(b, 1, 1, 1, 2), flagNo);
}

TEST(MoveLegality, HorseAndDragonStepsNeedNoLine) {
    BoardState b;
    b.board[5][5] = manPromotedBishop;
    b.board[7][7] = manPromotedRook;
    EXPECT_EQ(移動チェック角(b, 5, 5, 5, 4), flagNo);
    EXPECT_EQ(移動チェック(b, 5, 5, 5, 4, manPromotedBishop), flagYes);
    EXPECT_EQ(移動チェック飛車(b, 7, 7, 6, 6), flagNo);
    EXPECT_EQ(移動チェック(b, 7, 7, 6, 6, manPromotedRook), flagYes);
    EXPECT_EQ(移動チェック(b, 7, 7, 8, 8, manPromotedRook), flagYes);
    b.board[4][6] = manPawn;
    EXPECT_EQ(移動チェック(b, 5, 5, 4, 6, manPromotedBishop), flagNo);  // own pawn there
    EXPECT_EQ(移動チェック(b, 5, 5, 7, 7, manPromotedBishop), flagNo);  // own dragon there
    EXPECT_EQ(移動チェック(b, 5, 5, 7, 5, manPromotedBishop), flagNo);  // two squares sideways
}

TEST(MoveLegality, DropRules) {
    BoardState b;
    b.board[4][4] = comSilver;
    b.board[6][6] = manSilver;
    // Onto an occupied square: never, whoever stands there and whatever is dropped.
    for (Code piece : {manPawn, manLance, manKnight, manSilver, manGold, manBishop, manRook}) {
        EXPECT_EQ(移動チェック(b, manHandColumn, 3, 4, 4, piece), flagNo) << piece;
        EXPECT_EQ(移動チェック(b, manHandColumn, 3, 6, 6, piece), flagNo) << piece;
        EXPECT_EQ(移動チェック(b, comHandColumn, 1, 4, 4, static_cast<Code>(-piece)), flagNo);
        EXPECT_EQ(移動チェック(b, comHandColumn, 1, 6, 6, static_cast<Code>(-piece)), flagNo);
    }
    // Last ranks.
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 3, 9, comPawn), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 3, 8, comPawn), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 2, 3, 9, comLance), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 2, 3, 8, comLance), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 3, 3, 8, comKnight), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 3, 3, 7, comKnight), flagYes);
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 3, 1, manPawn), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 3, 2, manPawn), flagYes);
    EXPECT_EQ(移動チェック(b, manHandColumn, 4, 3, 1, manLance), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 5, 3, 2, manKnight), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 5, 3, 3, manKnight), flagYes);
    // A drop is not a move: a knight may land far from its hand, a pawn anywhere on its file.
    EXPECT_EQ(移動チェック(b, manHandColumn, 5, 8, 9, manKnight), flagYes);
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 8, 5, manPawn), flagYes);
    // Other pieces may go anywhere empty, the last rank included.
    EXPECT_EQ(移動チェック(b, manHandColumn, 6, 3, 1, manSilver), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 4, 3, 9, comSilver), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 7, 1, 9, comRook), flagYes);

    // Two pawns on a file: only the dropping side's own flag counts.
    b.manPawnFiles[2] = 1;
    b.comPawnFiles[7] = 1;
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 2, 5, manPawn), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 2, 5, comPawn), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 7, 5, comPawn), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 7, 5, manPawn), flagYes);
    // The flag does not concern any other piece.
    EXPECT_EQ(移動チェック(b, manHandColumn, 4, 2, 5, manLance), flagYes);
}

TEST(MoveLegality, LastRankBoardMovesAreLegalButMustPromote) {
    BoardState b;
    b.board[3][2] = manPawn;
    b.board[4][3] = manKnight;
    EXPECT_EQ(移動チェック(b, 3, 2, 3, 1, manPawn), flagYes);
    EXPECT_EQ(移動チェック(b, 4, 3, 5, 1, manKnight), flagYes);
    EXPECT_EQ(移動後チェック(1, manPawn), flagNo);
    EXPECT_EQ(移動後チェック(1, manLance), flagNo);
    EXPECT_EQ(移動後チェック(2, manLance), flagYes);
    EXPECT_EQ(移動後チェック(1, manKnight), flagNo);
    EXPECT_EQ(移動後チェック(2, manKnight), flagNo);
    EXPECT_EQ(移動後チェック(3, manKnight), flagYes);
    EXPECT_EQ(移動後チェック(9, comPawn), flagNo);
    EXPECT_EQ(移動後チェック(9, comLance), flagNo);
    EXPECT_EQ(移動後チェック(8, comLance), flagYes);
    EXPECT_EQ(移動後チェック(8, comKnight), flagNo);
    EXPECT_EQ(移動後チェック(7, comKnight), flagYes);
    // The other side's last rank, and pieces that can always move again.
    EXPECT_EQ(移動後チェック(9, manPawn), flagYes);
    EXPECT_EQ(移動後チェック(1, comKnight), flagYes);
    EXPECT_EQ(移動後チェック(1, manSilver), flagYes);
    EXPECT_EQ(移動後チェック(9, comPromotedPawn), flagYes);
}

TEST(MoveLegality, EachEntryPointReadsItsOwnBoard) {
    GameState g;
    g.left.board[5][5] = comRook;
    g.right.board[5][5] = comRook;
    g.right.board[5][7] = manPawn;
    g.right.manPawnFiles[3] = 1;
    EXPECT_EQ(移動チェック_左(g, 5, 5, 5, 8, comRook), flagYes);
    EXPECT_EQ(移動チェック_右(g, 5, 5, 5, 8, comRook), flagNo);
    EXPECT_EQ(移動チェック飛車_左(g, 5, 5, 5, 8), flagYes);
    EXPECT_EQ(移動チェック飛車_右(g, 5, 5, 5, 8), flagNo);
    EXPECT_EQ(移動チェック_左(g, manHandColumn, 3, 3, 5, manPawn), flagYes);
    EXPECT_EQ(移動チェック_右(g, manHandColumn, 3, 3, 5, manPawn), flagNo);
    g.right.board[6][6] = manPawn;
    EXPECT_EQ(移動チェック角_左(g, 5, 5, 7, 7), flagYes);
    EXPECT_EQ(移動チェック角_右(g, 5, 5, 7, 7), flagNo);
}

}  // namespace
}  // namespace nobakuza
