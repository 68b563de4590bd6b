// Runs the command-line tool as a player would from a shell, and a fresh folder for each test.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "files/text_file.h"

namespace cli_test {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// `arguments` go to the shell as they stand; standard error is kept in a file of `dir`.
inline CliRun runCli(const std::string& arguments, const fs::path& dir) {
    const fs::path errFile = dir / "stderr.txt";
    const std::string command =
        std::string("'") + NOBAKUZA_CLI + "' " + arguments + " 2>'" + errFile.string() + "'";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = nobakuza::readWholeFile(errFile.string()).value_or("");
    return run;
}

// A folder of its own for each test, so parallel runs never meet.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("nobakuza_cli_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

}  // namespace cli_test
