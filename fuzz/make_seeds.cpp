// `fuzz_make_seeds DIR`: writes the seed corpora of the three fuzz targets with the game's own
// writers: DIR/records holds self-play games saved as ".棋譜" files (short games and the openings
// of long ones, so the fuzzer works on inputs of a sensible size), a few broken files made from
// them and two as other editors leave them; DIR/settings holds settings files the settings writer
// wrote and a few broken ones; DIR/saved holds games in progress as they are kept on disk
// (mid-game, the computer to move at levels 3 and 5, after a handicap, after 反転, a record being
// stepped through) and broken ones. The checked-in corpora under fuzz/corpus were made by it; the
// sample record is copied beside them, and so are inputs a fuzz run once stopped on
// (saved/computer-wins-on-resuming: the computer takes the king as the game is put back), so
// that every run replays them.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "computer/self_play.h"
#include "files/text_file.h"
#include "records/game_record.h"
#include "records/record_file.h"
#include "records/replay.h"
#include "records/saved_game.h"
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
            const Settings s{background.code, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0,
                             n % 3 == 0 ? std::optional<Language>()
                                        : std::optional<Language>(n % 3 == 1 ? Language::japanese
                                                                             : Language::english)};
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

// A self-play game of `moves` moves kept as the game keeps one in progress.
std::unique_ptr<SavedGame> savedSelfPlay(std::uint64_t seed, int moves) {
    SelfPlayConfig config;
    config.seed = seed;
    config.randomPlies = 4;
    config.level = 1;
    config.maxMoves = moves;
    auto game = std::make_unique<SelfPlayGame>(config);
    auto saved = std::make_unique<SavedGame>();
    GameRecord& record = saved->record;
    storeStartPosition(record, game->game());
    while (game->end() == SelfPlayEnd::none && game->playMove() != SelfPlayEnd::noMove)
        手順保存(record, game->game(), record.recordIndex, record.recordIndex + 1.5f, 0, 0);
    const GameState& g = game->game();
    saved->gameMode = modeVsComputer;
    saved->manSide = senteSide;
    saved->sideToMove = record.recordIndex % 2 == 0 ? senteSide : goteSide;
    saved->moveNumber = record.recordIndex;
    saved->manTotalSeconds = 12.25f;
    saved->comTotalSeconds = 3.5f;
    saved->leftBoard = g.left.board;
    saved->rightBoard = g.right.board;
    saved->manHandLeft = g.left.manHand;
    saved->comHandLeft = g.left.comHand;
    saved->manHandRight = g.right.manHand;
    saved->comHandRight = g.right.comHand;
    return saved;
}

bool writeSavedGames(const fs::path& dir) {
    std::string first;
    auto keep = [&](const char* name, const SavedGame& g) {
        const std::string bytes = formatSavedGame(g);
        if (first.empty()) first = bytes;
        return !bytes.empty() && put(dir / (std::string(name) + ".状態"), bytes);
    };
    auto mid = savedSelfPlay(21, 12);
    if (!keep("mid-game", *mid)) return false;
    auto computer = savedSelfPlay(22, 7);
    if (!keep("computer-to-move", *computer)) return false;
    // A searching level: its search runs on a thread of its own, and the wait for it can end
    // the program before the computer has moved.
    computer->comLevel = highestComLevel;
    if (!keep("computer-to-move-level-5", *computer)) return false;

    // Three steps of handicap: the computer's bishop, rook and a lance off both boards.
    auto handicap = std::make_unique<SavedGame>();
    setInitialPosition(handicap->leftBoard);
    for (auto [f, r] : {std::pair{8, 2}, std::pair{2, 2}, std::pair{9, 1}})
        handicap->leftBoard[f][r] = emptySquare;
    handicap->rightBoard = handicap->leftBoard;
    handicap->record.leftBoardHistory[0] = handicap->leftBoard;
    handicap->record.rightBoardHistory[0] = handicap->rightBoard;
    handicap->handicapLevel = 3;
    handicap->handicapSet = flagYes;
    if (!keep("handicap", *handicap)) return false;

    auto turned = savedSelfPlay(23, 9);
    reverseBoard(turned->leftBoard);
    reverseBoard(turned->rightBoard);
    std::swap(turned->manHandLeft, turned->comHandLeft);
    std::swap(turned->manHandRight, turned->comHandRight);
    turned->gameMode = modeTwoHumans;
    turned->boardsReversed = flagYes;
    turned->turned = true;
    turned->sideToMove = static_cast<std::int16_t>(-turned->sideToMove);
    if (!keep("reversed", *turned)) return false;

    auto stepped = savedSelfPlay(24, 20);
    stepped->kifuMode = flagYes;
    stepped->record.recordIndex = 5;
    stepped->moveNumber = 5;
    stepped->resumePending = flagYes;
    stepped->leftBoard = stepped->record.leftBoardHistory[5];
    stepped->rightBoard = stepped->record.rightBoardHistory[5];
    stepped->manHandLeft = stepped->record.manHandLeftHistory[5];
    stepped->comHandLeft = stepped->record.comHandLeftHistory[5];
    stepped->manHandRight = stepped->record.manHandRightHistory[5];
    stepped->comHandRight = stepped->record.comHandRightHistory[5];
    stepped->header = {"名人戦", "ｺﾝﾋﾟｭｰﾀ", "あなた"};
    if (!keep("record-mode", *stepped)) return false;

    const std::pair<const char*, std::string> broken[] = {
        {"truncated", first.substr(0, first.size() / 2)},
        {"no-boards", first.substr(0, first.rfind("\r\n", first.size() - 3) + 2)},
        {"first-line", *utf8ToSjis("Nobakuza 自動保存 2") + first.substr(first.find("\r\n"))},
        {"empty", ""},
    };
    for (const auto& [name, bytes] : broken)
        if (!put(dir / (std::string("broken-") + name + ".状態"), bytes)) return false;
    return true;
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
    fs::create_directories(dir / "saved", ec);
    if (ec) {
        std::fprintf(stderr, "fuzz_make_seeds: %s\n", ec.message().c_str());
        return 2;
    }
    if (!writeRecords(dir / "records") || !writeSettings(dir / "settings") ||
        !writeSavedGames(dir / "saved"))
        return 1;
    return 0;
}
