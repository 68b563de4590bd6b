// The game kept on disk: written after every move (and every other change) while a game is in
// progress, offered again at the next start when the program ended without finishing it, and
// every finished or abandoned game kept as a record among the finished games.
#include "game/game_keeper.h"

#include <ctime>
#include <memory>
#include <string>

#include "files/file_system.h"
#include "files/text_file.h"
#include "game/game.h"
#include "records/archive.h"
#include "records/saved_game.h"

namespace nobakuza {

namespace {

constexpr const char* badSuffix = ".bad";

// A record holds the game when it started from the full position and the boards were never
// turned: △ then ▽ before the first move give the full position back, and such a game is
// kept like any other (書込 still refuses it, as after any handicap step).
bool recordHolds(const GameValues& g) {
    return g.boardsReversed == flagNo && (g.handicapSet == flagNo || g.handicapLevel == 0);
}

}  // namespace

bool GameKeeper::gameInProgress() const {
    return s_.state.sideToMove != noSide || s_.state.handicapSet == flagYes ||
           s_.state.kifuMode == flagYes;
}

bool GameKeeper::clockRunning() const {
    return s_.state.sideToMove != noSide && s_.state.kifuMode == flagNo &&
           s_.state.resumePending == flagNo;
}

void GameKeeper::autosave(bool leaving) {
    // Nothing is written before the last run's game has been offered, nor after the end.
    if (!resumeOffered_ || s_.ended) return;
    if (!gameInProgress()) {
        removeAutosave();
        return;
    }
    auto saved = std::make_unique<SavedGame>();
    SavedGame& g = *saved;
    static_cast<GameValues&>(g) = s_.state;
    g.turned = s_.options.turned;
    g.manTotalSeconds = s_.clock.manTotalSeconds;
    g.comTotalSeconds = s_.clock.comTotalSeconds;
    // The move under way: as far as it has gone on the way out, otherwise what it carried over
    // from the last run (so a crash after a resume loses no more than it did before).
    if (clockRunning())
        g.moveSeconds =
            leaving ? measureMoveClock(s_.clock, s_.timeNow()) : s_.clock.carriedMoveSeconds;
    g.header = s_.shownHeader;
    g.record = s_.record;
    g.snapshotTurned = s_.snapshotTurned;
    g.leftBoard = s_.state.left.board;
    g.rightBoard = s_.state.right.board;
    g.manHandLeft = s_.state.left.manHand;
    g.comHandLeft = s_.state.left.comHand;
    g.manHandRight = s_.state.right.manHand;
    g.comHandRight = s_.state.right.comHand;
    const std::string bytes = formatSavedGame(g);
    if (bytes.empty() || bytes == autosaved_) return;

    // The same game as a record, for the record panel, where the format can hold it. Stepping
    // through the moves changes only the state file, so the record is written only when it
    // changed: every write waits for the disk.
    GameRecord& whole = g.record;
    whole.recordIndex = whole.lastRecordIndex;
    std::string recordBytes;
    if (!recordHolds(s_.state) || formatRecordFile(s_.shownHeader, whole, recordBytes) ||
        (recordBytes != autosavedRecord_ &&
         !writeFileAtomically(savedRecordFileName, recordBytes, s_.translator()).empty())) {
        removeFile(savedRecordFileName);
        recordBytes.clear();
    }
    autosavedRecord_ = recordBytes;
    // The state file is written last: it alone is read back.
    const std::string why = writeFileAtomically(savedGameFileName, bytes, s_.translator());
    if (!why.empty()) {
        s_.lastRefusal = s_.tr.format("自動保存できません: {0}", {why});
        return;
    }
    autosaved_ = bytes;
}

void GameKeeper::removeAutosave() {
    if (!resumeOffered_) return;
    removeFile(savedGameFileName);
    removeFile(savedRecordFileName);
    autosaved_.clear();
    autosavedRecord_.clear();
}

void GameKeeper::resumeInterruptedGame() {
    if (s_.ended || resumeOffered_) return;
    resumeOffered_ = true;
    if (!fileExists(savedGameFileName)) {
        // A record without its state file is half a save cut off; the game it holds was
        // already kept with the move before.
        removeFile(savedRecordFileName);
        return;
    }
    auto saved = std::make_unique<SavedGame>();
    const auto bytes = readWholeFile(savedGameFileName);
    std::optional<RecordError> error;
    if (!bytes) {
        error = RecordError{s_.tr("ファイルを開けません"), 0};
    } else {
        error = parseSavedGame(*bytes, *saved, s_.translator());
    }
    if (error) {
        // Kept aside for a look, never read again; the game starts fresh.
        const std::string aside = std::string(savedGameFileName) + badSuffix;
        renameFile(savedGameFileName, aside);
        if (fileExists(savedRecordFileName))
            renameFile(savedRecordFileName, std::string(savedRecordFileName) + badSuffix);
        game_.refuse(s_.tr.format("前回の対局の自動保存を読めません\n{0}\n{1} として残しました",
                                  {error->message, aside}),
                     "自動保存");
        game_.afterEvent();
        return;
    }
    if (s_.say("前回の対局を続けますか？", "自動保存", MessageButtons::yesNo) ==
        MessageAnswer::no) {
        if (saved->kifuMode == flagNo && recordHolds(*saved))
            archiveGame(saved->record, saved->gameMode, saved->manSide);
        removeAutosave();
        game_.afterEvent();
        return;
    }
    restoreGame(*saved);
}

void GameKeeper::restoreGame(const SavedGame& g) {
    game_.初期設定();
    const std::int16_t level = s_.state.comLevel;  // set below, with its menu mark
    static_cast<GameValues&>(s_.state) = g;
    s_.state.comLevel = level;
    s_.state.comSide = static_cast<std::int16_t>(-g.manSide);
    s_.state.winner = noSide;
    s_.options.turned = g.turned;
    s_.clock.manTotalSeconds = g.manTotalSeconds;
    s_.clock.comTotalSeconds = g.comTotalSeconds;
    s_.shownHeader = g.header;
    s_.record = g.record;
    s_.snapshotTurned = g.snapshotTurned;
    s_.state.left.board = g.leftBoard;
    s_.state.right.board = g.rightBoard;
    s_.state.left.manHand = g.manHandLeft;
    s_.state.left.comHand = g.comHandLeft;
    s_.state.right.manHand = g.manHandRight;
    s_.state.right.comHand = g.comHandRight;
    for (BoardState* b : {&s_.state.left, &s_.state.right}) {
        recountHandTotals(*b);
        refreshKingsAndPawnFiles(*b);
    }
    game_.レベル_設定(g.comLevel);
    game_.redrawEverything();

    const bool playing = clockRunning();
    s_.clock.resumedMoveSeconds = playing ? g.moveSeconds : 0;
    if (playing && s_.state.gameMode == modeVsComputer && s_.state.sideToMove == s_.state.comSide) {
        game_.computerTurn().com_ban();
    } else if (playing) {
        s_.startMoveTimer(s_.clocksShown());
    }
    game_.afterEvent();
}

void GameKeeper::keepFinishedGame() {
    archiveCurrentGame();
    gameKept_ = true;
    removeAutosave();
}

void GameKeeper::beforeNewGame() {
    // A game with moves that is put aside for a new one is kept among the finished games.
    if (!gameKept_) archiveCurrentGame();
    gameKept_ = false;
}

void GameKeeper::archiveCurrentGame() {
    // A record being stepped through is a file already; a record cannot hold a game after a
    // handicap or 反転.
    if (s_.state.kifuMode == flagYes || !recordHolds(s_.state)) return;
    archiveGame(s_.record, s_.state.gameMode, s_.state.manSide);
}

void GameKeeper::archiveGame(const GameRecord& played, std::int16_t gameMode,
                             std::int16_t manSide) {
    if (!resumeOffered_ || played.lastRecordIndex < 1) return;
    makeFolder(archiveFolder);
    const std::string stamp = archiveStamp(std::time(nullptr));
    const std::string path = archivePathFor(archiveFolder, stamp);
    auto whole = std::make_unique<GameRecord>(played);
    whole->recordIndex = whole->lastRecordIndex;
    const bool computer = gameMode == modeVsComputer;
    const std::string human = s_.tr(computer ? "あなた" : "先手");
    const std::string other = s_.tr(computer ? "ｺﾝﾋﾟｭｰﾀ" : "後手");
    const std::string title = archiveTitle(stamp);
    const RecordHeader header = computer
                                    ? headerForSave(title, manSide == senteSide ? human : other,
                                                    manSide == senteSide ? other : human, manSide)
                                    : headerForSave(title, human, other, senteSide);
    if (writeRecordFile(path, header, *whole)) return;
    pruneArchive(archiveFolder, archiveLimit);
}

}  // namespace nobakuza
