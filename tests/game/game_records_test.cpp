// The 棋譜 menu, 戻, 進 and 反転 through the scripted window.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "board/move_execution.h"
#include "files/text_file.h"
#include "game/game.h"
#include "records/record_file.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"

namespace nobakuza {
namespace {

using testing::DrawCall;
using testing::FakeSoundApi;
using testing::Message;
using testing::ScriptedWindow;
using testing::TemporaryFolder;

// What the player sees of one position: both boards, four hands and both clocks.
struct Shown {
    Table left{}, right{};
    std::array<Hand, 4> hands{};
    std::string comClock, manClock;
    bool operator==(const Shown&) const = default;
};

struct GameRecordsTest : ::testing::Test {
    TemporaryFolder folder;
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system = window.system(sound);
    std::unique_ptr<Game> game = std::make_unique<Game>(system);
    float manTotal = 0, comTotal = 0;

    void SetUp() override {
        for (const char* name :
             {soundOtherFile, soundForbiddenFile, soundPiecePlacedFile, soundBgmFile})
            folder.write(name, testing::silentWav(64));
        game->Form_Load();
        window.setChecked(MenuItem::KEIKA, true);
        window.panelFolder = folder.path().string();
    }

    void startGame(std::int16_t manSide) {
        GameState& g = game->position();
        g.gameMode = modeVsComputer;
        g.manSide = manSide;
        g.comSide = static_cast<std::int16_t>(-manSide);
        g.sideToMove = senteSide;
    }

    // A move by whoever is to move, stored as the game stores it, `seconds` its thinking time.
    void play(std::int16_t boardId, int ff, int fr, int tf, int tr, Code piece, float seconds) {
        GameState& g = game->position();
        駒移動(g, g.board(boardId), ff, fr, tf, tr, piece);
        if (g.sideToMove == g.comSide) {
            ASSERT_FALSE(
                手順保存(game->record(), g, manTotal, manTotal, comTotal, comTotal + seconds));
            comTotal += seconds;
        } else {
            ASSERT_FALSE(
                手順保存(game->record(), g, manTotal, manTotal + seconds, comTotal, comTotal));
            manTotal += seconds;
        }
        ++g.moveNumber;
        g.sideToMove = static_cast<std::int16_t>(-g.sideToMove);
    }

    // Six moves on both boards: captures across the boards, a promotion, a drop, and a move
    // that took more than 1000 seconds.
    void playSixMoves() {
        startGame(senteSide);
        play(leftBoardId, 3, 7, 3, 6, manPawn, 4.5f);
        play(leftBoardId, 1, 3, 1, 4, comPawn, 2);
        play(leftBoardId, 2, 8, 7, 3, manPromotedBishop, 1000.7f);
        play(leftBoardId, 7, 1, 7, 2, comSilver, 30);
        play(rightBoardId, manHandColumn, 3, 5, 5, manPawn, 12);
        play(rightBoardId, 5, 3, 5, 4, comPawn, 3.2f);
    }

    // The sound trace of playing one buffer.
    static std::vector<std::string> soundOf(std::int32_t buffer) {
        return {"dsPlay(" + std::to_string(buffer) + ")"};
    }
    const Message* lastMessage() const {
        return window.messages.empty() ? nullptr : &window.messages.back();
    }
    std::string text(double x, double y) const {
        const auto* t = window.textAtCell(x, y);
        return t ? t->text : std::string("(none)");
    }

    std::string clockText(bool computer) const {
        const ClockPlace p = clockPlaceFor(computer);
        return text(p.textX, p.textY);
    }

    // The screen after clearing it before the command that showed this position, so every
    // clock text read back was printed by that command.
    Shown shown() const {
        const GameState& g = game->position();
        Shown s{g.left.board,
                g.right.board,
                {g.left.manHand, g.left.comHand, g.right.manHand, g.right.comHand},
                clockText(true),
                clockText(false)};
        for (int f = 1; f <= 9; ++f)
            for (int r = 1; r <= 9; ++r) {
                EXPECT_EQ(window.pictureAt(leftBoardX, f, r), g.left.board[f][r]);
                EXPECT_EQ(window.pictureAt(rightBoardX, f, r), g.right.board[f][r]);
            }
        return s;
    }
    Shown step(MenuItem item) {
        window.clear();
        game->menuChosen(item);
        return shown();
    }

    std::string fileBytes(const std::string& name) const {
        return readWholeFile((folder.path() / name).string()).value_or("(missing)");
    }
    void saveAs(const std::string& name, const std::string& gameName = "対局",
                const std::string& first = "先手", const std::string& second = "後手") {
        game->menuChosen(MenuItem::KIFU_WRITE);
        window.type(SaveField::fileName, name);
        window.type(SaveField::gameName, gameName);
        window.type(SaveField::firstPlayer, first);
        window.type(SaveField::secondPlayer, second);
        game->Command1_Click();
    }
};

std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start) + "(no CR LF)");
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The byte offset where line k (1-based) of a file starts.
std::size_t lineStart(const std::string& bytes, int k) {
    std::size_t at = 0;
    for (int i = 1; i < k; ++i) at = bytes.find("\r\n", at) + 2;
    return at;
}

// The space a text takes on the screen, in twips: a full-width character is as wide as the
// text is high (a point is 20 twips), a half-width one (ASCII, half-width katakana) half that;
// the line a little higher than the characters.
struct TextBox {
    double left, top, right, bottom;
    bool overlaps(const TextBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};
TextBox boxOf(const DrawCall& c) {
    double width = 0;
    for (std::size_t i = 0; i < c.text.size();) {
        const auto b = static_cast<unsigned char>(c.text[i]);
        const std::size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        const bool halfKana = length == 3 && (c.text.compare(i, 2, "\xEF\xBD") == 0 ||
                                              c.text.compare(i, 2, "\xEF\xBE") == 0);
        width += (length == 1 || halfKana ? 0.5 : 1.0) * c.size * 20;
        i += length;
    }
    return {c.x, c.y, c.x + width, c.y + c.size * 20 * 1.3};
}

TEST_F(GameRecordsTest, ASavedGameLoadsBackAndStepsThroughTheSamePositionsAndClocks) {
    playSixMoves();
    ASSERT_EQ(game->record().recordIndex, 6);

    // Saving through the panel, with Japanese names for the file, the game and the players.
    game->menuChosen(MenuItem::KIFU_WRITE);
    EXPECT_EQ(window.listsVisible, (std::array<bool, 3>{true, true, false}));
    EXPECT_TRUE(window.saveFieldsVisible);
    window.type(SaveField::fileName, "名人戦　第一局");
    window.type(SaveField::gameName, "第七十期名人戦");
    window.type(SaveField::firstPlayer, "羽生善治ﾊﾌﾞ");
    window.type(SaveField::secondPlayer, "ｺﾝﾋﾟｭｰﾀ");
    game->Command1_Click();
    ASSERT_NE(lastMessage(), nullptr);
    EXPECT_EQ(lastMessage()->text, "棋譜を書き込みました");
    EXPECT_EQ(lastMessage()->title, "  ");
    EXPECT_EQ(window.listsVisible, (std::array<bool, 3>{false, false, false}));
    EXPECT_FALSE(window.saveFieldsVisible);
    EXPECT_EQ(window.saveField(SaveField::fileName), "");
    EXPECT_EQ(window.fileListRefreshes, 1);
    const auto lines = crlfLines(fileBytes("名人戦　第一局.棋譜"));
    ASSERT_EQ(lines.size(), 3u + 7u);
    // The human moved first, so the second player sits on top.
    EXPECT_EQ(sjisToUtf8(lines[1]).value_or(""), "ｺﾝﾋﾟｭｰﾀ");
    EXPECT_EQ(sjisToUtf8(lines[2]).value_or(""), "羽生善治ﾊﾌﾞ");
    EXPECT_EQ(lines[3 + 3].substr(704, 10), "    4 1005");

    // What the player saw at every snapshot, stepping back from the end.
    game->menuChosen(MenuItem::AFTER);
    EXPECT_EQ(lastMessage()->text, "できません");
    EXPECT_EQ(lastMessage()->title, "進む");
    std::array<Shown, 7> played;
    step(MenuItem::REPLAY);
    played[6] = step(MenuItem::AFTER);
    for (int n = 5; n >= 0; --n) played[n] = step(MenuItem::REPLAY);
    EXPECT_EQ(played[3].manClock, "00:16:45");
    EXPECT_EQ(played[6].comClock, "00:00:35");

    // A fresh program loads it.
    game = std::make_unique<Game>(system);
    game->Form_Load();
    window.setChecked(MenuItem::KEIKA, true);
    window.messages.clear();
    game->menuChosen(MenuItem::KIFU_READ);
    EXPECT_EQ(window.listsVisible, (std::array<bool, 3>{true, true, true}));
    EXPECT_FALSE(window.saveFieldsVisible);
    window.clear();
    game->File1_Click("名人戦　第一局.棋譜");
    EXPECT_EQ(window.listsVisible, (std::array<bool, 3>{false, false, false}));
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0].text, " 読み込みました");
    EXPECT_EQ(window.messages[0].title, "棋譜");
    EXPECT_EQ(window.messages[1].text, "棋譜を '進 'で進めて下さい");
    EXPECT_EQ(window.messages[1].title, "棋譜");
    // The header: the game's name, the top and the bottom player's, wherever they stand.
    const auto printed = [&](const std::string& text) {
        const std::vector<DrawCall> texts = window.textsSince(0);
        const auto found = std::find_if(texts.rbegin(), texts.rend(),
                                        [&](const DrawCall& c) { return c.text == text; });
        return found == texts.rend() ? DrawCall{} : *found;
    };
    const std::vector<std::string> headerTexts = {"第七十期名人戦", "ｺﾝﾋﾟｭｰﾀ", "羽生善治ﾊﾌﾞ"};
    const DrawCall name = printed(headerTexts[0]);
    const DrawCall top = printed(headerTexts[1]);
    const DrawCall bottom = printed(headerTexts[2]);
    EXPECT_EQ(name.colour, colorLightRed);
    EXPECT_EQ(name.size, 12);
    EXPECT_EQ(top.colour, colorWhite);
    EXPECT_LT(top.y, boardTop);  // above the boards, the bottom player's name and the game's below
    EXPECT_GT(bottom.y, cellY(10));
    EXPECT_GT(name.y, cellY(10));
    const std::vector<TextBox> header = {boxOf(name), boxOf(top), boxOf(bottom)};
    for (const TextBox& h : header) EXPECT_GE(h.left, 120);  // clear of the window's edge
    // Clear of every other text a step prints.
    const auto clearOfHeader = [&] {
        for (const DrawCall& c : window.textsSince(0)) {
            if (std::find(headerTexts.begin(), headerTexts.end(), c.text) != headerTexts.end())
                continue;
            for (const TextBox& h : header) EXPECT_FALSE(h.overlaps(boxOf(c))) << c.text;
        }
    };

    const GameState& g = game->position();
    EXPECT_EQ(g.kifuMode, flagYes);
    EXPECT_EQ(g.manSide, senteSide);
    EXPECT_EQ(g.comSide, goteSide);
    EXPECT_EQ(g.sideToMove, senteSide);
    EXPECT_EQ(g.gameMode, modeTwoHumans);
    EXPECT_EQ(game->record().recordIndex, 0);
    EXPECT_EQ(game->record().lastRecordIndex, 6);
    EXPECT_EQ(g.left.board, played[0].left);

    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        const std::size_t sounds = sound.calls.size();
        const Shown s = step(MenuItem::AFTER);
        clearOfHeader();
        EXPECT_EQ(s, played[n]);
        EXPECT_EQ(g.moveNumber, n);
        EXPECT_EQ(g.sideToMove, n % 2 ? goteSide : senteSide);
        EXPECT_EQ(g.resumePending, flagYes);
        EXPECT_FALSE(window.timerOn);
        EXPECT_EQ(sound.trace(sounds), soundOf(game->sounds().piecePlaced));
    }
    // The last move shown is the computer's pawn to 5, 4 of the right board: "５四歩" above it.
    EXPECT_EQ(text(18 + 4.4, -0.7), "５");
    EXPECT_EQ(text(18 + 5.2, -0.7), "四");
    EXPECT_EQ(text(18 + 6.1, -0.7), "歩");
    const std::size_t sounds = sound.calls.size();
    game->menuChosen(MenuItem::AFTER);
    EXPECT_EQ(lastMessage()->text, "終わり");
    EXPECT_EQ(lastMessage()->title, "進む");
    EXPECT_EQ(sound.trace(sounds), soundOf(game->sounds().forbidden));
    for (int n = 5; n >= 0; --n) EXPECT_EQ(step(MenuItem::REPLAY), played[n]) << n;
    // The loaded record's human hands come back on both boards.
    EXPECT_EQ(played[4].hands[0][1], 1);
    EXPECT_EQ(played[4].hands[2][1], 1);
}

TEST_F(GameRecordsTest, SavingWritesSnapshotsUpToTheCurrentOneAndKeepsTheHeaderOrder) {
    // The human as second player: the first player's name goes on top.
    startGame(goteSide);
    play(leftBoardId, 7, 3, 7, 4, comPawn, 3);
    saveAs("one", "g", "COM", "MAN");
    auto lines = crlfLines(fileBytes("one.棋譜"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "COM");
    EXPECT_EQ(lines[2], "MAN");
    EXPECT_EQ(lines[3].size(), 724u);
    EXPECT_EQ(lines[4].substr(704), "    0    0    0    3");

    play(rightBoardId, 3, 7, 3, 6, manPawn, 5);
    play(leftBoardId, 3, 3, 3, 4, comPawn, 1);
    game->menuChosen(MenuItem::REPLAY);
    game->menuChosen(MenuItem::REPLAY);
    ASSERT_EQ(game->record().recordIndex, 1);
    saveAs("back");
    lines = crlfLines(fileBytes("back.棋譜"));
    ASSERT_EQ(lines.size(), 5u);

    // A move made after stepping back replaces the later snapshots.
    play(rightBoardId, 9, 7, 9, 6, manPawn, 2);
    EXPECT_EQ(game->record().lastRecordIndex, 2);
    saveAs("again");
    lines = crlfLines(fileBytes("again.棋譜"));
    ASSERT_EQ(lines.size(), 6u);

    // Loading it: the computer made move 1, so it is the first player.
    game->File1_Click("again.棋譜");
    const auto* name = window.textAt(recordHeaderX, recordGameNameY);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text, "対局");
    EXPECT_EQ(game->position().comSide, senteSide);
    EXPECT_EQ(game->position().manSide, goteSide);
    EXPECT_EQ(game->position().gameMode, modeVsComputer);
    EXPECT_EQ(game->position().sideToMove, senteSide);
}

TEST_F(GameRecordsTest, SavingRefusalsWriteNothing) {
    auto expectRefused = [&](const std::string& text, const std::string& title) {
        ASSERT_NE(lastMessage(), nullptr);
        EXPECT_EQ(lastMessage()->text, text);
        EXPECT_EQ(lastMessage()->title, title);
        window.messages.clear();
    };
    saveAs("nothing");
    expectRefused("保存するデータがありません", "棋譜保存");

    startGame(senteSide);
    play(leftBoardId, 7, 7, 7, 6, manPawn, 1);
    saveAs("");
    expectRefused("ﾌｧｲﾙ名が入力されていません", "  ");
    EXPECT_TRUE(window.saveFieldsVisible);  // the panel stays for another try
    for (const std::string& bad :
         std::vector<std::string>{"../escape", "a/b", ".", "..", std::string("a\0b", 3)}) {
        SCOPED_TRACE(bad);
        saveAs(bad);
        ASSERT_NE(lastMessage(), nullptr);
        EXPECT_EQ(lastMessage()->title, "棋譜保存");
        window.messages.clear();
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / "escape.棋譜"));

    // A failed write says so, and an old file of the same name stays as it was.
    folder.write("kept.棋譜", "old");
    saveAs("kept", "絵文字😀は書けない");
    ASSERT_NE(lastMessage(), nullptr);
    EXPECT_EQ(lastMessage()->title, "棋譜保存");
    EXPECT_EQ(lastMessage()->text.rfind("棋譜は保存されませんでした", 0), 0u);
    EXPECT_EQ(fileBytes("kept.棋譜"), "old");
    window.messages.clear();
    window.panelFolder = (folder.path() / "no such folder").string();
    saveAs("kept");
    EXPECT_EQ(lastMessage()->text.rfind("棋譜は保存されませんでした", 0), 0u);
    window.panelFolder = folder.path().string();
    window.messages.clear();

    // Reversed boards and handicap games are refused when the panel is opened, and again when
    // RETURN is pressed on a panel opened before.
    game->menuChosen(MenuItem::KIFU_WRITE);
    window.type(SaveField::fileName, "late");
    game->menuChosen(MenuItem::REVERSE);
    EXPECT_TRUE(window.saveFieldsVisible);
    game->Command1_Click();
    expectRefused("反転後は書き込みできません", "棋譜書込");
    game->records().closeFilePanel();
    game->menuChosen(MenuItem::KIFU_WRITE);
    expectRefused("反転後は書き込みできません", "棋譜書込");
    EXPECT_FALSE(window.saveFieldsVisible);
    game->position().boardsReversed = flagNo;
    game->position().handicapSet = flagYes;
    game->menuChosen(MenuItem::KIFU_WRITE);
    expectRefused("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込");
    EXPECT_FALSE(window.saveFieldsVisible);

    std::vector<std::string> written;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        if (e.path().extension() == ".棋譜") written.push_back(e.path().filename().string());
    EXPECT_EQ(written, std::vector<std::string>{"kept.棋譜"});
}

TEST_F(GameRecordsTest, ARefusedFileLeavesTheGameAsItWas) {
    startGame(senteSide);
    play(leftBoardId, 7, 7, 7, 6, manPawn, 1);
    play(rightBoardId, 3, 3, 3, 4, comPawn, 1);
    saveAs("good");
    const std::string good = fileBytes("good.棋譜");
    game->menuChosen(MenuItem::REPLAY);
    const GameState before = game->position();
    const auto recordBefore = std::make_unique<GameRecord>(game->record());

    // Cut short in its last line; a piece code no board holds; no file at all.
    folder.write("short.棋譜", good.substr(0, good.size() - 10));
    std::string badCode = good;
    badCode.replace(lineStart(good, 4), 4, " 123");
    folder.write("code.棋譜", badCode);
    const std::vector<std::pair<std::string, std::string>> files = {
        {"short.棋譜", "6行目"}, {"code.棋譜", "4行目"}, {"missing.棋譜", "missing"}};
    for (const auto& [file, named] : files) {
        SCOPED_TRACE(file);
        window.messages.clear();
        const std::size_t sounds = sound.calls.size();
        game->File1_Click(file);
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].title, "棋譜");
        EXPECT_NE(window.messages[0].text.find(named), std::string::npos)
            << window.messages[0].text;
        EXPECT_EQ(sound.trace(sounds), soundOf(game->sounds().forbidden));
        const GameState& g = game->position();
        EXPECT_EQ(g.left.board, before.left.board);
        EXPECT_EQ(g.right.board, before.right.board);
        EXPECT_EQ(g.kifuMode, flagNo);
        EXPECT_EQ(game->record().recordIndex, recordBefore->recordIndex);
        EXPECT_EQ(game->record().lastRecordIndex, recordBefore->lastRecordIndex);
        EXPECT_EQ(game->record().rightBoardHistory[2], recordBefore->rightBoardHistory[2]);
    }

    // A file with the start position only loads, and says it holds nothing.
    folder.write("start.棋譜", good.substr(0, lineStart(good, 5)));
    window.messages.clear();
    game->File1_Click("start.棋譜");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません");
    EXPECT_EQ(window.messages[0].title, "棋譜");
    EXPECT_EQ(game->position().kifuMode, flagYes);
    EXPECT_EQ(game->record().lastRecordIndex, 0);
}

TEST_F(GameRecordsTest, SteppingRefusalsAndBackThenForwardReturnsThePosition) {
    game->menuChosen(MenuItem::AFTER);
    EXPECT_EQ(lastMessage()->text, "「対局」で始めて下さい");
    EXPECT_EQ(lastMessage()->title, "開始");
    game->menuChosen(MenuItem::REPLAY);
    EXPECT_EQ(lastMessage()->text, "できません");
    EXPECT_EQ(lastMessage()->title, "戻る");
    EXPECT_EQ(sound.trace(sound.calls.size() - 2),
              (std::vector<std::string>{soundOf(game->sounds().forbidden)[0],
                                        soundOf(game->sounds().forbidden)[0]}));

    startGame(senteSide);
    play(leftBoardId, 5, 9, 5, 8, manKing, 2);
    play(leftBoardId, 3, 3, 3, 4, comPawn, 2);
    play(leftBoardId, 7, 7, 7, 6, manPawn, 2);
    GameState& g = game->position();
    g.left.selectionState = 1;
    window.timerOn = true;
    game->menuChosen(MenuItem::KIFU_READ);

    step(MenuItem::REPLAY);
    EXPECT_EQ(window.listsVisible, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(g.left.selectionState, 0);
    EXPECT_FALSE(window.timerOn);
    EXPECT_EQ(g.resumePending, flagYes);
    EXPECT_EQ(g.sideToMove, senteSide);
    EXPECT_EQ(g.moveNumber, 2);
    EXPECT_EQ(text(13.2, 3.4), "2");
    const Shown atEnd = step(MenuItem::AFTER);

    // Stale king squares and pawn files are put right by every step.
    g.left.comPawnFiles.fill(0);
    g.left.manKingFile = 0;
    for (int n = 0; n < 3; ++n) step(MenuItem::REPLAY);
    EXPECT_EQ(g.left.manKingFile, 5);
    EXPECT_EQ(g.left.manKingRank, 9);
    for (int f = 1; f <= 9; ++f) EXPECT_EQ(g.left.comPawnFiles[f], 1) << f;
    const Shown first = step(MenuItem::AFTER);
    EXPECT_EQ(g.left.manKingRank, 8);
    // The human's king move reads "５八王" under the left board.
    EXPECT_EQ(text(4.4, 11.2), "５");
    EXPECT_EQ(text(5.2, 11.2), "八");
    EXPECT_EQ(text(6.1, 11.2), "王");
    step(MenuItem::AFTER);
    EXPECT_EQ(step(MenuItem::AFTER), atEnd);
    EXPECT_NE(first, atEnd);
    EXPECT_EQ(g.sideToMove, goteSide);
    step(MenuItem::REPLAY);

    // A move played from a stepped-back position becomes the last one.
    play(leftBoardId, 9, 7, 9, 6, manPawn, 1);
    EXPECT_EQ(game->record().lastRecordIndex, 3);
    game->menuChosen(MenuItem::AFTER);
    EXPECT_EQ(lastMessage()->text, "できません");
}

TEST_F(GameRecordsTest, ReverseTwiceGivesBackThePositionAndIsRefusedForALoadedRecord) {
    startGame(senteSide);
    play(leftBoardId, 7, 7, 7, 6, manPawn, 1);
    play(rightBoardId, 3, 3, 3, 4, comPawn, 1);
    play(leftBoardId, 8, 8, 8, 3, manPromotedRook, 1);  // takes a pawn on both boards
    GameState& g = game->position();
    g.left.board[5][5] = comPromotedPawn;
    const GameState before = g;

    const std::size_t sounds = sound.calls.size();
    game->menuChosen(MenuItem::REVERSE);
    EXPECT_EQ(g.boardsReversed, flagYes);
    EXPECT_EQ(g.sideToMove, senteSide);  // gote was to move
    EXPECT_EQ(g.left.board[5][5], manPromotedPawn);
    EXPECT_EQ(g.left.board[2][7], comPromotedRook);
    EXPECT_EQ(g.left.comKingFile, 5);
    EXPECT_EQ(g.left.comKingRank, 1);
    EXPECT_EQ(g.left.comHand, before.left.manHand);
    EXPECT_EQ(g.left.manHand, before.left.comHand);
    EXPECT_EQ(g.right.comHandTotal, 1);
    // The computer's pawn taken on file 8 leaves the human's file 2 free.
    EXPECT_EQ(g.left.manPawnFiles[2], 0);
    EXPECT_EQ(g.left.manPawnFiles[3], 1);
    EXPECT_EQ(window.pictureAt(leftBoardX, 5, 5), manPromotedPawn);
    EXPECT_EQ(sound.trace(sounds), soundOf(game->sounds().piecePlaced));

    g.handicapSet = flagYes;
    g.handicapLevel = 3;
    game->menuChosen(MenuItem::REVERSE);
    EXPECT_EQ(g.handicapLevel, -3);
    EXPECT_EQ(g.left.board, before.left.board);
    EXPECT_EQ(g.right.board, before.right.board);
    EXPECT_EQ(g.left.manHand, before.left.manHand);
    EXPECT_EQ(g.right.comHand, before.right.comHand);
    EXPECT_EQ(g.right.manHandTotal, before.right.manHandTotal);
    EXPECT_EQ(g.sideToMove, before.sideToMove);

    game->position().handicapSet = flagNo;
    game->position().boardsReversed = flagNo;
    saveAs("r");
    game->File1_Click("r.棋譜");
    const Table loaded = g.left.board;
    window.messages.clear();
    const std::size_t refused = sound.calls.size();
    game->menuChosen(MenuItem::REVERSE);
    EXPECT_EQ(lastMessage()->text, "棋譜ﾓｰﾄﾞではできません");
    EXPECT_EQ(lastMessage()->title, "反転");
    EXPECT_EQ(sound.trace(refused), soundOf(game->sounds().forbidden));
    EXPECT_EQ(g.left.board, loaded);
    EXPECT_EQ(g.boardsReversed, flagNo);
}

TEST_F(GameRecordsTest, TheFiveHundredFirstMoveIsRefusedAndThePositionStays) {
    auto click = [&](int file, int rank) {
        game->Form_MouseDown(leftButton, 0, cellX(leftBoardX, file) + 200, cellY(rank) + 240);
    };
    game->menuChosen(MenuItem::START);
    click(7, 7);
    click(7, 6);
    ASSERT_EQ(game->record().recordIndex, 1);
    GameState& g = game->position();
    while (game->record().recordIndex < maxRecordIndex)
        ASSERT_FALSE(手順保存(game->record(), g, 0, 0, 0, 0));

    window.messages.clear();
    const std::size_t sounds = sound.calls.size();
    click(3, 3);
    click(3, 4);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].title, "棋譜");
    EXPECT_NE(window.messages[0].text.find("500"), std::string::npos);
    EXPECT_EQ(sound.trace(sounds), soundOf(game->sounds().forbidden));
    EXPECT_EQ(g.left.board[3][3], comPawn);
    EXPECT_EQ(g.left.board[3][4], emptySquare);
    EXPECT_EQ(g.moveNumber, 1);
    EXPECT_EQ(g.sideToMove, goteSide);
    EXPECT_EQ(game->record().recordIndex, maxRecordIndex);
    EXPECT_EQ(game->record().lastRecordIndex, maxRecordIndex);
}

TEST_F(GameRecordsTest, FoldersThatCannotBeReadAreReportedAndTheListsStay) {
    window.messages.clear();
    const std::string kept = window.panelFolder;
    game->Drive1_Change((folder.path() / "not mounted").string());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "ﾃﾞﾊﾞｲｽが準備できていません");
    EXPECT_EQ(window.messages[0].title, "ｴﾗｰ");
    EXPECT_EQ(window.panelFolder, kept);
    std::filesystem::create_directory(folder.path() / "棋譜集");
    game->Dir1_Change((folder.path() / "棋譜集").string());
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.panelFolder, (folder.path() / "棋譜集").string());
}

}  // namespace
}  // namespace nobakuza
