// nobakuza-cli as a player finds it: --help lists the commands, each command explains itself,
// --version answers, and what it does not know is refused with status 2.
#include <algorithm>

#include "tools/cli_runner.h"

namespace {

using cli_test::CliTest;
using cli_test::runCli;

class CliHelp : public CliTest {};

TEST_F(CliHelp, HelpAndVersionAnswerOnStandardOutputAndEveryCommandExplainsItself) {
    auto run = runCli("--help", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("usage: nobakuza-cli <survey|analyze|selfplay|soak|match|review>", 0),
              0u)
        << run.out;
    for (const char* command : {"survey", "analyze", "selfplay", "soak", "review"}) {
        SCOPED_TRACE(command);
        EXPECT_NE(run.out.find(std::string("\n  ") + command + " "), std::string::npos);
        // Asked anywhere after the command, help wins and nothing is run or refused.
        for (const std::string& tail : {std::string(" --help"), std::string(" nofile -h")}) {
            const auto help = runCli(command + tail, dir);
            EXPECT_EQ(help.status, 0);
            EXPECT_EQ(help.err, "");
            EXPECT_EQ(help.out.rfind(std::string("usage: nobakuza-cli ") + command + " ", 0), 0u)
                << help.out;
            EXPECT_NE(help.out.find("\n  --"), std::string::npos) << "no options listed";
        }
    }
    run = runCli("-h", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Commands:"), std::string::npos);

    run = runCli("--version", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "nobakuza-cli 1.0.0\n");

    for (const char* refused : {"frob", "--frob", ""}) {
        run = runCli(refused, dir);
        EXPECT_EQ(run.status, 2) << refused;
        EXPECT_EQ(run.out, "") << refused;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    // Not listed, but no command takes --help for a file name.
    run = runCli("write-sample-record --help", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("usage: nobakuza-cli write-sample-record FILE\n", 0), 0u) << run.out;
}

}  // namespace
