// `nobakuza-cli review FILE [--level 4|5] [--jobs J] [--depth D]`: every move of a record judged
// by the tree search, as the window's review judges it. One line per move, then the summary:
//   review plies=N top_blunders=.. top_dubious=.. bottom_blunders=.. bottom_dubious=..
//   ms_per_position=..
// ms_per_position is the review's wall time over the positions it searched (with J jobs, about
// the level's time over J).
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "arguments.h"
#include "commands.h"
#include "records/record_file.h"
#include "review/game_review.h"
#include "ui/notation.h"

namespace nobakuza::cli {
namespace {

int refuse(const std::string& why) {
    return cli::refuse("review", why);
}

// Pawns with two decimals ("+1.25"), or a forced end in plies: "mate+3" won, "mate-3" lost.
std::string scoreText(int score) {
    char text[32];
    if (isMateScore(score))
        std::snprintf(text, sizeof text, "mate%c%d", score > 0 ? '+' : '-', pliesToEnd(score));
    else
        std::snprintf(text, sizeof text, "%+.2f", score / static_cast<double>(pawnScore));
    return text;
}

std::string notation(const MoveNote& note) {
    return note.boardId == 0 ? "none" : moveNotation(note, false, Language::english);
}

// The preferred move with its board, which may not be the board played on.
std::string moveText(const MoveNote& note) {
    if (note.boardId == 0) return "none";
    return std::string(note.boardId == rightBoardId ? "right:" : "left:") + notation(note);
}

}  // namespace

int review(int argc, char** argv) {
    const std::string usage = usageLine(reviewHelp);
    std::string path;
    ReviewOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--level") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], options.level) ||
                options.level < quickSearchLevel || options.level > strongSearchLevel)
                return refuse("--level needs 4 or 5\n" + usage);
            ++i;
        } else if (arg == "--jobs") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], options.jobs) || options.jobs < 1 ||
                options.jobs > 64)
                return refuse("--jobs needs 1 to 64\n" + usage);
            ++i;
        } else if (arg == "--depth") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], options.depth) || options.depth < 1 ||
                options.depth > 20)
                return refuse("--depth needs 1 to 20\n" + usage);
            ++i;
        } else if (path.empty() && !arg.starts_with("--")) {
            path = arg;
        } else {
            return refuse("unexpected argument '" + std::string(arg) + "'\n" + usage);
        }
    }
    if (path.empty()) return refuse(usage);

    auto loaded = std::make_unique<LoadedRecord>();
    if (const auto e = readRecordFile(path, *loaded)) return refuse(e->message);

    const GameReview r = reviewGame(loaded->record, options);
    for (const ReviewedMove& m : r.moves) {
        const char* mark = markText(m.mark);
        std::printf("ply=%d side=%s board=%s move=%s before=%s after=%s best=%s mark=%s\n", m.ply,
                    m.topMoved ? "top" : "bottom",
                    m.note.boardId == rightBoardId  ? "right"
                    : m.note.boardId == leftBoardId ? "left"
                                                    : "none",
                    notation(m.note).c_str(), scoreText(m.scoreBefore).c_str(),
                    scoreText(m.scoreAfter).c_str(), moveText(noteOf(m.preferred)).c_str(),
                    *mark != '\0' ? mark : "-");
    }
    const ReviewCounts c = countMarks(r);
    std::printf(
        "review plies=%zu top_blunders=%d top_dubious=%d bottom_blunders=%d bottom_dubious=%d "
        "ms_per_position=%.1f\n",
        r.moves.size(), c.topBlunders, c.topDubious, c.bottomBlunders, c.bottomDubious,
        r.positions > 0 ? r.milliseconds / r.positions : 0.0);
    return std::fflush(stdout) == 0 ? 0 : 2;
}

}  // namespace nobakuza::cli
