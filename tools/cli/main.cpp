// nobakuza-cli: the game core at work without the window. Each subcommand lives in a file of its
// own and is listed below; it gets argv from the subcommand's name on and returns the exit status
// (0 done, 2 refused: bad arguments or input, with the reason on stderr).
#include <cstdio>
#include <string_view>

namespace nobakuza::cli {
int survey(int argc, char** argv);
int writeSampleRecord(int argc, char** argv);
int analyze(int argc, char** argv);
int selfplay(int argc, char** argv);
int soak(int argc, char** argv);
int match(int argc, char** argv);
}  // namespace nobakuza::cli

namespace {

struct Command {
    std::string_view name;
    int (*run)(int argc, char** argv);
    bool listed;  // shown in the usage line
};

constexpr Command commands[] = {
    {"survey", nobakuza::cli::survey, true},
    {"analyze", nobakuza::cli::analyze, true},
    {"selfplay", nobakuza::cli::selfplay, true},
    {"soak", nobakuza::cli::soak, true},
    {"match", nobakuza::cli::match, true},
    // Writes assets/sample.棋譜 from a fixed game played through the move routines.
    {"write-sample-record", nobakuza::cli::writeSampleRecord, false},
};

void printUsage() {
    std::fprintf(stderr, "usage: nobakuza-cli <");
    const char* separator = "";
    for (const Command& c : commands) {
        if (!c.listed) continue;
        std::fprintf(stderr, "%s%.*s", separator, static_cast<int>(c.name.size()), c.name.data());
        separator = "|";
    }
    std::fprintf(stderr, "> ...\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage();
        return 2;
    }
    for (const Command& c : commands) {
        if (c.name == argv[1]) return c.run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "nobakuza-cli: unknown command '%s'\n", argv[1]);
    printUsage();
    return 2;
}
