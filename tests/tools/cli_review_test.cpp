// `nobakuza-cli review`: a line per move and the summary last, the same every run at a fixed
// depth, and a refusal with status 2 for what it cannot review.
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tools/cli_runner.h"

namespace {

using cli_test::CliRun;
using cli_test::runCli;
using CliReview = cli_test::CliTest;

TEST_F(CliReview, ALinePerMoveThenTheSummaryTheSameEveryRunAtAFixedDepth) {
    const std::string sample = std::string("'") + NOBAKUZA_SOURCE_DIR + "/assets/sample.棋譜'";
    const CliRun first = runCli("review " + sample + " --depth 2 --jobs 2", dir);
    ASSERT_EQ(first.status, 0) << first.err;
    std::vector<std::string> lines;
    std::istringstream in(first.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_GE(lines.size(), 2u) << first.out;
    const std::regex move(
        "ply=([0-9]+) side=(top|bottom) board=(left|right) move=[^ ]+ "
        "before=([+-][0-9]+\\.[0-9]{2}|mate[+-][0-9]+) "
        "after=([+-][0-9]+\\.[0-9]{2}|mate[+-][0-9]+) "
        "best=(left|right):[^ ]+ mark=(-|悪手|疑問手)");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, move)) << lines[i];
        EXPECT_EQ(m[1], std::to_string(i + 1));
    }
    const std::regex summary(
        "review plies=([0-9]+) top_blunders=[0-9]+ top_dubious=[0-9]+ bottom_blunders=[0-9]+ "
        "bottom_dubious=[0-9]+ ms_per_position=[0-9]+\\.[0-9]");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines.back(), m, summary)) << lines.back();
    EXPECT_EQ(m[1], std::to_string(lines.size() - 1));

    // Everything but the time is the same again.
    const CliRun second = runCli("review " + sample + " --depth 2 --jobs 2", dir);
    ASSERT_EQ(second.status, 0) << second.err;
    const auto withoutTime = [](const std::string& out) {
        return out.substr(0, out.rfind(" ms_per_position="));
    };
    EXPECT_EQ(withoutTime(second.out), withoutTime(first.out));

    for (const std::string& refused :
         {std::string("review"), "review '" + (dir / "none.棋譜").string() + "'",
          "review " + sample + " --level 3", "review " + sample + " --jobs 0",
          "review " + sample + " --depth x", "review " + sample + " --frob"}) {
        const CliRun run = runCli(refused, dir);
        EXPECT_EQ(run.status, 2) << refused;
        EXPECT_EQ(run.out, "") << refused;
        EXPECT_NE(run.err, "") << refused;
    }
}

}  // namespace
