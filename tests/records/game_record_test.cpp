#include "records/game_record.h"

#include <gtest/gtest.h>

#include <memory>

#include "board/move_execution.h"

namespace nobakuza {
namespace {

GameState startingGame() {
    GameState g;
    setInitialPosition(g.left.board);
    setInitialPosition(g.right.board);
    return g;
}

TEST(GameRecord, AppendsStepsBackAndStopsAtFiveHundredMoves) {
    auto record = std::make_unique<GameRecord>();
    GameState g = startingGame();
    storeStartPosition(*record, g);

    駒移動(g, g.left, 7, 7, 7, 6, manPawn);
    EXPECT_FALSE(手順保存(*record, g, 0, 4.5f, 0, 0));
    駒移動(g, g.right, 3, 3, 3, 4, comPawn);
    EXPECT_FALSE(手順保存(*record, g, 4.5f, 4.5f, 0, 2));
    EXPECT_EQ(record->recordIndex, 2);
    EXPECT_EQ(record->lastRecordIndex, 2);
    EXPECT_EQ(record->rightBoardHistory[2][3][4], comPawn);
    EXPECT_EQ(record->rightBoardHistory[1][3][4], emptySquare);
    EXPECT_EQ(record->manTimeAfter[1], 4.5f);
    EXPECT_EQ(record->comTimeAfter[2], 2.0f);

    // A move made after stepping back makes the new snapshot the last one.
    record->recordIndex = 1;
    EXPECT_FALSE(手順保存(*record, g, 1, 2, 3, 4));
    EXPECT_EQ(record->lastRecordIndex, 2);
    EXPECT_EQ(record->comTimeAfter[2], 4.0f);

    while (record->recordIndex < maxRecordIndex) ASSERT_FALSE(手順保存(*record, g, 0, 0, 0, 0));
    const auto refused = 手順保存(*record, g, 9, 9, 9, 9);
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->message.find("500"), std::string::npos);
    EXPECT_EQ(record->recordIndex, maxRecordIndex);
    EXPECT_EQ(record->lastRecordIndex, maxRecordIndex);
    EXPECT_EQ(record->manTimeBefore[maxRecordIndex], 0.0f);

    // A new game starts the record again.
    storeStartPosition(*record, startingGame());
    EXPECT_EQ(record->recordIndex, 0);
    EXPECT_EQ(record->lastRecordIndex, 0);
}

TEST(GameRecord, MoveResultAndRestore) {
    auto record = std::make_unique<GameRecord>();
    GameState g = startingGame();
    storeStartPosition(*record, g);
    駒移動(g, g.left, 3, 7, 3, 6, manPawn);
    手順保存(*record, g, 0, 0, 0, 0);
    // The bishop takes the pawn on (7, 3) and promotes; the same square of the right board loses
    // its pawn too, and that emptied square is not what the move result reports.
    駒移動(g, g.left, 2, 8, 7, 3, manPromotedBishop);
    手順保存(*record, g, 0, 0, 0, 0);
    EXPECT_EQ(record->manHandLeftHistory[2][1], 1);
    EXPECT_EQ(record->manHandRightHistory[2][1], 1);

    struct Result {
        std::int16_t boardId = 7, file = 0, rank = 0;
        Code code = 0;
        bool operator==(const Result&) const = default;
    };
    auto moveResult = [&](int n) {
        Result r;
        調査_移動結果(*record, n, r.boardId, r.code, r.file, r.rank);
        return r;
    };
    EXPECT_EQ(moveResult(2), (Result{leftBoardId, 7, 3, manPromotedBishop}));
    駒移動(g, g.right, 9, 3, 9, 4, comPawn);
    手順保存(*record, g, 0, 0, 0, 0);
    EXPECT_EQ(moveResult(3), (Result{rightBoardId, 9, 4, comPawn}));
    // Nothing changed, or no such move: the outputs stay as passed in.
    手順保存(*record, g, 0, 0, 0, 0);
    EXPECT_EQ(moveResult(4), Result{});
    EXPECT_EQ(moveResult(0), Result{});

    // Restoring brings back boards, hands, totals and the king squares (0, 0 when gone).
    GameState h = startingGame();
    record->leftBoardHistory[2][5][9] = emptySquare;
    restoreSnapshot(*record, 2, h);
    EXPECT_EQ(h.left.board, record->leftBoardHistory[2]);
    EXPECT_EQ(h.right.board, record->rightBoardHistory[2]);
    EXPECT_EQ(h.left.manHand[1], 1);
    EXPECT_EQ(h.right.manHandTotal, 1);
    EXPECT_EQ(h.left.manKingFile + h.left.manKingRank, 0);
    EXPECT_EQ(h.right.manKingFile * 10 + h.right.manKingRank, 59);
    EXPECT_EQ(h.right.comKingFile * 10 + h.right.comKingRank, 51);
}

}  // namespace
}  // namespace nobakuza
