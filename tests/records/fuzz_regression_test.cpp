// Files the record-file fuzzer found accepted although no game could have written them.
#include <gtest/gtest.h>

#include <memory>

#include "board/move_execution.h"
#include "records/record_file.h"

namespace nobakuza {
namespace {

// Three moves, the last taking the computer's king on the left board.
std::unique_ptr<GameRecord> gameEndingInKingCapture() {
    auto record = std::make_unique<GameRecord>();
    GameState g;
    g.manSide = senteSide;
    g.comSide = goteSide;
    setInitialPosition(g.left.board);
    setInitialPosition(g.right.board);
    g.left.board[5][3] = emptySquare;  // a way for the rook to the king
    g.left.board[5][7] = emptySquare;
    g.left.board[8][8] = emptySquare;
    g.left.board[5][8] = manRook;
    g.left.comHand[1] = 1;
    g.left.manHand[1] = 1;
    storeStartPosition(*record, g);
    駒移動(g, g.right, 7, 7, 7, 6, manPawn);
    EXPECT_FALSE(手順保存(*record, g, 0, 1, 0, 0));
    駒移動(g, g.right, 3, 3, 3, 4, comPawn);
    EXPECT_FALSE(手順保存(*record, g, 1, 1, 0, 1));
    駒移動(g, g.left, 5, 8, 5, 1, manPromotedRook);
    EXPECT_EQ(g.winner, g.manSide);
    EXPECT_FALSE(手順保存(*record, g, 1, 2, 1, 1));
    return record;
}

TEST(RecordFileFuzzFindings, KingsAreOnePerSideAndMissingOnlyAfterTheLastMove) {
    auto record = gameEndingInKingCapture();
    const RecordHeader header{"王手", "上", "下"};
    auto loaded = std::make_unique<LoadedRecord>();
    auto lineOfRefusal = [&](const GameRecord& r) {
        std::string bytes;
        EXPECT_FALSE(formatRecordFile(header, r, bytes));
        const auto e = parseRecordFile(bytes, *loaded);
        return e ? e->line : -1;
    };

    // The game as played reads back, with the taken king missing from its last snapshot.
    EXPECT_EQ(lineOfRefusal(*record), -1);
    EXPECT_EQ(loaded->record.lastRecordIndex, 3);
    EXPECT_EQ(loaded->record.leftBoardHistory[3][5][1], manPromotedRook);

    // Found by the fuzzer: a second king of a side was read as a sound position (41 pieces).
    GameRecord bad = *record;
    bad.rightBoardHistory[1][5][5] = manKing;
    EXPECT_EQ(lineOfRefusal(bad), 5);
    bad = *record;
    bad.leftBoardHistory[3][4][4] = manKing;  // also in the last snapshot
    EXPECT_EQ(lineOfRefusal(bad), 7);

    // Found by the fuzzer: a king missing in the middle of a game, which play could then go on
    // from with a board that can never be won.
    bad = *record;
    bad.rightBoardHistory[2][5][1] = emptySquare;
    EXPECT_EQ(lineOfRefusal(bad), 6);
    bad = *record;
    bad.leftBoardHistory[0][5][9] = emptySquare;  // a start position without a king, even alone
    bad.recordIndex = 0;
    EXPECT_EQ(lineOfRefusal(bad), 4);
    bad = *record;
    bad.rightBoardHistory[3][5][9] = emptySquare;  // one capture takes only one side's king
    EXPECT_EQ(lineOfRefusal(bad), 7);
}

}  // namespace
}  // namespace nobakuza
