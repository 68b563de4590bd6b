// The whole computer turn (both boards' searches and the board choice) over a fixed corpus of
// positions from seeded self-play, at levels 1 and 3: median and worst time per turn, and the
// corpus signature, a hash of every move chosen, so that a change in play shows at once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unordered_set>
#include <vector>

#include "computer/move_search.h"
#include "computer/self_play.h"

namespace nobakuza {
namespace {

constexpr int corpusGames = 12;
constexpr int corpusMovesPerGame = 200;
constexpr int timedRounds = 5;

// The machine is shared, so a turn is timed by the processor time of this thread: what the turn
// itself costs, not what other programs take meanwhile.
double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

struct Fnv {
    std::uint64_t h = 1469598103934665603ULL;
    void add(std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= static_cast<std::uint8_t>(v >> (8 * i));
            h *= 1099511628211ULL;
        }
    }
};

std::uint64_t positionKey(const GameState& g) {
    Fnv f;
    for (const BoardState* b : {&g.left, &g.right}) {
        for (int i = 1; i <= boardSize; ++i)
            for (int j = 1; j <= boardSize; ++j) f.add(b->board[i][j]);
        for (int k = 1; k <= handKinds; ++k) {
            f.add(b->manHand[k]);
            f.add(b->comHand[k]);
        }
    }
    return f.h;
}

// Every distinct position that the computer searched in the first moves of seeded games: the
// random openings of 8 to 32 moves scatter the games, and repeated positions are kept once.
const std::vector<GameState>& corpus() {
    static const std::vector<GameState> positions = [] {
        std::vector<GameState> out;
        std::unordered_set<std::uint64_t> seen;
        auto view = std::make_unique<GameState>();
        for (int n = 0; n < corpusGames; ++n) {
            SelfPlayConfig config;
            config.seed = 20261208 + static_cast<std::uint64_t>(n);
            config.randomPlies = 8 + 8 * (n % 4);
            config.level = 3;
            config.maxMoves = corpusMovesPerGame;
            SelfPlayGame game(config);
            while (game.end() == SelfPlayEnd::none) {
                if (game.nextIsSearched()) {
                    game.searchView(*view);
                    if (seen.insert(positionKey(*view)).second) out.push_back(*view);
                }
                game.playMove();
            }
        }
        return out;
    }();
    return positions;
}

std::int16_t playTurn(const GameState& position, std::int16_t level, GameState& work,
                      ComputerState& cs, SearchResult& right, SearchResult& left) {
    work = position;
    work.comLevel = level;
    right = SearchResult{};
    left = SearchResult{};
    return searchComputerTurn(work, cs, right, left);
}

std::uint64_t signature(std::int16_t level) {
    auto work = std::make_unique<GameState>();
    auto cs = std::make_unique<ComputerState>();
    Fnv f;
    for (const GameState& p : corpus()) {
        SearchResult right, left;
        const std::int16_t chosen = playTurn(p, level, *work, *cs, right, left);
        const SearchResult& r = chosen == rightBoardId ? right : left;
        for (const std::int64_t v :
             {std::int64_t{chosen}, std::int64_t{r.fromFile}, std::int64_t{r.fromRank},
              std::int64_t{r.toFile}, std::int64_t{r.toRank}, std::int64_t{r.placed}})
            f.add(v);
    }
    return f.h;
}

void computerTurn(benchmark::State& state, std::int16_t level) {
    const std::vector<GameState>& positions = corpus();
    auto work = std::make_unique<GameState>();
    auto cs = std::make_unique<ComputerState>();
    std::vector<std::vector<double>> samples(positions.size());
    double worstRaw = 0;
    for (auto _ : state) {
        double total = 0;
        for (std::size_t i = 0; i < positions.size(); ++i) {
            SearchResult right, left;
            *work = positions[i];
            work->comLevel = level;
            const double start = threadMilliseconds();
            const std::int16_t chosen = searchComputerTurn(*work, *cs, right, left);
            const double ms = threadMilliseconds() - start;
            benchmark::DoNotOptimize(chosen);
            samples[i].push_back(ms);
            worstRaw = std::max(worstRaw, ms);
            total += ms;
        }
        state.SetIterationTime(total / 1000.0);
    }

    // Each position's time is the median of its rounds; the figures are over positions.
    std::vector<double> perTurn;
    perTurn.reserve(samples.size());
    for (std::vector<double>& s : samples) {
        std::sort(s.begin(), s.end());
        perTurn.push_back(s[s.size() / 2]);
    }
    std::sort(perTurn.begin(), perTurn.end());
    double sum = 0;
    for (const double t : perTurn) sum += t;
    state.counters["turns"] = static_cast<double>(perTurn.size());
    state.counters["median_ms"] = perTurn[perTurn.size() / 2];
    state.counters["p99_ms"] = perTurn[perTurn.size() * 99 / 100];
    state.counters["worst_ms"] = perTurn.back();
    state.counters["worst_raw_ms"] = worstRaw;
    state.counters["mean_ms"] = sum / static_cast<double>(perTurn.size());
}

}  // namespace
}  // namespace nobakuza

int main(int argc, char** argv) {
    using namespace nobakuza;
    std::printf("corpus: %zu positions from %d seeded self-play games\n", corpus().size(),
                corpusGames);
    for (const std::int16_t level : {1, 2, 3})
        std::printf("signature level %d: %016llx\n", level,
                    static_cast<unsigned long long>(signature(level)));
    std::fflush(stdout);

    for (const std::int16_t level : {1, 3}) {
        benchmark::RegisterBenchmark(level == 1 ? "computer_turn/level1" : "computer_turn/level3",
                                     [level](benchmark::State& s) { computerTurn(s, level); })
            ->UseManualTime()
            ->Iterations(timedRounds)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
