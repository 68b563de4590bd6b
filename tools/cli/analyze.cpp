// `nobakuza-cli analyze FILE [--level N] [--snapshot K] [--time] [--depth D]`: the computer's turn
// on one snapshot of a record, without making the move. Levels 1 to 3: both boards' search
// results and the board the computer would play on. Levels 4 and 5: the tree search's move, its
// score, the depth it reached, the nodes it searched and its time (to depth D instead of the
// level's time budget when --depth is given).
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "arguments.h"
#include "commands.h"
#include "computer/move_search.h"
#include "influence/influence_survey.h"
#include "records/game_record.h"
#include "records/record_file.h"
#include "search/level_search.h"

namespace nobakuza::cli {
namespace {

int refuse(const std::string& why) {
    return cli::refuse("analyze", why);
}

void printResult(const char* name, const SearchResult& r) {
    std::printf("%s score=%.6f from=%d,%d to=%d,%d moved=%d placed=%d\n", name, r.score, r.fromFile,
                r.fromRank, r.toFile, r.toRank, r.moved, r.placed);
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The computer's turn, step by step, so that each board's search can be timed.
std::int16_t timedTurn(GameState& game, ComputerState& computer, SearchResult& right,
                       SearchResult& left, double& rightMs, double& leftMs) {
    勢力調査(game.left);
    勢力調査(game.right);
    auto start = std::chrono::steady_clock::now();
    com_ban_右(game, computer, right);
    rightMs = millisecondsSince(start);
    勢力調査(game.right);
    start = std::chrono::steady_clock::now();
    com_ban_左(game, computer, left);
    leftMs = millisecondsSince(start);
    勢力調査(game.left);
    return chooseComputerBoard(game, right, left);
}

// The tree search's move for the computer, as the window's turn would search it.
void printTreeSearch(const GameState& game, int level, int depth) {
    auto engine = std::make_unique<GameTreeSearch>();
    SearchLimits limits;
    if (depth > 0)
        limits.depth = depth;
    else
        limits.seconds = levelSeconds(level);
    const LevelMove m = searchTopMove(game, computerTurnRules, limits, *engine);
    if (m.move.boardId == 0) {
        std::printf("move none\n");
    } else {
        std::printf("move board=%s from=%d,%d to=%d,%d moved=%d placed=%d\n",
                    m.move.boardId == rightBoardId ? "right" : "left", m.move.fromFile,
                    m.move.fromRank, m.move.toFile, m.move.toRank, m.move.moved, m.move.placed);
    }
    std::printf("score=%d depth=%d nodes=%llu time_ms=%.1f\n", m.score, m.depth,
                static_cast<unsigned long long>(m.nodes), m.milliseconds);
}

}  // namespace

int analyze(int argc, char** argv) {
    const std::string usage = usageLine(analyzeHelp);
    std::string path;
    int level = 3;
    int k = -1;
    bool timed = false;
    int depth = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--level") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], level) || level < 1 ||
                level > highestLevel)
                return refuse("--level needs 1, 2, 3, 4 or 5\n" + usage);
            ++i;
        } else if (arg == "--depth") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], depth) || depth < 1 || depth > 20)
                return refuse("--depth needs 1 to 20\n" + usage);
            ++i;
        } else if (arg == "--snapshot") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], k))
                return refuse("--snapshot needs a snapshot number 0..500\n" + usage);
            ++i;
        } else if (arg == "--time") {
            timed = true;
        } else if (path.empty() && !arg.starts_with("--")) {
            path = arg;
        } else {
            return refuse("unexpected argument '" + std::string(arg) + "'\n" + usage);
        }
    }
    if (path.empty()) return refuse(usage);

    auto loaded = std::make_unique<LoadedRecord>();
    if (const auto e = readRecordFile(path, *loaded)) return refuse(e->message);
    const GameRecord& record = loaded->record;
    if (k < 0) k = record.lastRecordIndex;
    if (k > record.lastRecordIndex) {
        return refuse("snapshot " + std::to_string(k) + " is not in " + path + " (0.." +
                      std::to_string(record.lastRecordIndex) + ")");
    }

    auto game = std::make_unique<GameState>();
    auto computer = std::make_unique<ComputerState>();
    restoreSnapshot(record, k, *game);
    game->comLevel = static_cast<std::int16_t>(level);
    if (depth > 0 && level < quickSearchLevel) return refuse("--depth is for levels 4 and 5");
    if (level >= quickSearchLevel) {
        printTreeSearch(*game, level, depth);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }

    SearchResult right, left;
    double rightMs = 0;
    double leftMs = 0;
    const std::int16_t chosen = timedTurn(*game, *computer, right, left, rightMs, leftMs);
    printResult("right", right);
    printResult("left", left);
    std::printf("choice=%s\n", chosen == rightBoardId ? "right" : "left");
    if (timed) {
        std::fprintf(stderr, "right search %.3f ms\n", rightMs);
        std::fprintf(stderr, "left search %.3f ms\n", leftMs);
    }
    return std::fflush(stdout) == 0 ? 0 : 2;
}

}  // namespace nobakuza::cli
