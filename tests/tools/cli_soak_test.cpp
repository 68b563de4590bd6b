#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

struct SoakRun {
    int status = -1;
    std::string out;
};

SoakRun runCli(const std::string& arguments) {
    const std::string command = std::string("'") + NOBAKUZA_CLI + "' " + arguments + " 2>&1";
    SoakRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// A few games at every level, every move checked: a change to the move routines or the search
// that breaks a board shows here before the long soak of CI.
TEST(CliSoak, SelfPlayGamesKeepEveryInvariantAndRefuseBadArguments) {
    const fs::path dir =
        fs::temp_directory_path() / ("nobakuza_cli_soak_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const SoakRun run = runCli("soak --games 6 --seed 5 --out '" + dir.string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("soak: 6 games, "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("no fault"), std::string::npos) << run.out;
    EXPECT_TRUE(fs::is_empty(dir));  // a record is written only for a fault
    fs::remove_all(dir);

    EXPECT_EQ(runCli("soak --games 0").status, 2);
    EXPECT_EQ(runCli("soak --games x").status, 2);
    EXPECT_EQ(runCli("soak --level 3").status, 2);
}

}  // namespace
