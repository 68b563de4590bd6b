// `nobakuza-cli selfplay --out DIR [--games N] [--seed S] [--random-plies R] [--level L]`: the
// computer against itself, each game written as a record the window can load. A seed reproduces
// its games exactly; the clock fields of the records stay 0 so that the files do too.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "arguments.h"
#include "commands.h"
#include "computer/self_play.h"
#include "records/game_record.h"
#include "records/record_file.h"

namespace nobakuza::cli {
namespace {

int refuse(const std::string& why) {
    return cli::refuse("selfplay", why);
}

// Plays one game and writes it as DIR/NAME.棋譜, then names the file, how the game ended and the
// time its searches took; the reason when the record or the file refuses it.
std::optional<std::string> playAndWrite(const SelfPlayConfig& config, const std::string& name,
                                        const std::string& out, GameRecord& record) {
    auto game = std::make_unique<SelfPlayGame>(config);
    record = GameRecord{};
    storeStartPosition(record, game->game());
    while (game->playMove() != SelfPlayEnd::noMove) {
        if (const auto e = 手順保存(record, game->game(), 0, 0, 0, 0)) return e->message;
        if (game->end() != SelfPlayEnd::none) break;
    }
    const std::string path = (std::filesystem::path(out) / (name + ".棋譜")).string();
    const RecordHeader header{name + " level " + std::to_string(config.level), "computer (top)",
                              "computer (bottom)"};
    if (const auto e = writeRecordFile(path, header, record)) return e->message;
    std::printf("%s moves=%d end=%s search=%.3f ms\n", path.c_str(), game->moves(),
                selfPlayEndName(game->end()), game->searchMilliseconds());
    std::fflush(stdout);
    return std::nullopt;
}

}  // namespace

int selfplay(int argc, char** argv) {
    const std::string usage = usageLine(selfplayHelp);
    std::string out;
    std::uint64_t games = 1;
    std::uint64_t seed = 1;
    std::uint64_t randomPlies = 0;
    std::uint64_t level = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::uint64_t* number = nullptr;
        if (arg == "--out") {
            if (i + 1 >= argc) return refuse("--out needs a folder\n" + usage);
            out = argv[++i];
            continue;
        }
        if (arg == "--games") number = &games;
        if (arg == "--seed") number = &seed;
        if (arg == "--random-plies") number = &randomPlies;
        if (arg == "--level") number = &level;
        if (!number) return refuse("unexpected argument '" + std::string(arg) + "'\n" + usage);
        if (i + 1 >= argc || !parseNumber(argv[i + 1], *number))
            return refuse(std::string(arg) + " needs a number\n" + usage);
        ++i;
    }
    if (out.empty()) return refuse(usage);
    if (level < 1 || level > 3) return refuse("--level needs 1, 2 or 3");
    if (games > 10000) return refuse("--games is at most 10000");
    if (randomPlies > static_cast<std::uint64_t>(maxRecordIndex))
        return refuse("--random-plies is at most " + std::to_string(maxRecordIndex));

    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) return refuse("cannot make the folder " + out + ": " + ec.message());

    auto record = std::make_unique<GameRecord>();
    for (std::uint64_t n = 0; n < games; ++n) {
        SelfPlayConfig config;
        config.seed = seed * 1000003 + n;
        config.randomPlies = static_cast<int>(randomPlies);
        config.level = static_cast<std::int16_t>(level);
        config.maxMoves = maxRecordIndex;
        const std::string name = "selfplay-" + std::to_string(seed) + "-" + std::to_string(n);
        if (const auto e = playAndWrite(config, name, out, *record)) return refuse(*e);
    }
    return 0;
}

}  // namespace nobakuza::cli
