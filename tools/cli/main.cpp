// nobakuza-cli: the game core at work without the window. Each subcommand lives in a file of its
// own and is listed below; it gets argv from the subcommand's name on and returns the exit status
// (0 done, 2 refused: bad arguments or input, with the reason on stderr). --help and --version,
// for the tool or after a subcommand, print on stdout and end with status 0.
#include <cstdio>
#include <string>
#include <string_view>

#include "commands.h"
#include "ui/help_version.h"

namespace nobakuza::cli {
int survey(int argc, char** argv);
int writeSampleRecord(int argc, char** argv);
int analyze(int argc, char** argv);
int selfplay(int argc, char** argv);
int soak(int argc, char** argv);
int match(int argc, char** argv);
int review(int argc, char** argv);
}  // namespace nobakuza::cli

namespace {

using namespace nobakuza::cli;

struct Command {
    const CommandHelp& help;
    int (*run)(int argc, char** argv);
    bool listed;  // in --help; the others are the project's own
};

constexpr Command commands[] = {
    {surveyHelp, survey, true},
    {analyzeHelp, analyze, true},
    {selfplayHelp, selfplay, true},
    {soakHelp, soak, true},
    {matchHelp, match, true},
    {reviewHelp, review, true},
    {writeSampleRecordHelp, writeSampleRecord, false},
};

bool isHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

std::string commandList() {
    std::string list;
    const char* separator = "";
    for (const Command& c : commands) {
        if (!c.listed) continue;
        list += separator;
        list += c.help.name;
        separator = "|";
    }
    return list;
}

void printHelp() {
    std::string text = "usage: nobakuza-cli <" + commandList() +
                       "> ARGUMENTS...\n"
                       "       nobakuza-cli COMMAND --help\n"
                       "       nobakuza-cli --help | --version\n"
                       "\n"
                       "The rules and the computer player of Nobakuza without its window: for\n"
                       "looking into game records and testing the computer's play.\n"
                       "\n"
                       "Commands:\n";
    for (const Command& c : commands) {
        if (!c.listed) continue;
        std::string name(c.help.name);
        name.resize(10, ' ');
        text += "  " + name + std::string(c.help.summary) + "\n";
    }
    text += "\nSee nobakuza-cli(6) for more.\n";
    std::fputs(text.c_str(), stdout);
}

void printCommandHelp(const CommandHelp& help) {
    std::string summary(help.summary);
    summary[0] = static_cast<char>(summary[0] - 'a' + 'A');  // a sentence of its own here
    const std::string text =
        usageLine(help) + "\n\n" + summary + ".\n\n" + std::string(help.details);
    std::fputs(text.c_str(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: nobakuza-cli <%s> ...  (--help for more)\n",
                     commandList().c_str());
        return 2;
    }
    const std::string_view first = argv[1];
    if (isHelp(first)) {
        printHelp();
        return 0;
    }
    if (first == "--version") {
        std::printf("nobakuza-cli %.*s\n", static_cast<int>(nobakuza::programVersion.size()),
                    nobakuza::programVersion.data());
        return 0;
    }
    for (const Command& c : commands) {
        if (c.help.name != first) continue;
        for (int i = 2; i < argc; ++i) {
            if (isHelp(argv[i])) {
                printCommandHelp(c.help);
                return 0;
            }
        }
        return c.run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "nobakuza-cli: unknown command '%s'  (--help for the commands)\n",
                 argv[1]);
    return 2;
}
