// The rules routines the computer leans on hardest: the influence survey of one board and the two
// mate tests, on positions taken from a seeded self-play game.
#include <benchmark/benchmark.h>

#include <vector>

#include "computer/self_play.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"

namespace nobakuza {
namespace {

const std::vector<BoardState>& positions() {
    static const std::vector<BoardState> boards = [] {
        std::vector<BoardState> out;
        SelfPlayConfig config;
        config.seed = 7;
        config.randomPlies = 16;
        config.maxMoves = 120;
        SelfPlayGame game(config);
        while (game.end() == SelfPlayEnd::none) {
            out.push_back(game.game().left);
            out.push_back(game.game().right);
            game.playMove();
        }
        return out;
    }();
    return boards;
}

void influenceSurvey(benchmark::State& state) {
    std::vector<BoardState> boards = positions();
    for (auto _ : state)
        for (BoardState& b : boards) 勢力調査(b);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(boards.size()));
}
BENCHMARK(influenceSurvey)->Unit(benchmark::kMicrosecond);

void mateTests(benchmark::State& state) {
    std::vector<BoardState> boards = positions();
    for (BoardState& b : boards) 勢力調査(b);
    std::vector<BoardState> work = boards;
    for (auto _ : state) {
        int mates = 0;
        for (std::size_t i = 0; i < work.size(); ++i) {
            work[i].influence = boards[i].influence;
            mates += 詰めかMAN(work[i]);
            mates += 詰めかCOM(work[i]);
        }
        benchmark::DoNotOptimize(mates);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(work.size()));
}
BENCHMARK(mateTests)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nobakuza

BENCHMARK_MAIN();
