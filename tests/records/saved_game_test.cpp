#include "records/saved_game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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

// A game on the initial position with two snapshots, the second one shown.
std::unique_ptr<SavedGame> twoSnapshots() {
    auto saved = std::make_unique<SavedGame>();
    setInitialPosition(saved->leftBoard);
    saved->rightBoard = saved->leftBoard;
    for (const int n : {0, 1}) {
        saved->record.leftBoardHistory[n] = saved->leftBoard;
        saved->record.rightBoardHistory[n] = saved->rightBoard;
    }
    saved->record.lastRecordIndex = 1;
    saved->record.recordIndex = 1;
    return saved;
}

// The file with the value of the first line `key=...` replaced.
std::string withValue(const std::string& bytes, const std::string& key, const std::string& value) {
    std::string text = *sjisToUtf8(bytes);
    const std::size_t from = text.find("\n" + key + "=") + key.size() + 2;
    text.replace(from, text.find('\r', from) - from, value);
    return *utf8ToSjis(text);
}

// The file with the numbers of the first line `key=...` changed by `edit`.
template <typename Edit>
std::string withNumbers(const std::string& bytes, const std::string& key, Edit edit) {
    const std::string text = *sjisToUtf8(bytes);
    const std::size_t from = text.find("\n" + key + "=") + key.size() + 2;
    std::istringstream in(text.substr(from, text.find('\r', from) - from));
    std::vector<long long> v;
    for (long long n; in >> n;) v.push_back(n);
    edit(v);
    std::string line;
    for (const long long n : v) line += (line.empty() ? "" : " ") + std::to_string(n);
    return withValue(bytes, key, line);
}

// Every value is read at both ends of its range and refused one past either end, naming its
// line; a hand count below zero is refused even where the pieces add up.
TEST(SavedGame, EveryValueIsReadAtTheEndsOfItsRangeAndRefusedPastThem) {
    auto saved = twoSnapshots();
    const std::string good = formatSavedGame(*saved);
    auto back = std::make_unique<SavedGame>();
    auto refusal = [&](const std::string& bytes) -> int {
        const auto e = parseSavedGame(bytes, *back);
        return e ? e->line : -1;
    };
    ASSERT_EQ(refusal(good), -1);

    struct Range {
        const char* key;
        long long low, high;
        int line;
    };
    for (const Range& r :
         {Range{"対局", 0, 1, 2}, Range{"人間", -1, 1, 3}, Range{"手番", -1, 1, 4},
          Range{"手数", 0, maxRecordIndex, 5}, Range{"レベル", 1, highestComLevel, 6},
          Range{"ハンデ設定", 0, 1, 8}, Range{"棋譜モード", 0, 1, 9}, Range{"反転", 0, 1, 10},
          Range{"再開待ち", 0, 1, 11}, Range{"向き", 0, 1, 12}, Range{"現在", 0, 1, 17}}) {
        SCOPED_TRACE(r.key);
        EXPECT_EQ(refusal(withValue(good, r.key, std::to_string(r.low))), -1);
        EXPECT_EQ(refusal(withValue(good, r.key, std::to_string(r.high))), -1);
        EXPECT_EQ(refusal(withValue(good, r.key, std::to_string(r.low - 1))), r.line);
        EXPECT_EQ(refusal(withValue(good, r.key, std::to_string(r.high + 1))), r.line);
    }
    const std::string most = std::to_string(999'999'999);
    const std::string over = std::to_string(1'000'000'000);
    EXPECT_EQ(refusal(withValue(good, "時間", most + " " + most)), -1);
    for (const std::string& clocks : {std::string("-1 0"), std::string("0 -1"), over + " 0",
                                      "0 " + over, std::string("0 0 -1"), std::string("0 0 0 0")})
        EXPECT_EQ(refusal(withValue(good, "時間", clocks)), 13) << clocks;

    // A snapshot: 162 codes, 28 hand counts, four clocks and the turned flag.
    auto snapshot = [&](std::size_t index, long long value) {
        return refusal(withNumbers(good, "局面", [&](auto& v) { v[index] = value; }));
    };
    for (const std::size_t clock : {190u, 193u}) {
        EXPECT_EQ(snapshot(clock, 999'999'999), -1);
        EXPECT_EQ(snapshot(clock, -1), 18);
        EXPECT_EQ(snapshot(clock, 1'000'000'000), 18);
    }
    EXPECT_EQ(snapshot(194, 1), -1);
    EXPECT_EQ(snapshot(194, -1), 18);
    EXPECT_EQ(snapshot(194, 2), 18);
    // The human's left pawns -1, the computer's +1: the set is whole, the count impossible.
    auto owedPawn = [](auto& v) {
        v[162] = -1;
        v[169] = 1;
    };
    EXPECT_EQ(refusal(withNumbers(good, "局面", owedPawn)), 18);
    EXPECT_EQ(refusal(withNumbers(good, "盤面", owedPawn)), 20);

    // Eighteen pawns in one hand: the whole set, read.
    for (int f = 1; f <= boardSize; ++f)
        for (const int r : {3, 7}) saved->leftBoard[f][r] = emptySquare;
    saved->comHandLeft[1] = 18;
    EXPECT_EQ(refusal(formatSavedGame(*saved)), -1);

    // 501 snapshots (500 moves) are read, one more is refused.
    std::string text = *sjisToUtf8(good);
    const std::size_t first = text.find("局面=");
    const std::string line = text.substr(first, text.find('\n', first) + 1 - first);
    for (int n = 2; n < recordSlots; ++n) text.insert(first, line);
    EXPECT_EQ(refusal(*utf8ToSjis(text)), -1);
    EXPECT_EQ(back->record.lastRecordIndex, maxRecordIndex);
    text.insert(first, line);
    EXPECT_EQ(refusal(*utf8ToSjis(text)), 18 + recordSlots);
}

// Ten steps of handicap at most, either way.
TEST(SavedGame, TheHandicapIsReadUpToTenStepsEitherWayAndNoFurther) {
    auto saved = twoSnapshots();
    // Ten steps take the computer's bishop, rook, lances, knights, silvers and golds.
    for (int f = 1; f <= boardSize; ++f) {
        if (f != 5) saved->leftBoard[f][1] = emptySquare;
        saved->leftBoard[f][2] = emptySquare;
    }
    saved->rightBoard = saved->leftBoard;
    for (const int n : {0, 1}) {
        saved->record.leftBoardHistory[n] = saved->leftBoard;
        saved->record.rightBoardHistory[n] = saved->rightBoard;
    }
    saved->handicapSet = flagYes;
    saved->handicapLevel = 10;
    const std::string good = formatSavedGame(*saved);
    auto back = std::make_unique<SavedGame>();
    EXPECT_FALSE(parseSavedGame(good, *back));
    EXPECT_FALSE(parseSavedGame(withValue(good, "ハンデ", "-10"), *back));
    for (const char* past : {"11", "-11"}) {
        const auto e = parseSavedGame(withValue(good, "ハンデ", past), *back);
        ASSERT_TRUE(e) << past;
        EXPECT_EQ(e->message, "7行目: 値がないか範囲外です");
    }
}

}  // namespace
}  // namespace nobakuza
