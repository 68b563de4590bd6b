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

// The union of the given steps and of whole lines in the given directions.
Offsets moves(Offsets steps, std::initializer_list<std::pair<int, int>> lines = {}) {
    for (auto [sf, sr] : lines)
        for (int i = 1; 5 + i * sf >= 1 && 5 + i * sf <= 9 && 5 + i * sr >= 1 && 5 + i * sr <= 9;
             ++i)
            steps.insert({i * sf, i * sr});
    return steps;
}

TEST(MoveLegality, EveryPieceMovesByItsOwnPatternForBothSides) {
    // Written for the computer, whose forward is rank + 1; the human's are the mirror images.
    // The origin itself is never in a set: a move to its own square is refused for every piece.
    const Offsets king = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    const Offsets gold = {{-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}};
    const std::initializer_list<std::pair<int, int>> diagonals = {
        {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    const std::initializer_list<std::pair<int, int>> straights = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    const std::pair<Code, Offsets> cases[] = {
        {comPawn, {{0, 1}}},
        {comLance, moves({}, {{0, 1}})},
        {comKnight, {{-1, 2}, {1, 2}}},
        {comSilver, {{-1, 1}, {0, 1}, {1, 1}, {-1, -1}, {1, -1}}},
        {comGold, gold},
        {comPromotedPawn, gold},
        {comPromotedLance, gold},
        {comPromotedKnight, gold},
        {comPromotedSilver, gold},
        {comBishop, moves({}, diagonals)},
        {comPromotedBishop, moves(king, diagonals)},
        {comRook, moves({}, straights)},
        {comPromotedRook, moves(king, straights)},
        {comKing, king},
        {comGoldAlias, {}},  // never stands on a board
    };
    for (const auto& [code, expected] : cases) {
        EXPECT_EQ(reachableFromCentre(code), expected) << code;
        Offsets mirrored;
        for (auto [df, dr] : expected) mirrored.insert({df, -dr});
        EXPECT_EQ(reachableFromCentre(static_cast<Code>(-code)), mirrored) << -code;
    }
}

TEST(MoveLegality, BlockedLinesOwnPiecesAndTheBoardEdge) {
    BoardState b;
    b.board[5][9] = manLance;
    b.board[5][5] = comPawn;
    EXPECT_EQ(移動チェック(b, 5, 9, 5, 5, manLance), flagYes);  // takes the blocker
    EXPECT_EQ(移動チェック(b, 5, 9, 5, 4, manLance), flagNo);
    EXPECT_EQ(移動チェック(b, 5, 9, 5, 10, manLance), flagNo);
    b.board[1][5] = comRook;
    b.board[3][5] = comSilver;
    EXPECT_EQ(移動チェック(b, 1, 5, 3, 5, comRook), flagNo);  // own piece
    EXPECT_EQ(移動チェック(b, 1, 5, 4, 5, comRook), flagNo);
    b.board[3][5] = manSilver;
    EXPECT_EQ(移動チェック(b, 1, 5, 3, 5, comRook), flagYes);
    EXPECT_EQ(移動チェック(b, 1, 5, 4, 5, comRook), flagNo);
    EXPECT_EQ(移動チェック(b, 1, 5, 0, 5, comRook), flagNo);
    b.board[1][1] = comPromotedBishop;
    b.board[3][3] = manPawn;
    EXPECT_EQ(移動チェック(b, 1, 1, 3, 3, comPromotedBishop), flagYes);
    EXPECT_EQ(移動チェック(b, 1, 1, 4, 4, comPromotedBishop), flagNo);
    // The line checks alone ignore both end squares.
    EXPECT_EQ(移動チェック飛車(b, 1, 5, 3, 5), flagYes);
    EXPECT_EQ(移動チェック飛車(b, 1, 5, 5, 5), flagNo);
    EXPECT_EQ(移動チェック飛車(b, 1, 5, 2, 6), flagNo);
    EXPECT_EQ(移動チェック角(b, 1, 1, 5, 5), flagNo);
    // Horse and dragon steps need no line: the line checks would refuse them.
    b.board[7][7] = manPromotedBishop;
    b.board[8][3] = manPromotedRook;
    EXPECT_EQ(移動チェック角(b, 7, 7, 7, 6), flagNo);
    EXPECT_EQ(移動チェック(b, 7, 7, 7, 6, manPromotedBishop), flagYes);
    EXPECT_EQ(移動チェック飛車(b, 8, 3, 9, 2), flagNo);
    EXPECT_EQ(移動チェック(b, 8, 3, 9, 2, manPromotedRook), flagYes);
}

TEST(MoveLegality, DropRules) {
    BoardState b;
    b.board[4][4] = comSilver;
    b.board[6][6] = manSilver;
    for (Code piece : {manPawn, manKnight, manSilver, manGold, manBishop, manRook}) {
        EXPECT_EQ(移動チェック(b, manHandColumn, 3, 4, 4, piece), flagNo) << piece;
        EXPECT_EQ(移動チェック(b, comHandColumn, 1, 6, 6, static_cast<Code>(-piece)), flagNo);
    }
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 3, 9, comPawn), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 3, 8, comPawn), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 2, 3, 9, comLance), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 3, 3, 8, comKnight), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 3, 3, 7, comKnight), flagYes);
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 3, 1, manPawn), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 4, 3, 1, manLance), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 4, 3, 2, manLance), flagYes);
    EXPECT_EQ(移動チェック(b, manHandColumn, 5, 3, 2, manKnight), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 5, 8, 3, manKnight), flagYes);
    EXPECT_EQ(移動チェック(b, manHandColumn, 6, 3, 1, manSilver), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 7, 1, 9, comRook), flagYes);
    // Two pawns on a file: only the dropping side's own flag counts, and only for the pawn.
    b.manPawnFiles[2] = 1;
    b.comPawnFiles[7] = 1;
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 2, 5, manPawn), flagNo);
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 2, 5, comPawn), flagYes);
    EXPECT_EQ(移動チェック(b, comHandColumn, 1, 7, 5, comPawn), flagNo);
    EXPECT_EQ(移動チェック(b, manHandColumn, 3, 7, 5, manPawn), flagYes);
    EXPECT_EQ(移動チェック(b, manHandColumn, 4, 2, 5, manLance), flagYes);
}

TEST(MoveLegality, LastRanksAndEntryPoints) {
    GameState g;
    g.left.board[3][2] = manPawn;
    g.left.board[4][3] = manKnight;
    g.right.board[3][2] = manPawn;
    g.right.board[3][1] = manGold;
    // Onto the last ranks by a board move is legal; the after-move test says it must promote.
    EXPECT_EQ(移動チェック(g.left, 3, 2, 3, 1, manPawn), flagYes);
    EXPECT_EQ(移動チェック(g.right, 3, 2, 3, 1, manPawn), flagNo);
    EXPECT_EQ(移動チェック(g.left, 4, 3, 5, 1, manKnight), flagYes);
    EXPECT_EQ(移動チェック飛車(g.left, 5, 3, 3, 3), flagNo);
    EXPECT_EQ(移動チェック飛車(g.right, 5, 3, 3, 3), flagYes);
    EXPECT_EQ(移動チェック角(g.left, 5, 2, 3, 4), flagNo);
    EXPECT_EQ(移動チェック角(g.right, 5, 2, 3, 4), flagYes);
    const std::tuple<int, Code, std::int16_t> after[] = {
        {1, manPawn, flagNo},          {1, manLance, flagNo},   {2, manLance, flagYes},
        {2, manKnight, flagNo},        {3, manKnight, flagYes}, {9, comPawn, flagNo},
        {8, comLance, flagYes},        {8, comKnight, flagNo},  {7, comKnight, flagYes},
        {9, manPawn, flagYes},         {1, comKnight, flagYes}, {1, manSilver, flagYes},
        {9, comPromotedPawn, flagYes},
    };
    for (const auto& [rank, code, expected] : after)
        EXPECT_EQ(移動後チェック(rank, code), expected) << rank << " " << code;
}

}  // namespace
}  // namespace nobakuza
