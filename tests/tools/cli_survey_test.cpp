#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "files/text_file.h"
#include "tools/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using cli_test::CliRun;
using cli_test::runCli;
using CliSurvey = cli_test::CliTest;

TEST_F(CliSurvey, SampleRecordIsRegeneratedByteForByte) {
    const fs::path written = dir / "sample.棋譜";
    ASSERT_EQ(runCli("write-sample-record '" + written.string() + "'", dir).status, 0);
    const auto bundled = nobakuza::readWholeFile(NOBAKUZA_SOURCE_DIR "/assets/sample.棋譜");
    ASSERT_TRUE(bundled.has_value());
    EXPECT_EQ(nobakuza::readWholeFile(written.string()), bundled);
}

TEST_F(CliSurvey, StartPositionPrintsTheKnownTables) {
    const fs::path record = dir / "game.棋譜";
    ASSERT_EQ(runCli("write-sample-record '" + record.string() + "'", dir).status, 0);
    const CliRun start = runCli("survey '" + record.string() + "' --snapshot 0", dir);
    ASSERT_EQ(start.status, 0) << start.err;

    // Worked out by hand from the start position: lance, knight and bishop reach (1, 7); the rook
    // stops at the bishop; the king has three empty squares in front of it that nothing reaches.
    const std::string leftBoard =
        "board left\n"
        "kings man=5,9 com=5,1\n"
        "table manInfluence\n"
        "0 0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0 0\n"
        "0 0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0 0\n1 1 1 1 1 1 1 1 1\n"
        "3 0 2 0 0 0 1 1 2\n1 2 3 4 4 4 3 1 2\n1 0 2 1 2 1 1 1 0\n"
        "table comInfluence\n"
        "0 1 1 1 2 1 2 0 1\n2 1 3 4 4 4 3 2 1\n2 1 1 0 0 0 2 0 3\n"
        "1 1 1 1 1 1 1 1 1\n0 0 0 0 0 0 0 0 0\n";
    EXPECT_EQ(start.out.substr(0, leftBoard.size()), leftBoard);
    const std::string ending = "escape=3\nmateMan=0\nmateCom=0\n";
    EXPECT_EQ(start.out.substr(start.out.size() - ending.size()), ending);
    const std::size_t right = start.out.find("board right\n");
    ASSERT_NE(right, std::string::npos);
    // Both boards hold the same position, so they print the same apart from their name.
    EXPECT_EQ(start.out.substr(right + 12), start.out.substr(11, right - 11));
    EXPECT_EQ(std::count(start.out.begin(), start.out.end(), '\n'), 2 * (2 + 11 * 10 + 3));
    EXPECT_NE(start.out.find("table manCheapestAttacker\n-999 -999"), std::string::npos);
    EXPECT_NE(start.out.find("table comCheckMarks\n0 0 0"), std::string::npos);

    // Without --snapshot the last one is surveyed.
    const CliRun last = runCli("survey '" + record.string() + "'", dir);
    EXPECT_EQ(last.status, 0);
    EXPECT_EQ(last.out, runCli("survey '" + record.string() + "' --snapshot 8", dir).out);
    EXPECT_NE(last.out, start.out);
}

TEST_F(CliSurvey, RefusalsGoToStderrWithStatusTwo) {
    const fs::path record = dir / "game.棋譜";
    ASSERT_EQ(runCli("write-sample-record '" + record.string() + "'", dir).status, 0);
    for (const std::string& arguments : {"survey '" + (dir / "missing.棋譜").string() + "'",
                                         "survey '" + record.string() + "' --snapshot 9",
                                         "survey '" + record.string() + "' --snapshot -1",
                                         "survey '" + record.string() + "' --snapshot",
                                         std::string("survey"), std::string("no-such-command")}) {
        const CliRun run = runCli(arguments, dir);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err, "") << arguments;
    }
    // A refused file names the line at fault.
    std::string bytes = *nobakuza::readWholeFile(record.string());
    ASSERT_GE(bytes.size(), 2u);
    bytes.insert(bytes.end() - 2, ' ');
    const fs::path broken = dir / "broken.棋譜";
    ASSERT_EQ(nobakuza::writeFileAtomically(broken.string(), bytes), "");
    const CliRun run = runCli("survey '" + broken.string() + "'", dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("12行目"), std::string::npos) << run.err;
}

}  // namespace
