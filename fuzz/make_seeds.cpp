// `fuzz_make_seeds DIR`: writes the seed corpora of the two fuzz targets with the game's own
// writers: DIR/records holds self-play games saved as ".棋譜" files (short games and the openings
// of long ones, so the fuzzer works on inputs of a sensible size), a few broken files made from
// them and two as other editors leave them; DIR/settings holds settings files the settings writer
// wrote and a few broken ones. The checked-in corpora under fuzz/corpus were made by it; the sample
// record is copied beside them.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "computer/self_play.h"
#include "files/text_file.h"
#include "records/game_record.h"
#include "records/record_file.h"
#include "settings/settings_file.h"

namespace {

using namespace nobakuza;
namespace fs = std::filesystem;

constexpr int maxSeedMoves = 60;

bool put(const fs::path& path, const std::string& bytes) {
    const std::string why = writeFileAtomically(path.string(), bytes);
    if (!why.empty()) std::fprintf(stderr, "fuzz_make_seeds: %s: %s\n", path.c_str(), why.c_str());
    return why.empty();
}

// A self-play game kept up to `maxSeedMoves` moves, or to its end when it is shorter.
bool recordOf(std::uint64_t seed, int randomPlies, std::int16_t level, std::string& bytes,
              int& moves) {
    SelfPlayConfig config;
    config.seed = seed;
    config.randomPlies = randomPlies;
    config.level = level;
    config.maxMoves = maxSeedMoves;
    auto game = std::make_unique<SelfPlayGame>(config);
    auto record = std::make_unique<GameRecord>();
    storeStartPosition(*record, game->game());
    float clock = 0;
    while (game->end() == SelfPlayEnd::none && game->playMove() != SelfPlayEnd::noMove) {
        const float before = clock;
        clock += 1 + static_cast<float>(game->moves() % 7);
        if (手順保存(*record, game->game(), before, clock, before / 2, clock / 2)) return false;
    }
    moves = game->moves();
    const RecordHeader header{"自己対局 " + std::to_string(seed), "ｺﾝﾋﾟｭｰﾀ", "あなた"};
    return !formatRecordFile(header, *record, bytes);
}

std::string lineOf(const std::string& bytes, int line) {
    std::size_t at = 0;
    for (int i = 1; i < line; ++i) at = bytes.find("\r\n", at) + 2;
    return bytes.substr(at, bytes.find("\r\n", at) - at);
}

std::string withLine(const std::string& bytes, int line, const std::string& text) {
    std::size_t at = 0;
    for (int i = 1; i < line; ++i) at = bytes.find("\r\n", at) + 2;
    return bytes.substr(0, at) + text + bytes.substr(bytes.find("\r\n", at));
}

bool writeRecords(const fs::path& dir) {
    struct Game {
        std::uint64_t seed;
        int randomPlies;
        std::int16_t level;
    };
    const Game games[] = {{11, 0, 1}, {12, 4, 2}, {13, 8, 3}, {14, 12, 3}, {15, 2, 1}, {16, 6, 2}};
    std::string first;
    for (const Game& g : games) {
        std::string bytes;
        int moves = 0;
        if (!recordOf(g.seed, g.randomPlies, g.level, bytes, moves)) return false;
        if (first.empty()) first = bytes;
        if (!put(dir /
                     ("selfplay-" + std::to_string(g.seed) + "-" + std::to_string(moves) + ".棋譜"),
                 bytes)) {
            return false;
        }
    }

    // Broken files, each a small step from a good one.
    std::string lf = first;
    for (std::size_t at = 0; (at = lf.find("\r\n", at)) != std::string::npos;) lf.erase(at, 1);
    std::string line5 = lineOf(first, 5);
    std::string twoKings = lineOf(first, 5);
    twoKings.replace(((5 - 1) * 9 + (5 - 1)) * 8, 4, "-950");  // left board (5, 5)
    std::string noKing = lineOf(first, 5);
    noKing.replace(((5 - 1) * 9 + (9 - 1)) * 8 + 4, 4, "   0");  // right board (5, 9)
    const std::pair<const char*, std::string> broken[] = {
        {"lf-line-ends", lf},
        {"header-only", first.substr(0, first.find(lineOf(first, 4)))},
        {"short-line", withLine(first, 5, line5.substr(0, 700))},
        {"bad-code", withLine(first, 5, line5.replace(40 * 8, 4, " 111"))},
        {"two-kings", withLine(first, 5, twoKings)},
        {"king-missing", withLine(first, 5, noKing)},
        {"not-shift-jis", withLine(first, 1, "\x81\x7f\xff")},
        {"empty", ""},
        {"long-header", withLine(first, 2, std::string(maxHeaderBytes + 1, 'h'))},
    };
    for (const auto& [name, bytes] : broken) {
        if (!put(dir / (std::string("broken-") + name + ".棋譜"), bytes)) return false;
    }

    // Good files as other editors leave them.
    std::string cr = first;
    for (std::size_t at = 0; (at = cr.find("\r\n", at)) != std::string::npos;) cr.erase(at + 1, 1);
    const std::pair<const char*, std::string> edited[] = {
        {"cr-line-ends", cr},
        {"empty-last-line", first + "\r\n"},
    };
    for (const auto& [name, bytes] : edited) {
        if (!put(dir / (std::string("edited-") + name + ".棋譜"), bytes)) return false;
    }
    return true;
}

bool writeSettings(const fs::path& dir) {
    int n = 0;
    for (const auto& background : backgroundChoices) {
        for (int flags = 0; flags < 8; flags += 3) {
            const Settings s{background.code, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};
            const fs::path path = dir / ("written-" + std::to_string(n++) + ".ini");
            if (!書込_環境設定ファイル(path.string(), s)) return false;
        }
    }
    const std::pair<const char*, const char*> broken[] = {
        {"lower-case", "背景画=竹\r\n移動指導=on\r\nBGM=On\r\n"},
        {"no-equals", "背景画\r\n経過時間\r\nBGM=OFF"},
        {"lf-and-cr", "背景画=宇宙\nBGM=OFF\r経過時間=OFF\n"},
        {"unknown", "背景画=空\r\n音=ON\r\n=ON\r\nBGM==ON\r\n"},
        {"empty", ""},
    };
    for (const auto& [name, text] : broken) {
        const auto sjis = utf8ToSjis(text);
        if (!sjis || !put(dir / (std::string("broken-") + name + ".ini"), *sjis)) return false;
    }
    // One line that is not Shift-JIS among good ones: only that line is lost.
    const std::string oneBadLine =
        *utf8ToSjis("背景画=竹\r\n") + "BGM=\x81\r\n" + *utf8ToSjis("移動指導=ON\r\n");
    return put(dir / "broken-not-shift-jis.ini", "\x81\x7f=ON\r\n\xff\xfe") &&
           put(dir / "broken-one-bad-line.ini", oneBadLine);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds DIR\n");
        return 2;
    }
    const fs::path dir = argv[1];
    std::error_code ec;
    fs::create_directories(dir / "records", ec);
    fs::create_directories(dir / "settings", ec);
    if (ec) {
        std::fprintf(stderr, "fuzz_make_seeds: %s\n", ec.message().c_str());
        return 2;
    }
    if (!writeRecords(dir / "records") || !writeSettings(dir / "settings")) return 1;
    return 0;
}
