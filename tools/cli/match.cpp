// `nobakuza-cli match --a LEVEL --b LEVEL [--games N] [--seed S] [--random-plies R] [--jobs J]
// [--depth D] [--out DIR]`: games between two levels. Each opening of R random plies is played
// twice, a taking the top side (which moves first) and then the bottom side. One line per game, in
// game order, then a summary and last the result line; with --out, each game also as a record.
#include "search/match.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "board/move_execution.h"
#include "records/game_record.h"
#include "records/record_file.h"
#include "search/level_search.h"

namespace nobakuza::cli {
namespace {

int refuse(const std::string& why) {
    return cli::refuse("match", why);
}

struct Settings {
    int a = 4;
    int b = 3;
    int games = 2;
    std::uint64_t seed = 1;
    int randomPlies = 4;
    int jobs = 1;
    int depth = 0;
    std::string out;
};

struct Played {
    MatchGameResult game;
    bool aTop = true;
    int score = 0;  // +1 a won, -1 b won, 0 drawn
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double worst(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// The rating difference that scores `score` (0..1) in the long run; a clean sweep is counted as
// half a game short of it, so that the figure stays finite.
double eloOf(double points, int games) {
    const double half = 0.5 / games;
    const double s = std::clamp(points / games, half, 1 - half);
    return -400 * std::log10(1 / s - 1);
}

Played playOne(const Settings& s, int index, MatchPlayer& forA, MatchPlayer& forB) {
    MatchGameConfig config;
    config.seed = s.seed * 1000003 + static_cast<std::uint64_t>(index / 2);
    config.randomPlies = s.randomPlies;
    config.maxMoves = maxRecordIndex;
    config.fixedDepth = s.depth;
    Played p;
    p.aTop = index % 2 == 0;
    config.topLevel = p.aTop ? s.a : s.b;
    config.bottomLevel = p.aTop ? s.b : s.a;
    p.game = p.aTop ? playMatchGame(config, forA, forB) : playMatchGame(config, forB, forA);
    const int top = winnerOf(p.game.end);
    p.score = p.aTop ? top : -top;
    return p;
}

// The game as a record the window can load: its moves made again from the start, one snapshot
// each. Top is the computer's side of the record, bottom the human's.
std::string writeGame(const Settings& s, int index, const Played& p) {
    auto game = std::make_unique<GameState>();
    auto record = std::make_unique<GameRecord>();
    setInitialPosition(game->left.board);
    setInitialPosition(game->right.board);
    game->manSide = goteSide;
    game->comSide = senteSide;
    storeStartPosition(*record, *game);
    for (const Move& m : p.game.played) {
        駒移動(*game, game->board(m.boardId), m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed);
        if (const auto e = 手順保存(*record, *game, 0, 0, 0, 0)) return e->message;
    }
    const std::string name = "match-" + std::to_string(s.seed) + "-" + std::to_string(index + 1);
    const std::string top = "LEVEL" + std::to_string(p.aTop ? s.a : s.b) + " (top)";
    const std::string bottom = "LEVEL" + std::to_string(p.aTop ? s.b : s.a) + " (bottom)";
    const RecordHeader header{name, top, bottom};
    const std::string path = (std::filesystem::path(s.out) / (name + ".棋譜")).string();
    if (const auto e = writeRecordFile(path, header, *record)) return e->message;
    return {};
}

void printGame(int index, const Played& p) {
    const std::vector<double>& aMs = p.aTop ? p.game.topMilliseconds : p.game.bottomMilliseconds;
    const std::vector<double>& bMs = p.aTop ? p.game.bottomMilliseconds : p.game.topMilliseconds;
    std::printf("game %d opening %d a=%s moves=%d end=%s winner=%s ms_a=%.1f/%.1f ms_b=%.1f/%.1f\n",
                index + 1, index / 2 + 1, p.aTop ? "top" : "bottom", p.game.moves,
                selfPlayEndName(p.game.end),
                p.score > 0   ? "a"
                : p.score < 0 ? "b"
                              : "none",
                median(aMs), worst(aMs), median(bMs), worst(bMs));
    std::fflush(stdout);
}

}  // namespace

int match(int argc, char** argv) {
    const std::string usage = usageLine(matchHelp);
    Settings s;
    bool haveA = false;
    bool haveB = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        int* number = nullptr;
        if (arg == "--a") number = &s.a;
        if (arg == "--b") number = &s.b;
        if (arg == "--games") number = &s.games;
        if (arg == "--random-plies") number = &s.randomPlies;
        if (arg == "--jobs") number = &s.jobs;
        if (arg == "--depth") number = &s.depth;
        if (arg == "--out") {
            if (i + 1 >= argc) return refuse("--out needs a folder\n" + usage);
            s.out = argv[++i];
            continue;
        }
        if (arg == "--seed") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], s.seed))
                return refuse("--seed needs a number\n" + usage);
            ++i;
            continue;
        }
        if (!number) return refuse("unexpected argument '" + std::string(arg) + "'\n" + usage);
        if (i + 1 >= argc || !parseNumber(argv[i + 1], *number))
            return refuse(std::string(arg) + " needs a number\n" + usage);
        haveA |= number == &s.a;
        haveB |= number == &s.b;
        ++i;
    }
    if (!haveA || !haveB) return refuse(usage);
    if (s.a < 1 || s.a > highestLevel || s.b < 1 || s.b > highestLevel)
        return refuse("--a and --b need a level from 1 to 5");
    if (s.games < 1 || s.games > 10000) return refuse("--games needs 1 to 10000");
    if (s.randomPlies > maxRecordIndex)
        return refuse("--random-plies is at most " + std::to_string(maxRecordIndex));
    if (s.jobs < 1 || s.jobs > 64) return refuse("--jobs needs 1 to 64");
    if (s.depth > 20) return refuse("--depth is at most 20");
    if (!s.out.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(s.out, ec);
        if (ec) return refuse("cannot make the folder " + s.out + ": " + ec.message());
    }

    std::vector<Played> results(static_cast<std::size_t>(s.games));
    std::vector<bool> done(results.size(), false);
    std::mutex lock;
    int nextGame = 0;
    int nextPrinted = 0;
    std::string writeError;
    auto worker = [&] {
        auto forA = std::make_unique<MatchPlayer>();
        auto forB = std::make_unique<MatchPlayer>();
        for (;;) {
            int index;
            {
                std::lock_guard<std::mutex> guard(lock);
                if (nextGame >= s.games) return;
                index = nextGame++;
            }
            Played p = playOne(s, index, *forA, *forB);
            const std::string error = s.out.empty() ? std::string() : writeGame(s, index, p);
            std::lock_guard<std::mutex> guard(lock);
            if (!error.empty() && writeError.empty()) writeError = error;
            results[static_cast<std::size_t>(index)] = std::move(p);
            done[static_cast<std::size_t>(index)] = true;
            // Games are printed in their order, each as soon as the ones before it are.
            while (nextPrinted < s.games && done[static_cast<std::size_t>(nextPrinted)]) {
                printGame(nextPrinted, results[static_cast<std::size_t>(nextPrinted)]);
                ++nextPrinted;
            }
        }
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < std::min(s.jobs, s.games); ++j) threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads) t.join();
    if (!writeError.empty()) return refuse(writeError);

    int winsA = 0, winsB = 0, draws = 0, movesTotal = 0;
    std::vector<double> msA, msB;
    for (const Played& p : results) {
        winsA += p.score > 0;
        winsB += p.score < 0;
        draws += p.score == 0;
        movesTotal += p.game.moves;
        const auto& a = p.aTop ? p.game.topMilliseconds : p.game.bottomMilliseconds;
        const auto& b = p.aTop ? p.game.bottomMilliseconds : p.game.topMilliseconds;
        msA.insert(msA.end(), a.begin(), a.end());
        msB.insert(msB.end(), b.begin(), b.end());
    }
    const double points = winsA + 0.5 * draws;
    std::printf(
        "summary a=LEVEL%d b=LEVEL%d games=%d random_plies=%d seed=%llu depth=%s "
        "moves_per_game=%.1f worst_ms_a=%.1f worst_ms_b=%.1f\n",
        s.a, s.b, s.games, s.randomPlies, static_cast<unsigned long long>(s.seed),
        s.depth > 0 ? std::to_string(s.depth).c_str() : "time",
        static_cast<double>(movesTotal) / s.games, worst(msA), worst(msB));
    std::printf(
        "result a=%d b=%d draws=%d score=%.1f%% elo=%.1f ms_per_move_a=%.1f "
        "ms_per_move_b=%.1f\n",
        winsA, winsB, draws, 100 * points / s.games, eloOf(points, s.games), median(msA),
        median(msB));
    return std::fflush(stdout) == 0 ? 0 : 2;
}

}  // namespace nobakuza::cli
