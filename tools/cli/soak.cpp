// `nobakuza-cli soak [--games N] [--seed S] [--out DIR]`: many self-play games, checked after every
// move. Each game has its own seed, a random opening of 0..15 moves and a level that cycles 1, 2,
// 3. Before a move is made it must be one the move test allows; after it both boards must keep
// the model's invariants. The first fault stops the run (exit 1), names the game, the move and the
// fault, and writes the game so far as a record into DIR (default: the current folder).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "arguments.h"
#include "board/invariants.h"
#include "commands.h"
#include "computer/self_play.h"
#include "records/game_record.h"
#include "records/record_file.h"

namespace nobakuza::cli {
namespace {

int refuse(const std::string& why) {
    return cli::refuse("soak", why);
}

constexpr int endKinds = 7;

struct Tally {
    long long moves = 0;
    long long searchedMoves = 0;
    long long ends[endKinds] = {};
    double searchMilliseconds = 0;
};

// Game n of the run, checked before and after every move; 1 after reporting the first fault.
int soakGame(std::uint64_t seed, std::uint64_t n, const std::string& out, GameState& before,
             GameRecord& record, Tally& tally) {
    SelfPlayConfig config;
    config.seed = seed * 1000003 + n;
    SeededRandom opening(config.seed ^ 0x5eed0fa11ULL);
    config.randomPlies = static_cast<int>(opening.below(16));
    config.level = static_cast<std::int16_t>(1 + n % 3);
    config.maxMoves = maxRecordIndex;
    auto game = std::make_unique<SelfPlayGame>(config);
    record = GameRecord{};
    storeStartPosition(record, game->game());

    auto fault = [&](const std::string& what) {
        const std::string name = "soak-fault-" + std::to_string(config.seed) + ".棋譜";
        const std::string path = (std::filesystem::path(out) / name).string();
        const auto e = writeRecordFile(path, {name, "computer (top)", "computer (bottom)"}, record);
        std::fprintf(stderr,
                     "soak: game %llu (seed %llu, level %d, %d random moves), move %d: %s\n"
                     "soak: the game so far: %s\n",
                     static_cast<unsigned long long>(n),
                     static_cast<unsigned long long>(config.seed), config.level, config.randomPlies,
                     game->moves(), what.c_str(), e ? e->message.c_str() : path.c_str());
        return 1;
    };
    if (auto e = checkGameInvariants(game->game())) return fault("start position: " + *e);

    while (game->end() == SelfPlayEnd::none) {
        before = game->game();
        const bool top = game->topToMove();
        const bool searched = game->nextIsSearched();
        if (game->playMove() == SelfPlayEnd::noMove) break;
        ++tally.moves;
        tally.searchedMoves += searched;
        const Move& m = game->lastMove();
        if (auto e = checkMoveAllowed(before.board(m.boardId), top, m.fromFile, m.fromRank,
                                      m.toFile, m.toRank, m.placed)) {
            return fault(*e);
        }
        if (const auto e = 手順保存(record, game->game(), 0, 0, 0, 0)) return fault(e->message);
        if (auto e = checkGameInvariants(game->game())) return fault(*e);
    }
    ++tally.ends[static_cast<int>(game->end())];
    tally.searchMilliseconds += game->searchMilliseconds();
    return 0;
}

}  // namespace

int soak(int argc, char** argv) {
    const std::string usage = usageLine(soakHelp);
    std::uint64_t games = 100;
    std::uint64_t seed = 1;
    std::string out = ".";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
            continue;
        }
        std::uint64_t* number = arg == "--games" ? &games : arg == "--seed" ? &seed : nullptr;
        if (!number || i + 1 >= argc || !parseNumber(argv[i + 1], *number))
            return refuse("bad argument '" + std::string(arg) + "'\n" + usage);
        ++i;
    }
    if (games < 1 || games > 1000000) return refuse("--games is 1..1000000");

    const auto start = std::chrono::steady_clock::now();
    auto before = std::make_unique<GameState>();
    auto record = std::make_unique<GameRecord>();
    Tally tally;
    for (std::uint64_t n = 0; n < games; ++n)
        if (soakGame(seed, n, out, *before, *record, tally) != 0) return 1;

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("soak: %llu games, %lld moves (%lld searched), no fault, %.1f s (search %.1f s)\n",
                static_cast<unsigned long long>(games), tally.moves, tally.searchedMoves, seconds,
                tally.searchMilliseconds / 1000);
    std::printf("soak: ends");
    for (int k = 1; k < endKinds; ++k)
        std::printf(" %s=%lld", selfPlayEndName(static_cast<SelfPlayEnd>(k)), tally.ends[k]);
    std::printf("\n");
    return 0;
}

}  // namespace nobakuza::cli
