// The subcommands of nobakuza-cli as a player reads about them: each one's arguments, a line for
// the list of commands, and what `nobakuza-cli COMMAND --help` says. The refusals of each
// subcommand quote the same usage line.
#pragma once

#include <string>
#include <string_view>

namespace nobakuza::cli {

struct CommandHelp {
    std::string_view name;
    std::string_view arguments;
    std::string_view summary;  // one line
    std::string_view details;  // the options, one per line
};

inline constexpr CommandHelp surveyHelp = {
    "survey", "FILE [--snapshot K]",
    "the kings, influence tables, escapes and mate tests of one position of a record",
    "  --snapshot K   the position after move K (0 is the start; default: the last)\n"
    "\n"
    "The output is plain text, one table per block, and stays the same from version to\n"
    "version, so that other tools can compare against it.\n"};

inline constexpr CommandHelp analyzeHelp = {
    "analyze", "FILE [--level N] [--snapshot K] [--time] [--depth D]",
    "what the computer would play on one position of a record, without playing it",
    "  --level N      the computer's level, 1 to 5 (default 3)\n"
    "  --snapshot K   the position after move K (default: the last)\n"
    "  --time         also print how long the search took\n"
    "  --depth D      levels 4 and 5: search to depth D, 1 to 20, instead of by time\n"};

inline constexpr CommandHelp selfplayHelp = {
    "selfplay", "--out DIR [--games N] [--seed S] [--random-plies R] [--level L]",
    "the computer against itself, each game saved as a record the game can load",
    "  --out DIR          the folder for the records (made when missing)\n"
    "  --games N          how many games, at most 10000 (default 1)\n"
    "  --seed S           the seed of the first game; a seed gives the same games again\n"
    "  --random-plies R   random moves to open each game with (default 0)\n"
    "  --level L          the computer's level, 1 to 3 (default 3)\n"};

inline constexpr CommandHelp soakHelp = {
    "soak", "[--games N] [--seed S] [--out DIR]",
    "many self-play games, every move and position checked against the rules",
    "  --games N   how many games, 1 to 1000000 (default 100)\n"
    "  --seed S    the seed of the run (default 1)\n"
    "  --out DIR   where the record of a faulty game is written (default: here)\n"
    "\n"
    "The first fault ends the run with status 1, naming the game, the move and the fault.\n"};

inline constexpr CommandHelp matchHelp = {
    "match",
    "--a LEVEL --b LEVEL [--games N] [--seed S] [--random-plies R] [--jobs J] [--depth D] "
    "[--out DIR]",
    "games between two levels of the computer, with the score and the rating difference",
    "  --a LEVEL, --b LEVEL   the two levels, 1 to 5\n"
    "  --games N              how many games, 1 to 10000 (default 2)\n"
    "  --seed S               the seed of the openings (default 1)\n"
    "  --random-plies R       random moves to open each pair of games with (default 4)\n"
    "  --jobs J               games played at a time, 1 to 64 (default 1)\n"
    "  --depth D              levels 4 and 5 search to depth D instead of by time\n"
    "  --out DIR              also write each game as a record into DIR\n"
    "\n"
    "Each opening is played twice, a on the top side first, then the sides swapped. The last\n"
    "line is the result: result a=.. b=.. draws=.. score=..% elo=.. ms_per_move_a=..\n"
    "ms_per_move_b=..\n"};

inline constexpr CommandHelp reviewHelp = {
    "review", "FILE [--level 4|5] [--jobs J] [--depth D]",
    "every move of a record judged by the computer's search, its blunders and dubious moves marked",
    "  --level 4|5   the time each position is searched: that level's (default 4)\n"
    "  --jobs J      positions searched at a time, 1 to 64 (default 1)\n"
    "  --depth D     search each position to depth D, 1 to 20, instead of by time: the same\n"
    "                output every run\n"
    "\n"
    "One line per move: its number, the side that made it (top: the computer's pieces), the\n"
    "move, the value before it (the best the mover had) and after it, both from the mover's\n"
    "side in pawns (mate+N: a win forced in N plies, mate-N: a loss), the move the search\n"
    "preferred and the mark: 悪手 for 3 pawns lost or more, or a forced win let slip, or a\n"
    "forced loss walked into; 疑問手 for 1.5 pawns lost or more; - for none. The last line is\n"
    "the summary: review plies=.. top_blunders=.. top_dubious=.. bottom_blunders=..\n"
    "bottom_dubious=.. ms_per_position=.. (the wall time over the positions searched).\n"};

// Not listed: writes the sample record the project ships, from a fixed game.
inline constexpr CommandHelp writeSampleRecordHelp = {
    "write-sample-record", "FILE", "the sample record of the help page, written afresh",
    "  FILE   where to write it (assets/sample.棋譜 in the project)\n"};

inline std::string usageLine(const CommandHelp& c) {
    return "usage: nobakuza-cli " + std::string(c.name) + " " + std::string(c.arguments);
}

}  // namespace nobakuza::cli
