#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>

#include "computer/move_search.h"
#include "files/text_file.h"
#include "records/record_file.h"
#include "tools/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using cli_test::CliRun;
using cli_test::runCli;
using CliAnalyze = cli_test::CliTest;

std::string resultLine(const char* name, const nobakuza::SearchResult& r) {
    char line[200];
    std::snprintf(line, sizeof line, "%s score=%.6f from=%d,%d to=%d,%d moved=%d placed=%d\n", name,
                  r.score, r.fromFile, r.fromRank, r.toFile, r.toRank, r.moved, r.placed);
    return line;
}

TEST_F(CliAnalyze, SelfPlayRecordIsAnalyzedTheSameEveryTime) {
    const CliRun play =
        runCli("selfplay --out '" + dir.string() + "' --games 2 --seed 5 --random-plies 12", dir);
    ASSERT_EQ(play.status, 0) << play.err;
    const fs::path record = dir / "selfplay-5-0.棋譜";
    EXPECT_EQ(play.out.find(record.string() + " moves="), 0u) << play.out;
    EXPECT_NE(play.out.find("selfplay-5-1.棋譜 moves="), std::string::npos) << play.out;

    // A seed reproduces its games byte for byte.
    const fs::path again = dir / "again";
    ASSERT_EQ(
        runCli("selfplay --out '" + again.string() + "' --seed 5 --random-plies 12", dir).status,
        0);
    EXPECT_EQ(nobakuza::readWholeFile((again / "selfplay-5-0.棋譜").string()),
              nobakuza::readWholeFile(record.string()));

    const CliRun first = runCli("analyze '" + record.string() + "'", dir);
    ASSERT_EQ(first.status, 0) << first.err;
    const std::regex shape(
        "right score=-?[0-9]+\\.[0-9]{6} from=-?[0-9],[0-9] to=[0-9],[0-9] moved=-?[0-9]+ "
        "placed=-?[0-9]+\n"
        "left score=-?[0-9]+\\.[0-9]{6} from=-?[0-9],[0-9] to=[0-9],[0-9] moved=-?[0-9]+ "
        "placed=-?[0-9]+\n"
        "choice=(right|left)\n");
    EXPECT_TRUE(std::regex_match(first.out, shape)) << first.out;
    EXPECT_EQ(runCli("analyze '" + record.string() + "'", dir).out, first.out);

    // The same turn computed here from the loaded snapshot.
    auto loaded = std::make_unique<nobakuza::LoadedRecord>();
    ASSERT_FALSE(nobakuza::readRecordFile(record.string(), *loaded).has_value());
    auto game = std::make_unique<nobakuza::GameState>();
    auto computer = std::make_unique<nobakuza::ComputerState>();
    nobakuza::restoreSnapshot(loaded->record, 9, *game);
    game->comLevel = 1;
    nobakuza::SearchResult right, left;
    const std::int16_t chosen = nobakuza::searchComputerTurn(*game, *computer, right, left);
    const std::string expected = resultLine("right", right) + resultLine("left", left) +
                                 "choice=" + (chosen == nobakuza::rightBoardId ? "right" : "left") +
                                 "\n";
    const CliRun ninth =
        runCli("analyze '" + record.string() + "' --snapshot 9 --level 1 --time", dir);
    ASSERT_EQ(ninth.status, 0) << ninth.err;
    EXPECT_EQ(ninth.out, expected);
    EXPECT_TRUE(std::regex_match(ninth.err, std::regex("right search [0-9]+\\.[0-9]{3} ms\n"
                                                       "left search [0-9]+\\.[0-9]{3} ms\n")))
        << ninth.err;

    // Levels 4 and 5: the tree search's move and its figures; to a fixed depth, the same move and
    // figures every time (all but the time).
    const CliRun tree =
        runCli("analyze '" + record.string() + "' --snapshot 20 --level 5 --depth 3", dir);
    ASSERT_EQ(tree.status, 0) << tree.err;
    const std::regex treeShape(
        "move board=(right|left) from=-?[0-9],[0-9] to=[0-9],[0-9] moved=[0-9]+ placed=[0-9]+\n"
        "score=-?[0-9]+ depth=3 nodes=[0-9]+ time_ms=[0-9]+\\.[0-9]\n");
    EXPECT_TRUE(std::regex_match(tree.out, treeShape)) << tree.out;
    const CliRun again4 =
        runCli("analyze '" + record.string() + "' --snapshot 20 --level 4 --depth 3", dir);
    EXPECT_EQ(again4.out.substr(0, again4.out.find(" time_ms=")),
              tree.out.substr(0, tree.out.find(" time_ms=")));

    // Refusals.
    EXPECT_EQ(runCli("analyze '" + record.string() + "' --level 6", dir).status, 2);
    EXPECT_EQ(runCli("analyze '" + record.string() + "' --level 3 --depth 2", dir).status, 2);
    EXPECT_EQ(runCli("analyze '" + record.string() + "' --snapshot 501", dir).status, 2);
    EXPECT_EQ(runCli("analyze '" + (dir / "missing.棋譜").string() + "'", dir).status, 2);
    EXPECT_EQ(runCli("selfplay --games 1", dir).status, 2);
}

}  // namespace
