#include "records/saved_game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "files/text_file.h"

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

// The seeds the fuzzer starts from (the games the seed maker wrote and one a fuzz run stopped on)
// read back, the broken ones are refused, and every file read back is written out the same.
TEST(SavedGame, GoodFilesReadBackAsWrittenAndBrokenOnesAreRefused) {
    int good = 0;
    for (const auto& e :
         fs::directory_iterator(fs::path(NOBAKUZA_SOURCE_DIR) / "fuzz/corpus/saved")) {
        const std::string name = e.path().filename().string();
        SCOPED_TRACE(name);
        const auto bytes = readWholeFile(e.path().string());
        ASSERT_TRUE(bytes);
        auto saved = std::make_unique<SavedGame>();
        const auto error = parseSavedGame(*bytes, *saved);
        if (name.starts_with("broken-")) {
            EXPECT_TRUE(error);
            continue;
        }
        ASSERT_FALSE(error) << error->message;
        EXPECT_EQ(formatSavedGame(*saved), *bytes);
        ++good;
    }
    EXPECT_EQ(good, 7);
}

TEST(SavedGame, EveryPieceMustBeThereThatTheHandicapLeft) {
    auto saved = std::make_unique<SavedGame>();
    setInitialPosition(saved->leftBoard);
    saved->leftBoard[8][2] = emptySquare;  // the computer's bishop: handicap step 1
    saved->rightBoard = saved->leftBoard;
    saved->record.leftBoardHistory[0] = saved->leftBoard;
    saved->record.rightBoardHistory[0] = saved->rightBoard;
    saved->handicapLevel = 1;
    saved->handicapSet = flagYes;
    auto back = std::make_unique<SavedGame>();
    EXPECT_FALSE(parseSavedGame(formatSavedGame(*saved), *back));
    EXPECT_EQ(back->handicapLevel, 1);

    // Without the handicap the bishop is missing; with two steps the rook should be gone too.
    saved->handicapLevel = 0;
    saved->handicapSet = flagNo;
    auto e = parseSavedGame(formatSavedGame(*saved), *back);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message, "18行目: 駒の数が合いません");
    saved->handicapLevel = 2;
    saved->handicapSet = flagYes;
    EXPECT_TRUE(parseSavedGame(formatSavedGame(*saved), *back));
    // Two kings of one side on a board, or none, is no position of a game in progress.
    saved->handicapLevel = 1;
    saved->leftBoard[5][5] = manKing;
    EXPECT_TRUE(parseSavedGame(formatSavedGame(*saved), *back));
    saved->leftBoard[5][5] = emptySquare;
    saved->leftBoard[5][1] = emptySquare;
    EXPECT_TRUE(parseSavedGame(formatSavedGame(*saved), *back));
    saved->leftBoard[5][5] = comKing;  // the king stepped forward: a position like any other
    EXPECT_FALSE(parseSavedGame(formatSavedGame(*saved), *back));
}

}  // namespace
}  // namespace nobakuza
