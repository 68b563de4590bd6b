#include "records/record_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <memory>

#include "board/move_execution.h"
#include "files/text_file.h"

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

// A short game through the move routines: captures on both boards, a promotion, drops, times.
std::unique_ptr<GameRecord> playedRecord() {
    auto record = std::make_unique<GameRecord>();
    GameState g;
    setInitialPosition(g.left.board);
    setInitialPosition(g.right.board);
    storeStartPosition(*record, g);
    auto save = [&](float mb, float ma, float cb, float ca) {
        ASSERT_FALSE(手順保存(*record, g, mb, ma, cb, ca));
    };
    駒移動(g, g.left, 3, 7, 3, 6, manPawn);
    save(0, 12.9f, 0, 0);
    駒移動(g, g.right, 7, 3, 7, 4, comPawn);
    save(12.9f, 12.9f, 0, 1000.2f);
    駒移動(g, g.left, 2, 8, 7, 3, manPromotedBishop);  // takes the pawn, promotes
    save(12.9f, 99999.5f, 1000.2f, 1000.2f);
    駒移動(g, g.right, 8, 2, 7, 3, comBishop);  // takes the horse standing on the left board
    save(-3, 123456, 1000.2f, 1000.2f);
    駒移動(g, g.left, comHandColumn, 6, 5, 5, comBishop);  // and drops it there
    save(0, 0, 1000.2f, 1003);
    return record;
}

std::string recordLine(const std::string& bytes, int line) {
    std::size_t at = 0;
    for (int i = 1; i < line; ++i) at = bytes.find("\r\n", at) + 2;
    return bytes.substr(at, bytes.find("\r\n", at) - at);
}

std::string replaceLine(const std::string& bytes, int line, const std::string& text) {
    std::size_t at = 0;
    for (int i = 1; i < line; ++i) at = bytes.find("\r\n", at) + 2;
    return bytes.substr(0, at) + text + bytes.substr(bytes.find("\r\n", at));
}

TEST(RecordFile, RoundTripKeepsEverySnapshotHandAndWholeSecond) {
    auto record = playedRecord();
    const RecordHeader header{"第１回　両盤戦", "ｺﾝﾋﾟｭｰﾀ", "山田 太郎"};
    std::string bytes;
    ASSERT_FALSE(formatRecordFile(header, *record, bytes));

    // Header lines are CP932, every record line 724 characters, CR LF throughout.
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), *utf8ToSjis("第１回　両盤戦"));
    EXPECT_EQ(recordLine(bytes, 2), *utf8ToSjis("ｺﾝﾋﾟｭｰﾀ"));
    const std::string start = recordLine(bytes, 4);
    ASSERT_EQ(start.size(), 724u);
    // File 1, rank 1: left then right board; file 5 rank 9 holds the human king with no space.
    EXPECT_EQ(start.substr(0, 8), "  20  20");
    EXPECT_EQ(start.substr(((5 - 1) * 9 + (9 - 1)) * 8, 8), "-950-950");
    EXPECT_EQ(start.substr(8, 16), "   0   0  10  10");
    EXPECT_EQ(start.substr(648, 8), "   0   0");
    EXPECT_EQ(recordLine(bytes, 6).substr(704), "   12   12    0 1000");
    EXPECT_EQ(recordLine(bytes, 7).substr(704), "   1299999 1000 1000");
    EXPECT_EQ(recordLine(bytes, 8).substr(704), "    099999 1000 1000");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3 + 6);
    EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    // The computer's left hand holds the horse it took, as a bishop, after move 4.
    EXPECT_EQ(recordLine(bytes, 8).substr(648 + 5 * 8, 8), "   1   0");

    auto loaded = std::make_unique<LoadedRecord>();
    ASSERT_FALSE(parseRecordFile(bytes, *loaded)) << parseRecordFile(bytes, *loaded)->message;
    EXPECT_EQ(loaded->header.gameName, header.gameName);
    EXPECT_EQ(loaded->header.topPlayerName, header.topPlayerName);
    EXPECT_EQ(loaded->header.bottomPlayerName, header.bottomPlayerName);
    EXPECT_EQ(loaded->record.recordIndex, 0);
    EXPECT_EQ(loaded->record.lastRecordIndex, 5);
    const GameRecord& r = loaded->record;
    for (int n = 0; n <= 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(r.leftBoardHistory[n], record->leftBoardHistory[n]);
        EXPECT_EQ(r.rightBoardHistory[n], record->rightBoardHistory[n]);
        EXPECT_EQ(r.manHandLeftHistory[n], record->manHandLeftHistory[n]);
        EXPECT_EQ(r.comHandLeftHistory[n], record->comHandLeftHistory[n]);
        EXPECT_EQ(r.manHandRightHistory[n], record->manHandRightHistory[n]);
        EXPECT_EQ(r.comHandRightHistory[n], record->comHandRightHistory[n]);
    }
    EXPECT_EQ(r.manTimeAfter[1], 12.0f);
    EXPECT_EQ(r.comTimeAfter[2], 1000.0f);
    EXPECT_EQ(r.manTimeAfter[3], 99999.0f);
    EXPECT_EQ(r.manTimeBefore[4], 0.0f);

    // Only snapshots 0..recordIndex are written: one move gives five lines.
    record->recordIndex = 1;
    ASSERT_FALSE(formatRecordFile(header, *record, bytes));
    ASSERT_FALSE(parseRecordFile(bytes, *loaded));
    EXPECT_EQ(loaded->record.lastRecordIndex, 1);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 5);
}

TEST(RecordFile, RefusesABadFileNamingTheLine) {
    auto record = playedRecord();
    std::string good;
    ASSERT_FALSE(formatRecordFile({"対局", "先手", "後手"}, *record, good));
    auto loaded = std::make_unique<LoadedRecord>();
    auto refusal = [&](const std::string& bytes) -> int {
        const auto e = parseRecordFile(bytes, *loaded);
        if (!e) return -1;
        EXPECT_EQ(e->message.rfind(std::to_string(e->line) + "行目", 0), 0u) << e->message;
        return e->line;
    };
    const std::string line5 = recordLine(good, 5);
    auto withField = [&](int line, int column, const std::string& text) {
        std::string l = recordLine(good, line);
        l.replace(column, text.size(), text);
        return replaceLine(good, line, l);
    };

    EXPECT_EQ(refusal(replaceLine(good, 5, line5.substr(1))), 5);           // 723 characters
    EXPECT_EQ(refusal(withField(6, 4, " x10")), 6);                         // not a number
    EXPECT_EQ(refusal(withField(6, 4, "1 0 ")), 6);                         // not right-aligned
    EXPECT_EQ(refusal(withField(6, 710, "   -x")), 6);                      // a time field
    EXPECT_EQ(refusal(withField(4, 40 * 8, "  12")), 4);                    // no such piece
    EXPECT_EQ(refusal(withField(4, 40 * 8, " 111")), 4);                    // never on a board
    EXPECT_EQ(refusal(withField(7, 648, "  19")), 7);                       // hand count
    EXPECT_EQ(refusal(withField(7, 648, "  -1")), 7);                       // and below 0
    EXPECT_EQ(refusal(withField(4, 40 * 8, "  10")), 4);                    // a 19th pawn
    EXPECT_EQ(refusal(replaceLine(good, 2, "\x81")), 2);                    // not CP932
    EXPECT_EQ(refusal(good.substr(0, good.find("\r\n") + 2)), 2);           // header missing
    EXPECT_EQ(refusal(good.substr(0, good.find(recordLine(good, 4)))), 4);  // no start position
    EXPECT_EQ(refusal(replaceLine(good, 6, "")), 6);                        // an empty line
    EXPECT_EQ(refusal(good), -1);

    // A field of spaces holds no number; the message names its column.
    const auto blank = parseRecordFile(withField(6, 4, "    "), *loaded);
    ASSERT_TRUE(blank.has_value());
    EXPECT_EQ(blank->message, "6行目: 5 桁目からの欄が数値ではありません");

    // Eighteen pawns in the computer's hand is the whole set: read, not refused.
    std::string line4 = recordLine(good, 4);
    for (int file = 0; file < 9; ++file)
        for (const int rank : {2, 6}) line4.replace((file * 9 + rank) * 8, 4, "   0");
    line4.replace(648, 4, "  18");
    EXPECT_EQ(refusal(replaceLine(good, 4, line4)), -1);
    EXPECT_EQ(loaded->record.comHandLeftHistory[0][1], 18);

    // 501 record lines fit (500 moves); one more does not.
    std::string full = good.substr(0, good.find(recordLine(good, 4)));
    for (int n = 0; n < 501; ++n) full += line5 + "\r\n";
    EXPECT_EQ(refusal(full), -1);
    EXPECT_EQ(loaded->record.lastRecordIndex, 500);
    EXPECT_EQ(refusal(full + line5 + "\r\n"), 505);

    // Plain LF or bare CR line ends, a last line without one, and the empty last line an editor
    // adds are read as well.
    for (const char end : {'\r', '\n'}) {
        std::string other = good;
        for (std::size_t at; (at = other.find("\r\n")) != std::string::npos;)
            other.replace(at, 2, 1, end);
        EXPECT_EQ(refusal(other.substr(0, other.size() - 1)), -1) << int(end);
        EXPECT_EQ(loaded->record.lastRecordIndex, 5);
        EXPECT_EQ(refusal(other + end), -1) << int(end);
    }
    EXPECT_EQ(refusal(good + "\r\n"), -1);
    EXPECT_EQ(loaded->record.lastRecordIndex, 5);
}

TEST(RecordFile, SizeAndHeaderLimitsHoldTheLargestRecordAndNothingLarger) {
    auto record = playedRecord();
    std::string good;
    ASSERT_FALSE(formatRecordFile({"対局", "先手", "後手"}, *record, good));
    auto loaded = std::make_unique<LoadedRecord>();

    // The largest record: header lines at their limit, 501 record lines, an empty last line.
    const std::string header(maxHeaderBytes, 'h');
    std::string largest;
    for (int i = 0; i < headerLines; ++i) largest += header + "\r\n";
    for (int n = 0; n < recordSlots; ++n) largest += recordLine(good, 5) + "\r\n";
    largest += "\r\n";
    ASSERT_EQ(largest.size(), maxRecordFileBytes);
    EXPECT_FALSE(parseRecordFile(largest, *loaded));
    EXPECT_EQ(loaded->record.lastRecordIndex, maxRecordIndex);
    auto e = parseRecordFile(largest + "\n", *loaded);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message,
              "棋譜ﾌｧｲﾙが大きすぎます（" + std::to_string(maxRecordFileBytes) + " バイトまで）");

    // One byte more in a header line is refused with the line, when read and when written.
    e = parseRecordFile(replaceLine(good, 2, header + "h"), *loaded);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message, "2行目: 見出しが長すぎます（256 バイトまで）");
    std::string bytes;
    std::string names;
    for (int i = 0; i < maxHeaderBytes / 2; ++i) names += "名";
    EXPECT_FALSE(formatRecordFile({names, "a", "b"}, *record, bytes));
    e = formatRecordFile({"a", "b", names + "a"}, *record, bytes);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line, 3);

    // From a file, a larger one is refused from its size and a pipe without waiting for it.
    const fs::path dir =
        fs::temp_directory_path() / ("nobakuza_record_limits_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string big = (dir / "big.棋譜").string();
    ASSERT_EQ(writeFileAtomically(big, largest), "");
    EXPECT_FALSE(readRecordFile(big, *loaded));
    fs::resize_file(big, std::uintmax_t{200} << 20);
    e = readRecordFile(big, *loaded);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message, "「" + big + "」を読み込めません。ファイルが大きすぎます（" +
                              "364,502 バイトまで）。");
    const std::string pipe = (dir / "pipe.棋譜").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    e = readRecordFile(pipe, *loaded);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message, "「" + pipe + "」を読み込めません。ファイルではなくパイプです。");
    fs::remove_all(dir);
}

TEST(RecordFile, WritesAtomicallyAndRefusesWhatWouldNotReadBack) {
    const fs::path dir =
        fs::temp_directory_path() / ("nobakuza_record_file_test_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "一局.棋譜").string();
    auto record = playedRecord();
    const RecordHeader header = headerForSave("名局", "先手の人", "後手の人", senteSide);
    EXPECT_EQ(header.topPlayerName, "後手の人");
    EXPECT_EQ(header.bottomPlayerName, "先手の人");
    EXPECT_EQ(headerForSave("", "a", "b", goteSide).topPlayerName, "a");

    ASSERT_FALSE(writeRecordFile(path, header, *record));
    const auto old = readWholeFile(path);
    ASSERT_TRUE(old);
    auto loaded = std::make_unique<LoadedRecord>();
    ASSERT_FALSE(readRecordFile(path, *loaded));
    EXPECT_EQ(loaded->record.lastRecordIndex, 5);

    // Refused before writing: the old file stays as it was.
    auto e = writeRecordFile(path, {"x", "\xF0\x9F\x98\x80", "y"}, *record);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line, 2);
    e = writeRecordFile(path, {"x", "y", "two\r\nlines"}, *record);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line, 3);
    // A position without the full set (a handicap game) would come back with other hands.
    record->leftBoardHistory[3][1][1] = emptySquare;
    e = writeRecordFile(path, header, *record);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line, 7);
    record->leftBoardHistory[3][1][1] = comLance;
    EXPECT_EQ(readWholeFile(path), old);

    // A write that fails half-way (the file size limit) leaves the old file and no temporary.
    record->recordIndex = 0;
    ASSERT_FALSE(writeRecordFile(path, header, *record));
    const auto shortFile = readWholeFile(path);
    record->recordIndex = record->lastRecordIndex;
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 1500;
    setrlimit(RLIMIT_FSIZE, &limited);
    e = writeRecordFile(path, header, *record);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line, 0);
    EXPECT_EQ(readWholeFile(path), shortFile);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    EXPECT_TRUE(readRecordFile((dir / "none.棋譜").string(), *loaded));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace nobakuza
