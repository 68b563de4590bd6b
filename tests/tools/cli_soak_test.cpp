#include <filesystem>
#include <string>

#include "tools/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using cli_test::runCli;
using CliSoak = cli_test::CliTest;

// A few games at every level, every move checked: a change to the move routines or the search
// that breaks a board shows here before the long soak of CI.
TEST_F(CliSoak, SelfPlayGamesKeepEveryInvariantAndRefuseBadArguments) {
    const fs::path out = dir / "out";
    fs::create_directories(out);
    const auto run = runCli("soak --games 6 --seed 5 --out '" + out.string() + "'", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("soak: 6 games, "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("no fault"), std::string::npos) << run.out;
    EXPECT_TRUE(fs::is_empty(out));  // a record is written only for a fault

    EXPECT_EQ(runCli("soak --games 0", dir).status, 2);
    EXPECT_EQ(runCli("soak --games x", dir).status, 2);
    EXPECT_EQ(runCli("soak --level 3", dir).status, 2);
}

}  // namespace
