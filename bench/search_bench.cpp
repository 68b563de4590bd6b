// The tree search of levels 4 and 5 over a fixed set of positions from seeded self-play: first the
// signature of the moves it chooses at a fixed depth (a hash, the same on every run and machine),
// then per position the depth reached and the nodes searched in LEVEL5's 1.5 seconds, with the
// nodes per second of this thread's processor time (the machine is shared, so the wall clock
// would count other programs' time too).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "computer/play_signature.h"
#include "search/level_search.h"

namespace nobakuza {
namespace {

constexpr int signatureDepth = 4;
constexpr std::size_t corpusStride = 8;  // every 8th of the corpus's 430 positions: 54

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

const std::vector<GameState>& positions() {
    static const std::vector<GameState> chosen = [] {
        const std::vector<GameState> all = selfPlayCorpus();
        std::vector<GameState> out;
        for (std::size_t i = 0; i < all.size(); i += corpusStride) out.push_back(all[i]);
        return out;
    }();
    return chosen;
}

// FNV-1a over the chosen moves, byte by byte.
std::uint64_t signature(GameTreeSearch& engine) {
    std::uint64_t h = 1469598103934665603ULL;
    auto add = [&h](std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= static_cast<std::uint8_t>(v >> (8 * i));
            h *= 1099511628211ULL;
        }
    };
    SearchLimits limits;
    limits.depth = signatureDepth;
    for (const GameState& g : positions()) {
        engine.clearHash();
        const LevelMove m = searchTopMove(g, computerTurnRules, limits, engine);
        for (const std::int64_t v : {std::int64_t{m.move.boardId}, std::int64_t{m.move.fromFile},
                                     std::int64_t{m.move.fromRank}, std::int64_t{m.move.toFile},
                                     std::int64_t{m.move.toRank}, std::int64_t{m.move.placed}})
            add(v);
    }
    return h;
}

double medianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void timedSearch(benchmark::State& state, int level) {
    auto engine = std::make_unique<GameTreeSearch>();
    std::vector<double> depths, nps, wall;
    double nodes = 0;
    double cpu = 0;
    for (auto _ : state) {
        for (const GameState& g : positions()) {
            engine->clearHash();
            SearchLimits limits;
            limits.seconds = levelSeconds(level);
            const double start = threadSeconds();
            const LevelMove m = searchTopMove(g, computerTurnRules, limits, *engine);
            const double spent = threadSeconds() - start;
            benchmark::DoNotOptimize(m.move);
            depths.push_back(m.depth);
            nps.push_back(static_cast<double>(m.nodes) / spent);
            wall.push_back(m.milliseconds);
            nodes += static_cast<double>(m.nodes);
            cpu += spent;
        }
        state.SetIterationTime(cpu);
    }
    state.counters["positions"] = static_cast<double>(depths.size());
    state.counters["depth_median"] = medianOf(depths);
    state.counters["depth_min"] = *std::min_element(depths.begin(), depths.end());
    state.counters["nps_median"] = medianOf(nps);
    state.counters["nps_overall"] = nodes / cpu;
    state.counters["wall_ms_median"] = medianOf(wall);
    state.counters["wall_ms_worst"] = *std::max_element(wall.begin(), wall.end());
}

}  // namespace
}  // namespace nobakuza

int main(int argc, char** argv) {
    using namespace nobakuza;
    auto engine = std::make_unique<GameTreeSearch>();
    std::printf("positions: %zu from the self-play corpus\n", positions().size());
    std::printf("signature depth %d: %016llx\n", signatureDepth,
                static_cast<unsigned long long>(signature(*engine)));
    std::fflush(stdout);
    for (const int level : {quickSearchLevel, strongSearchLevel})
        benchmark::RegisterBenchmark(
            level == quickSearchLevel ? "tree_search/level4" : "tree_search/level5",
            [level](benchmark::State& s) { timedSearch(s, level); })
            ->UseManualTime()
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
