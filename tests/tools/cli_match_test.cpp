#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "records/record_file.h"
#include "tools/cli_runner.h"

namespace {

using cli_test::CliRun;
using cli_test::runCli;
using CliMatch = cli_test::CliTest;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(CliMatch, GamesInPairsThenASummaryAndTheResultLineLast) {
    // Levels 1 to 3 play the same games every time, so two jobs must print what one prints.
    const CliRun one = runCli("match --a 2 --b 1 --games 4 --seed 3 --random-plies 6", dir);
    ASSERT_EQ(one.status, 0) << one.err;
    const std::vector<std::string> lines = linesOf(one.out);
    ASSERT_EQ(lines.size(), 6u) << one.out;
    const std::regex game(
        "game ([1-4]) opening ([12]) a=(top|bottom) moves=[0-9]+ end=[a-z-]+ winner=(a|b|none) "
        "ms_a=[0-9]+\\.[0-9]/[0-9]+\\.[0-9] ms_b=[0-9]+\\.[0-9]/[0-9]+\\.[0-9]");
    int wonA = 0, wonB = 0, drawn = 0;
    for (int i = 0; i < 4; ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[static_cast<std::size_t>(i)], m, game)) << lines[i];
        EXPECT_EQ(m[1], std::to_string(i + 1));
        EXPECT_EQ(m[2], std::to_string(i / 2 + 1));      // each opening twice
        EXPECT_EQ(m[3], i % 2 == 0 ? "top" : "bottom");  // with the sides swapped
        wonA += m[4] == "a";
        wonB += m[4] == "b";
        drawn += m[4] == "none";
    }
    EXPECT_EQ(lines[4].rfind("summary a=LEVEL2 b=LEVEL1 games=4 ", 0), 0u) << lines[4];
    std::smatch r;
    ASSERT_TRUE(std::regex_match(
        lines[5], r,
        std::regex(
            "result a=([0-9]+) b=([0-9]+) draws=([0-9]+) score=([0-9]+\\.[0-9])% "
            "elo=(-?[0-9]+\\.[0-9]) ms_per_move_a=[0-9]+\\.[0-9] ms_per_move_b=[0-9]+\\.[0-9]")))
        << lines[5];
    EXPECT_EQ(std::stoi(r[1]), wonA);
    EXPECT_EQ(std::stoi(r[2]), wonB);
    EXPECT_EQ(std::stoi(r[3]), drawn);
    char score[16];
    std::snprintf(score, sizeof score, "%.1f", 100.0 * (wonA + 0.5 * drawn) / 4);
    EXPECT_EQ(r[4], score);
    // More points than the other side is a rating above it.
    EXPECT_EQ(std::stod(r[5]) > 0, wonA > wonB);

    const CliRun two =
        runCli("match --a 2 --b 1 --games 4 --seed 3 --random-plies 6 --jobs 2", dir);
    ASSERT_EQ(two.status, 0) << two.err;
    const std::vector<std::string> parallel = linesOf(two.out);
    ASSERT_EQ(parallel.size(), 6u);
    const std::regex times(" ms_.*");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(std::regex_replace(parallel[i], times, ""),
                  std::regex_replace(lines[i], times, ""));

    // A searching level, to a fixed depth so that the test stays quick, its two games played at
    // once (a tree search on each thread), each kept as a record of all its moves.
    const CliRun tree = runCli("match --a 4 --b 1 --games 2 --depth 1 --seed 2 --jobs 2 --out '" +
                                   (dir / "games").string() + "'",
                               dir);
    ASSERT_EQ(tree.status, 0) << tree.err;
    const std::vector<std::string> treeLines = linesOf(tree.out);
    ASSERT_EQ(treeLines.size(), 4u) << tree.out;
    for (int n = 1; n <= 2; ++n) {
        auto loaded = std::make_unique<nobakuza::LoadedRecord>();
        ASSERT_FALSE(
            nobakuza::readRecordFile(
                (dir / "games" / ("match-2-" + std::to_string(n) + ".棋譜")).string(), *loaded)
                .has_value());
        std::smatch moves;
        ASSERT_TRUE(std::regex_search(treeLines[static_cast<std::size_t>(n - 1)], moves,
                                      std::regex("moves=([0-9]+)")));
        EXPECT_EQ(loaded->record.lastRecordIndex, std::stoi(moves[1]));
    }

    EXPECT_EQ(runCli("match --a 6 --b 1", dir).status, 2);
    EXPECT_EQ(runCli("match --a 4", dir).status, 2);
    EXPECT_EQ(runCli("match --a 4 --b 3 --games 0", dir).status, 2);
    EXPECT_EQ(runCli("match --a 4 --b 3 --jobs 0", dir).status, 2);
}

}  // namespace
