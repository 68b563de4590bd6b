#include "board/board_model.h"

#include <gtest/gtest.h>

namespace nobakuza {
namespace {

TEST(BoardModel, InitialPositionIsPointSymmetricWithSignsSwapped) {
    Table b{};
    setInitialPosition(b);
    for (int f = 1; f <= 9; ++f)
        for (int g = 1; g <= 9; ++g) EXPECT_EQ(b[f][g], -b[10 - f][10 - g]) << f << "," << g;
    EXPECT_EQ(b[5][5], emptySquare);
    EXPECT_EQ(b[5][9], manKing);
    EXPECT_EQ(b[5][1], comKing);
    EXPECT_EQ(b[2][8], manBishop);
    EXPECT_EQ(b[8][2], comBishop);
    EXPECT_EQ(b[2][2], comRook);
    int pieces = 0;
    for (int f = 1; f <= 9; ++f)
        for (int g = 1; g <= 9; ++g) pieces += b[f][g] != 0;
    EXPECT_EQ(pieces, 40);
}

TEST(BoardModel, KindIndexCoversPromotedFormsAndTheGoldAlias) {
    EXPECT_EQ(kindIndexOf(manPromotedPawn), 1);
    EXPECT_EQ(kindIndexOf(comPromotedLance), 2);
    EXPECT_EQ(kindIndexOf(comGoldAlias), 5);
    EXPECT_EQ(kindIndexOf(manPromotedRook), 7);
    EXPECT_EQ(kindIndexOf(manKing), 0);
    EXPECT_EQ(kindIndexOf(emptySquare), 0);
}

}  // namespace
}  // namespace nobakuza
