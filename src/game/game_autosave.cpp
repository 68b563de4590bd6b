// The game kept on disk: written after every move (and every other change) while a game is in
// progress, offered again at the next start when the program ended without finishing it, and
// every finished or abandoned game kept as a record among the finished games.
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "game/game.h"
#include "records/saved_game.h"

namespace nobakuza {

namespace fs = std::filesystem;

namespace {

constexpr const char* badSuffix = ".bad";

// "2026-12-08_1530.棋譜", with "-2", "-3" ... for more games in the same minute.
const std::regex& archiveName() {
    static const std::regex name(R"((\d{4}-\d{2}-\d{2}_\d{4})(?:-(\d+))?\.棋譜)");
    return name;
}

std::string minuteStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H%M", &local);
    return text;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

void removeFile(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

}  // namespace

bool Game::gameInProgress() const {
    return state.sideToMove != noSide || state.handicapSet == flagYes || state.kifuMode == flagYes;
}

void Game::autosave() {
    // Nothing is written before the last run's game has been offered, nor after the end.
    if (!resumeOffered_ || ended_) return;
    if (!gameInProgress()) {
        removeAutosave();
        return;
    }
    auto saved = std::make_unique<SavedGame>();
    SavedGame& g = *saved;
    static_cast<GameValues&>(g) = state;
    g.turned = options.turned;
    g.manTotalSeconds = clock.manTotalSeconds;
    g.comTotalSeconds = clock.comTotalSeconds;
    g.header = shownHeader;
    g.record = record;
    g.snapshotTurned = snapshotTurned;
    g.leftBoard = state.left.board;
    g.rightBoard = state.right.board;
    g.manHandLeft = state.left.manHand;
    g.comHandLeft = state.left.comHand;
    g.manHandRight = state.right.manHand;
    g.comHandRight = state.right.comHand;
    const std::string bytes = formatSavedGame(g);
    if (bytes.empty() || bytes == autosaved_) return;

    // The same game as a record, for the record panel, where the format can hold it.
    GameRecord& whole = g.record;
    whole.recordIndex = whole.lastRecordIndex;
    const bool recordable = state.boardsReversed == flagNo && state.handicapSet == flagNo;
    if (!recordable || writeRecordFile(savedRecordFileName, shownHeader, whole))
        removeFile(savedRecordFileName);
    // The state file is written last: it alone is read back.
    const std::string why = writeFileAtomically(savedGameFileName, bytes, translator());
    if (!why.empty()) {
        lastRefusal = tr.format("自動保存できません: {0}", {why});
        return;
    }
    autosaved_ = bytes;
}

void Game::removeAutosave() {
    if (!resumeOffered_) return;
    removeFile(savedGameFileName);
    removeFile(savedRecordFileName);
    autosaved_.clear();
}

void Game::resumeInterruptedGame() {
    if (ended_ || resumeOffered_) return;
    resumeOffered_ = true;
    if (!exists(savedGameFileName)) {
        // A record without its state file is half a save cut off; the game it holds was
        // already kept with the move before.
        removeFile(savedRecordFileName);
        return;
    }
    auto saved = std::make_unique<SavedGame>();
    const auto bytes = readWholeFile(savedGameFileName);
    std::optional<RecordError> error;
    if (!bytes) {
        error = RecordError{tr("ファイルを開けません"), 0};
    } else {
        error = parseSavedGame(*bytes, *saved, translator());
    }
    if (error) {
        // Kept aside for a look, never read again; the game starts fresh.
        std::error_code ec;
        const std::string aside = std::string(savedGameFileName) + badSuffix;
        fs::rename(savedGameFileName, aside, ec);
        if (exists(savedRecordFileName))
            fs::rename(savedRecordFileName, std::string(savedRecordFileName) + badSuffix, ec);
        refuse(tr.format("前回の対局の自動保存を読めません\n{0}\n{1} として残しました",
                         {error->message, aside}),
               "自動保存");
        afterEvent();
        return;
    }
    if (say("前回の対局を続けますか？", "自動保存", MessageButtons::yesNo) == MessageAnswer::no) {
        if (saved->kifuMode == flagNo && saved->boardsReversed == flagNo &&
            saved->handicapSet == flagNo)
            archiveGame(saved->record, saved->gameMode, saved->manSide);
        removeAutosave();
        afterEvent();
        return;
    }
    restoreGame(*saved);
}

void Game::restoreGame(const SavedGame& g) {
    初期設定();
    const std::int16_t level = state.comLevel;  // set below, with its menu mark
    static_cast<GameValues&>(state) = g;
    state.comLevel = level;
    state.comSide = static_cast<std::int16_t>(-g.manSide);
    state.winner = noSide;
    options.turned = g.turned;
    clock.manTotalSeconds = g.manTotalSeconds;
    clock.comTotalSeconds = g.comTotalSeconds;
    shownHeader = g.header;
    record = g.record;
    snapshotTurned = g.snapshotTurned;
    state.left.board = g.leftBoard;
    state.right.board = g.rightBoard;
    state.left.manHand = g.manHandLeft;
    state.left.comHand = g.comHandLeft;
    state.right.manHand = g.manHandRight;
    state.right.comHand = g.comHandRight;
    for (BoardState* b : {&state.left, &state.right}) {
        recountHandTotals(*b);
        refreshKingsAndPawnFiles(*b);
    }
    レベル_設定(g.comLevel);
    redrawEverything();

    const bool playing =
        state.sideToMove != noSide && state.kifuMode == flagNo && state.resumePending == flagNo;
    if (playing && state.gameMode == modeVsComputer && state.sideToMove == state.comSide) {
        com_ban();
    } else if (playing) {
        startMoveTimer(window.menu.isChecked(MenuItem::KEIKA));
    }
    afterEvent();
}

void Game::archiveCurrentGame() {
    // A record being stepped through is a file already; a record cannot hold a game after a
    // handicap or 反転.
    if (state.kifuMode == flagYes || state.boardsReversed == flagYes ||
        state.handicapSet == flagYes)
        return;
    archiveGame(record, state.gameMode, state.manSide);
}

void Game::archiveGame(const GameRecord& played, std::int16_t gameMode, std::int16_t manSide) {
    if (!resumeOffered_ || played.lastRecordIndex < 1) return;
    std::error_code ec;
    fs::create_directory(archiveFolder, ec);
    const std::string stamp = minuteStamp();
    std::string path;
    for (int n = 1;; ++n) {
        path = std::string(archiveFolder) + "/" + stamp;
        if (n > 1) {
            path += '-';
            path += std::to_string(n);
        }
        path += ".棋譜";
        if (!exists(path)) break;
    }
    auto whole = std::make_unique<GameRecord>(played);
    whole->recordIndex = whole->lastRecordIndex;
    const bool computer = gameMode == modeVsComputer;
    const std::string human = tr(computer ? "あなた" : "先手");
    const std::string other = tr(computer ? "ｺﾝﾋﾟｭｰﾀ" : "後手");
    // "2026-12-08 15:30" for "2026-12-08_1530".
    const std::string title =
        stamp.substr(0, 10) + ' ' + stamp.substr(11, 2) + ':' + stamp.substr(13, 2);
    const RecordHeader header = computer
                                    ? headerForSave(title, manSide == senteSide ? human : other,
                                                    manSide == senteSide ? other : human, manSide)
                                    : headerForSave(title, human, other, senteSide);
    if (writeRecordFile(path, header, *whole)) return;

    // The oldest go first once there are more than the folder keeps.
    std::vector<std::pair<std::pair<std::string, int>, fs::path>> kept;
    for (const auto& entry : fs::directory_iterator(archiveFolder, ec)) {
        std::smatch m;
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(ec) || !std::regex_match(name, m, archiveName())) continue;
        kept.push_back({{m[1].str(), m[2].matched ? std::stoi(m[2].str()) : 1}, entry.path()});
    }
    if (static_cast<int>(kept.size()) <= archiveLimit) return;
    std::sort(kept.begin(), kept.end());
    for (std::size_t i = 0; i + archiveLimit < kept.size(); ++i) fs::remove(kept[i].second, ec);
}

}  // namespace nobakuza
