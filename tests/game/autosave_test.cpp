// The game kept on disk: a game cut off at any moment continues exactly at the next start, a
// damaged file is refused and kept aside, and the finished games are kept under 棋譜/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "files/text_file.h"
#include "game/game.h"
#include "records/saved_game.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"

namespace nobakuza {
namespace {

namespace fs = std::filesystem;
using testing::FakeSoundApi;
using testing::ScriptedWindow;
using testing::TemporaryFolder;

constexpr std::int16_t L = leftBoardId;
constexpr std::int16_t R = rightBoardId;

// One run of the program in the test's folder; destroying it without a shutdown event is the
// program cut off (a crash, the power gone).
struct ProgramRun {
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system = window.system(sound);
    std::unique_ptr<Game> game = std::make_unique<Game>(system);

    explicit ProgramRun(MessageAnswer resume = MessageAnswer::yes) {
        window.answers = {resume};
        game->Form_Load();
        game->resumeInterruptedGame();
    }
    void click(std::int16_t boardId, int file, int rank, int button = leftButton) {
        game->Form_MouseDown(button, 0, cellX(boardOriginX(boardId), file) + 200,
                             cellY(rank) + 240);
    }
    void move(std::int16_t boardId, int f1, int r1, int f2, int r2, int button = leftButton) {
        click(boardId, f1, r1);
        click(boardId, f2, r2, button);
    }
    bool asked() const {
        for (const auto& m : window.messages)
            if (m.text == "前回の対局を続けますか？") return true;
        return false;
    }
};

// Everything an interrupted game must get back.
void expectSameGame(const Game& a, const Game& b) {
    const GameState& x = a.position();
    const GameState& y = b.position();
    EXPECT_EQ(x.gameMode, y.gameMode);
    EXPECT_EQ(x.manSide, y.manSide);
    EXPECT_EQ(x.comSide, y.comSide);
    EXPECT_EQ(x.sideToMove, y.sideToMove);
    EXPECT_EQ(x.moveNumber, y.moveNumber);
    EXPECT_EQ(x.comLevel, y.comLevel);
    EXPECT_EQ(x.handicapLevel, y.handicapLevel);
    EXPECT_EQ(x.handicapSet, y.handicapSet);
    EXPECT_EQ(x.kifuMode, y.kifuMode);
    EXPECT_EQ(x.boardsReversed, y.boardsReversed);
    EXPECT_EQ(x.resumePending, y.resumePending);
    EXPECT_EQ(a.screenOptions().turned, b.screenOptions().turned);
    for (const std::int16_t id : {L, R}) {
        const BoardState& p = x.board(id);
        const BoardState& q = y.board(id);
        EXPECT_EQ(p.board, q.board) << id;
        EXPECT_EQ(p.manHand, q.manHand) << id;
        EXPECT_EQ(p.comHand, q.comHand) << id;
        EXPECT_EQ(p.manHandTotal, q.manHandTotal) << id;
        EXPECT_EQ(p.comHandTotal, q.comHandTotal) << id;
        EXPECT_EQ(p.manKingFile, q.manKingFile) << id;
    }
    const GameRecord& r = a.record();
    const GameRecord& s = b.record();
    EXPECT_EQ(r.recordIndex, s.recordIndex);
    ASSERT_EQ(r.lastRecordIndex, s.lastRecordIndex);
    for (int n = 0; n <= r.lastRecordIndex; ++n) {
        EXPECT_EQ(r.leftBoardHistory[n], s.leftBoardHistory[n]) << n;
        EXPECT_EQ(r.rightBoardHistory[n], s.rightBoardHistory[n]) << n;
        EXPECT_EQ(r.manHandLeftHistory[n], s.manHandLeftHistory[n]) << n;
        EXPECT_EQ(r.comHandRightHistory[n], s.comHandRightHistory[n]) << n;
        EXPECT_NEAR(r.manTimeAfter[n], s.manTimeAfter[n], 0.001) << n;
        EXPECT_NEAR(r.comTimeAfter[n], s.comTimeAfter[n], 0.001) << n;
        EXPECT_EQ(a.records().turnedAt(n), b.records().turnedAt(n)) << n;
    }
    EXPECT_NEAR(a.clock().manTotalSeconds, b.clock().manTotalSeconds, 0.001);
    EXPECT_NEAR(a.clock().comTotalSeconds, b.clock().comTotalSeconds, 0.001);
    EXPECT_EQ(a.records().shownHeader().topPlayerName, b.records().shownHeader().topPlayerName);
}

struct AutosaveTest : ::testing::Test {
    TemporaryFolder folder;
    void SetUp() override {
        for (const char* name :
             {soundOtherFile, soundForbiddenFile, soundPiecePlacedFile, soundBgmFile})
            folder.write(name, testing::silentWav(64));
    }
    bool exists(const std::string& name) const { return fs::exists(folder.path() / name); }
};

TEST_F(AutosaveTest, AGameCutOffAtAnyMomentContinuesExactly) {
    {
        SCOPED_TRACE("against the computer, the human to move, level 2, clocks running");
        ProgramRun a;
        a.game->menuChosen(MenuItem::LEVEL2);
        a.game->menuChosen(MenuItem::SENTE);
        a.window.now += 7.5;
        a.move(L, 7, 7, 7, 6);
        a.window.now += 3;
        a.move(R, 3, 7, 3, 6);
        ASSERT_EQ(a.game->record().recordIndex, 4);
        EXPECT_TRUE(exists(savedRecordFileName));  // the record panel can load it too
        // Escape after eight seconds on the next move: the clock goes on from them.
        a.window.now += 8;
        a.game->Timer1_Timer();
        const ClockPlace human = clockPlaceFor(false);
        const std::string shown = a.window.textAtCell(human.textX, human.textY)->text;
        a.game->Form_KeyPress(escapeKey);
        ProgramRun b;
        EXPECT_TRUE(b.asked());
        expectSameGame(*a.game, *b.game);
        EXPECT_TRUE(b.window.isChecked(MenuItem::LEVEL2));
        EXPECT_TRUE(b.window.timerOn);
        b.game->Timer1_Timer();
        ASSERT_NE(b.window.textAtCell(human.textX, human.textY), nullptr);
        EXPECT_EQ(b.window.textAtCell(human.textX, human.textY)->text, shown);
        // The move list and the marks of the last moves are back as well.
        EXPECT_EQ(b.window.moveList, a.window.moveList);
        EXPECT_EQ(b.window.statusLine, a.window.statusLine);
        EXPECT_EQ(b.game->screen().tints(), a.game->screen().tints());
    }
    {
        SCOPED_TRACE("what happens before the offer leaves the last run's game on disk");
        const std::string kept = *readWholeFile(savedGameFileName);
        ScriptedWindow window;
        FakeSoundApi sound;
        WindowSystem system = window.system(sound);
        Game early(system);
        early.Form_Load();
        early.menuChosen(MenuItem::START);
        EXPECT_EQ(*readWholeFile(savedGameFileName), kept);
    }
    {
        SCOPED_TRACE("cut off while the computer thinks: it moves once the game is back");
        fs::remove(folder.path() / savedGameFileName);
        ProgramRun a;
        a.game->menuChosen(MenuItem::SENTE);
        const fs::path copy = folder.path() / "cut-off";
        a.window.onPause = [&] {
            if (!fs::exists(copy)) fs::copy_file(folder.path() / savedGameFileName, copy);
        };
        a.move(L, 7, 7, 7, 6);
        a.window.onPause = nullptr;
        ASSERT_EQ(a.game->record().recordIndex, 2);
        fs::copy_file(copy, folder.path() / savedGameFileName,
                      fs::copy_options::overwrite_existing);
        auto saved = std::make_unique<SavedGame>();
        ASSERT_FALSE(parseSavedGame(*readWholeFile(savedGameFileName), *saved));
        EXPECT_EQ(saved->sideToMove, goteSide);  // the computer's turn
        EXPECT_EQ(saved->record.lastRecordIndex, 1);
        ProgramRun b;
        expectSameGame(*a.game, *b.game);
        EXPECT_EQ(b.game->position().sideToMove, b.game->position().manSide);
    }
    {
        SCOPED_TRACE("after a handicap, which a record cannot hold; the highest level chosen");
        fs::remove(folder.path() / savedGameFileName);
        ProgramRun a;
        a.game->menuChosen(MenuItem::LEVEL5);
        a.game->menuChosen(MenuItem::LBEL_UP);
        a.game->menuChosen(MenuItem::LBEL_UP);
        a.game->menuChosen(MenuItem::START);
        a.move(L, 7, 7, 7, 6);
        EXPECT_FALSE(exists(savedRecordFileName));
        ProgramRun b;
        expectSameGame(*a.game, *b.game);
        EXPECT_EQ(b.game->position().left.board[2][2], emptySquare);  // the rook stays off
        EXPECT_TRUE(b.window.isChecked(MenuItem::LEVEL5));
    }
    {
        SCOPED_TRACE("after 反転, a move on either side of it");
        ProgramRun a(MessageAnswer::no);
        a.game->menuChosen(MenuItem::START);
        a.move(L, 7, 7, 7, 6);
        a.game->menuChosen(MenuItem::REVERSE);
        a.move(R, 3, 7, 3, 6);
        a.game->menuChosen(MenuItem::REVERSE);
        a.game->menuChosen(MenuItem::REVERSE);
        ProgramRun b;
        expectSameGame(*a.game, *b.game);
        EXPECT_TRUE(b.game->screenOptions().turned);
        EXPECT_EQ(b.window.moveList, a.window.moveList);
    }
    {
        SCOPED_TRACE("in record mode, stepped to the third move");
        ProgramRun played(MessageAnswer::no);
        played.game->menuChosen(MenuItem::START);
        played.move(L, 7, 7, 7, 6);
        played.move(L, 3, 3, 3, 4);
        played.move(R, 2, 7, 2, 6);
        played.move(R, 7, 3, 7, 4);
        played.window.panelFolder = folder.path().string();
        played.window.type(SaveField::fileName, "four");
        played.window.type(SaveField::firstPlayer, "Hanako");
        played.game->Command1_Click();
        played.game->menuChosen(MenuItem::CANCEL);
        ProgramRun a;
        a.window.panelFolder = folder.path().string();
        a.game->File1_Click("four.棋譜");
        a.game->menuChosen(MenuItem::AFTER);
        // Each step rewrites the state file only: the record it keeps has not changed.
        const fs::path record = folder.path() / savedRecordFileName;
        const auto recordWritten = fs::last_write_time(record);
        const std::string state = *readWholeFile(savedGameFileName);
        for (int i = 0; i < 2; ++i) a.game->menuChosen(MenuItem::AFTER);
        EXPECT_NE(*readWholeFile(savedGameFileName), state);
        EXPECT_EQ(fs::last_write_time(record), recordWritten);
        ProgramRun b;
        expectSameGame(*a.game, *b.game);
        EXPECT_EQ(b.game->position().kifuMode, flagYes);
        EXPECT_EQ(b.game->record().recordIndex, 3);
        EXPECT_EQ(b.game->records().shownHeader().bottomPlayerName, "Hanako");
    }
}

TEST_F(AutosaveTest, ADamagedFileIsRefusedAndKeptAsideAndTheGameStartsFresh) {
    {
        ProgramRun a;
        a.game->menuChosen(MenuItem::START);
        a.move(L, 7, 7, 7, 6);
    }
    const std::string good = *readWholeFile(savedGameFileName);
    const std::string truncated = good.substr(0, good.size() - 40);
    // A piece more than the set holds: a pawn put on an empty square.
    std::string extraPawn = *sjisToUtf8(good);
    const std::size_t boards = extraPawn.find("盤面=");
    extraPawn.replace(extraPawn.find(" 0 ", boards), 3, " -10 ");
    for (const std::string& bad : {truncated, *utf8ToSjis(extraPawn), std::string("x")}) {
        folder.write(savedGameFileName, bad);
        ProgramRun b;
        EXPECT_FALSE(b.asked());
        ASSERT_EQ(b.window.messages.size(), 1u);
        EXPECT_EQ(b.window.messages[0].title, "自動保存");
        EXPECT_NE(b.window.messages[0].text.find("行目"), std::string::npos)
            << b.window.messages[0].text;
        EXPECT_EQ(b.game->position().sideToMove, noSide);
        EXPECT_EQ(*readWholeFile(std::string(savedGameFileName) + ".bad"), bad);
        EXPECT_FALSE(exists(savedGameFileName));
    }
    // いいえ: the game is put aside among the finished games and not offered again.
    folder.write(savedGameFileName, good);
    {
        ProgramRun b(MessageAnswer::no);
        EXPECT_TRUE(b.asked());
        EXPECT_EQ(b.game->position().sideToMove, noSide);
    }
    EXPECT_FALSE(exists(savedGameFileName));
    int kept = 0;
    for (const auto& e : fs::directory_iterator(folder.path() / GameKeeper::archiveFolder)) {
        LoadedRecord loaded;
        EXPECT_FALSE(readRecordFile(e.path().string(), loaded));
        EXPECT_EQ(loaded.record.lastRecordIndex, 1);
        ++kept;
    }
    EXPECT_EQ(kept, 1);
    ProgramRun c;
    EXPECT_FALSE(c.asked());
}

// △ then ▽ before the first move give the full position back: a record holds that game, and it
// is kept like any other (書込 still refuses it, as after any handicap step).
TEST_F(AutosaveTest, AGameBackAtTheFullPositionAfterTheHandicapStepsIsKept) {
    {
        ProgramRun a;
        a.game->menuChosen(MenuItem::LBEL_UP);
        a.game->menuChosen(MenuItem::LEBEL_DOWN);
        a.game->menuChosen(MenuItem::START);
        a.move(L, 7, 7, 7, 6);
        EXPECT_TRUE(exists(savedRecordFileName));
    }
    ProgramRun b(MessageAnswer::no);
    ASSERT_TRUE(b.asked());
    ASSERT_TRUE(exists(GameKeeper::archiveFolder));
    int kept = 0;
    for (const auto& e : fs::directory_iterator(folder.path() / GameKeeper::archiveFolder)) {
        LoadedRecord loaded;
        EXPECT_FALSE(readRecordFile(e.path().string(), loaded));
        EXPECT_EQ(loaded.record.lastRecordIndex, 1);
        ++kept;
    }
    EXPECT_EQ(kept, 1);
}

TEST_F(AutosaveTest, FinishedGamesAreKeptTwoHundredAtMostTheOldestGoingFirst) {
    const fs::path archive = folder.path() / GameKeeper::archiveFolder;
    fs::create_directory(archive);
    for (int i = 0; i < GameKeeper::archiveLimit; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "2000-01-%02d_%04d.棋譜", 1 + i / 100, i % 100);
        std::ofstream(archive / name) << "old";
    }
    std::ofstream(archive / "mine.棋譜") << "the player's own";

    ProgramRun a;
    a.window.answers = {MessageAnswer::yes};  // 続けますか？
    a.game->menuChosen(MenuItem::START);
    // The computer's king walks into the first player's pawn; every piece stays in the set.
    a.game->position().left.board[5][1] = emptySquare;
    a.game->position().left.board[5][6] = comKing;
    a.move(L, 5, 7, 5, 6);
    ASSERT_EQ(a.window.messages.size(), 3u);
    EXPECT_EQ(a.window.messages[1].text, "先手の勝ちです");
    EXPECT_FALSE(exists(savedGameFileName));

    int ours = 0;
    bool oldestGone = true;
    std::string newest;
    for (const auto& e : fs::directory_iterator(archive)) {
        const std::string name = e.path().filename().string();
        if (name == "mine.棋譜") continue;
        ++ours;
        if (name == "2000-01-01_0000.棋譜") oldestGone = false;
        if (!name.starts_with("2000-")) newest = e.path().string();
    }
    EXPECT_EQ(ours, GameKeeper::archiveLimit);
    EXPECT_TRUE(oldestGone);
    EXPECT_TRUE(fs::exists(archive / "2000-01-01_0001.棋譜"));
    EXPECT_EQ(*readWholeFile((archive / "mine.棋譜").string()), "the player's own");
    ASSERT_FALSE(newest.empty());
    LoadedRecord loaded;
    ASSERT_FALSE(readRecordFile(newest, loaded));
    EXPECT_EQ(loaded.record.lastRecordIndex, 1);
    EXPECT_EQ(loaded.header.bottomPlayerName, "先手");

    // The record panel opens there the first time.
    a.game->menuChosen(MenuItem::KIFU_READ);
    EXPECT_EQ(fs::path(a.window.panelFolder), fs::absolute(archive));
}

}  // namespace
}  // namespace nobakuza
