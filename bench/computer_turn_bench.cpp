// The whole computer turn (both boards' searches and the board choice) over the fixed corpus of
// positions from seeded self-play: median and worst time per turn at levels 1 and 3, and first
// the signature of levels 1 to 3, a hash of every move chosen, which a test pins as well.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "computer/move_search.h"
#include "computer/play_signature.h"

namespace nobakuza {
namespace {

constexpr int corpusGames = 12;
constexpr int timedRounds = 5;

// The machine is shared, so a turn is timed by the processor time of this thread: what the turn
// itself costs, not what other programs take meanwhile.
double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

const std::vector<GameState>& corpus() {
    static const std::vector<GameState> positions = selfPlayCorpus(corpusGames);
    return positions;
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
                    static_cast<unsigned long long>(playSignature(corpus(), level)));
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
