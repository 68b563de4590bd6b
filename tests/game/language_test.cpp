// The window in English: every text the player meets comes from the catalogue, and the language
// switches both ways at once and is kept in the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "game/game.h"
#include "records/saved_game.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"

namespace nobakuza {
namespace {

using testing::DrawCall;
using testing::FakeSoundApi;
using testing::ScriptedWindow;
using testing::TemporaryFolder;

constexpr std::int16_t L = leftBoardId;
constexpr std::int16_t R = rightBoardId;
const std::string localeFolder = std::string(NOBAKUZA_BINARY_DIR) + "/bin/locale";

struct LanguageTest : ::testing::Test {
    TemporaryFolder folder;
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system = window.system(sound);
    std::unique_ptr<Game> game;

    void start(const std::string& ini = "") {
        for (const char* name :
             {soundOtherFile, soundForbiddenFile, soundPiecePlacedFile, soundBgmFile})
            folder.write(name, testing::silentWav(64));
        if (!ini.empty()) folder.write(settingsFileName, *utf8ToSjis(ini));
        game = std::make_unique<Game>(system);
        game->setLocaleFolder(localeFolder);
        game->Form_Load();
        game->resumeInterruptedGame();
    }
    GameState& st() { return game->position(); }
    void click(std::int16_t boardId, int file, int rank, int button = leftButton) {
        game->Form_MouseDown(button, 0, cellX(boardOriginX(boardId), file) + 200,
                             cellY(rank) + 240);
    }
    void move(std::int16_t boardId, int f1, int r1, int f2, int r2, int button = leftButton) {
        click(boardId, f1, r1);
        click(boardId, f2, r2, button);
    }
    void emptyBoards() {
        for (BoardState* b : {&st().left, &st().right}) {
            b->board = {};
            b->manHand = {};
            b->comHand = {};
            recountHandTotals(*b);
        }
    }
    void put(std::int16_t boardId, int f, int r, Code code) {
        game->position().board(boardId).board[f][r] = code;
        findKings(game->position().board(boardId));
    }

    // Every text the player has met: boxes, the picture's texts, the status line, the move
    // list, the menus, the buttons, the record panel and the version dialog.
    std::vector<std::string> everythingShown(std::size_t firstCall) const {
        std::vector<std::string> all;
        for (const auto& m : window.messages) {
            all.push_back(m.text);
            all.push_back(m.title);
        }
        for (const DrawCall& c : window.textsSince(firstCall)) all.push_back(c.text);
        all.insert(all.end(), window.statusLines.begin(), window.statusLines.end());
        all.insert(all.end(), window.moveList.begin(), window.moveList.end());
        all.insert(all.end(), window.captions.begin(), window.captions.end());
        std::erase(all, "日本語");  // the language item, named in its own language
        all.insert(all.end(), window.buttonCaptions.begin(), window.buttonCaptions.end());
        all.insert(all.end(), window.fieldCaptions.begin(), window.fieldCaptions.end());
        all.push_back(window.returnCaption);
        all.push_back(window.cancelCaption);
        all.push_back(window.moveListTitle);
        all.push_back(window.versionTexts.title);
        all.push_back(window.versionTexts.homePage);
        all.push_back(window.versionTexts.ok);
        all.insert(all.end(), window.versionTexts.lines.begin(), window.versionTexts.lines.end());
        return all;
    }
};

TEST_F(LanguageTest, EveryTextThePlayerMeetsIsEnglish) {
    sound.libraryHandle = 0;  // the warning box of a machine without sound
    start("言語=English\r\n");
    ASSERT_EQ(game->language(), Language::english);
    EXPECT_TRUE(window.isChecked(MenuItem::EIGO));
    EXPECT_FALSE(window.isChecked(MenuItem::NIHONGO));
    window.answers = {MessageAnswer::yes, MessageAnswer::yes, MessageAnswer::yes,
                      MessageAnswer::yes, MessageAnswer::yes, MessageAnswer::yes};

    // Refusals before a game, the level and the handicap drawn.
    click(L, 7, 7);
    game->menuChosen(MenuItem::REPLAY);
    game->menuChosen(MenuItem::AFTER);
    game->menuChosen(MenuItem::HINT);
    game->menuChosen(MenuItem::LBEL_UP);
    game->menuChosen(MenuItem::KIFU_WRITE);  // after a handicap
    game->menuChosen(MenuItem::CANCEL);
    game->menuChosen(MenuItem::REVERSE);
    game->menuChosen(MenuItem::LBEL_UP);  // after 反転
    game->menuChosen(MenuItem::KIFU_WRITE);
    game->menuChosen(MenuItem::CANCEL);
    game->menuChosen(MenuItem::VER);
    game->Dir1_Change("/nonexistent folder");
    game->Command1_Click();  // no file name
    window.type(SaveField::fileName, "a/b");
    game->Command1_Click();
    window.type(SaveField::fileName, "game");
    game->Command1_Click();  // nothing to save

    // Two players: turns, a promotion prompt, a capture across, a record saved.
    game->menuChosen(MenuItem::START);
    move(L, 7, 7, 7, 6);
    move(R, 3, 3, 3, 4);
    move(L, 8, 8, 2, 2);  // the bishop takes the bishop: a promotion zone, left button
    click(L, 2, 2, rightButton);
    move(R, 1, 1, 2, 2);  // the lance cannot; a refusal without a box
    game->menuChosen(MenuItem::REPLAY);
    click(R, 1, 3);  // the turn is announced again
    window.type(SaveField::fileName, "game");
    game->menuChosen(MenuItem::KIFU_WRITE);
    window.type(SaveField::fileName, "game");
    game->Command1_Click();
    game->menuChosen(MenuItem::LBEL_UP);  // in the middle of a game

    // The record loaded and stepped through; a broken one refused.
    folder.write("broken.棋譜", "a\r\nb\r\nc\r\nshort\r\n");
    window.panelFolder = folder.path().string();
    game->File1_Click("broken.棋譜");
    std::filesystem::create_directory(folder.path() / "folder");
    game->File1_Click("folder");  // a folder picked as a record
    game->File1_Click("game.棋譜");
    game->menuChosen(MenuItem::AFTER);
    game->menuChosen(MenuItem::AFTER);
    game->moveListClicked(3);
    game->menuChosen(MenuItem::AFTER);
    game->menuChosen(MenuItem::AFTER);  // the end
    game->menuChosen(MenuItem::REVERSE);
    click(L, 5, 5);  // "step with 進"

    // A pawn that could never move again unpromoted.
    game->menuChosen(MenuItem::CANCEL);
    game->menuChosen(MenuItem::START);
    put(L, 1, 7, emptySquare);
    put(L, 1, 2, manPawn);
    move(L, 1, 2, 1, 1);

    // Against the computer: its reply, its check, the end of the game.
    game->menuChosen(MenuItem::CANCEL);
    game->menuChosen(MenuItem::SENTE);
    move(L, 7, 7, 7, 6);
    game->menuChosen(MenuItem::HINT);  // the suggested move written as an English move
    game->menuChosen(MenuItem::CANCEL);
    emptyBoards();
    put(L, 5, 9, manKing);
    put(L, 9, 1, comKing);
    put(R, 5, 9, manKing);
    put(R, 5, 1, comKing);
    st().left.comHand[7] = 1;
    recountHandTotals(st().left);
    game->menuChosen(MenuItem::GOTE);  // the rook dropped beside the king: check
    game->menuChosen(MenuItem::REPLAY);
    game->menuChosen(MenuItem::HINT);  // no hint on the computer's turn
    click(L, 5, 5);                    // the computer to move after stepping back: "OK?"
    put(L, 5, 8, comGold);
    game->position().sideToMove = game->position().manSide;
    move(L, 5, 9, 5, 8);  // the king takes; then a king is taken
    put(R, 5, 2, manRook);
    move(R, 5, 2, 5, 1);  // the computer's king taken: the end, "Play again?"

    // A record too short to be stepped through, and the saved game refused at the next start.
    folder.write("empty.棋譜", *utf8ToSjis("x\r\ny\r\nz\r\n") +
                                   std::string(724, ' ').replace(0, 4, "   0") + "\r\n");

    const std::vector<std::string> shown = everythingShown(0);
    std::string japanese;
    for (const std::string& text : shown)
        if (hasJapanese(text)) japanese += "\"" + text + "\"\n";
    EXPECT_EQ(japanese, "");
    // The walk met what it set out to meet.
    auto met = [&](const std::string& text) {
        for (const std::string& s : shown)
            if (s.find(text) != std::string::npos) return true;
        return false;
    };
    for (const char* expected : {"The sound interface cannot be started.",
                                 "Start a game from the Game menu",
                                 "Not in the middle of a game",
                                 "It is the computer's turn",
                                 "Only in a game against the computer",
                                 "Not after Turn around",
                                 "Choose Position > Start over",
                                 "A game with a handicap cannot be saved",
                                 "A game after Turn around cannot be saved",
                                 "The device is not ready",
                                 "No file name has been entered",
                                 "There is nothing to save",
                                 "The first player's turn",
                                 "The second player's turn",
                                 "Click with the right mouse",
                                 "That piece cannot move there",
                                 "The record has been saved",
                                 "Line 4: ",
                                 "It is a folder, not a file.",
                                 "The record has been loaded",
                                 "Step through the record with Forward",
                                 "End",
                                 "Not while a record is loaded",
                                 "Your turn",
                                 "Thinking",
                                 "   ** Check **",
                                 "Ready?",
                                 "won",
                                 "Play again?",
                                 "Handicap: 3 kyu",
                                 "moves",
                                 "Level 3",
                                 "Left ▲3g-3f",
                                 "Two-board shogi",
                                 "Record mode",
                                 "R*7i"}) {
        EXPECT_TRUE(met(expected)) << expected;
    }
}

TEST_F(LanguageTest, SwitchingTakesEffectAtOnceBothWaysAndIsKept) {
    start();
    ASSERT_EQ(game->language(), Language::japanese);
    EXPECT_EQ(window.captions[static_cast<int>(MenuItem::TAIKYOKU)], "対局");
    game->menuChosen(MenuItem::SENTE);
    move(L, 7, 7, 7, 6);
    const std::string japaneseStatus = window.statusLine;
    EXPECT_NE(japaneseStatus.find("左 ▲3六歩"), std::string::npos) << japaneseStatus;
    ASSERT_FALSE(window.moveList.empty());
    EXPECT_EQ(window.moveList[0], "  1  左 ▲3六歩");

    std::size_t before = window.calls.size();
    game->menuChosen(MenuItem::EIGO);
    EXPECT_EQ(game->language(), Language::english);
    EXPECT_EQ(window.captions[static_cast<int>(MenuItem::TAIKYOKU)], "Game");
    EXPECT_EQ(window.captions[static_cast<int>(MenuItem::NIHONGO)], "日本語");
    EXPECT_EQ(window.buttonCaptions[1], "Yes");
    EXPECT_EQ(window.moveList[0], "  1  Left ▲3g-3f");
    EXPECT_NE(window.statusLine.find("Your turn"), std::string::npos);
    // The picture is drawn again at once: its labels, the move number and the move texts.
    std::string picture;
    for (const DrawCall& c : window.textsSince(before)) picture += c.text + " ";
    EXPECT_FALSE(hasJapanese(picture)) << picture;
    EXPECT_NE(picture.find("3g-3f"), std::string::npos) << picture;
    EXPECT_NE(picture.find(" a "), std::string::npos) << picture;
    EXPECT_EQ(sjisToUtf8(*readWholeFile(settingsFileName)).value_or("").find("言語=English"),
              std::string("背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n").size());

    before = window.calls.size();
    game->menuChosen(MenuItem::NIHONGO);
    EXPECT_EQ(window.captions[static_cast<int>(MenuItem::TAIKYOKU)], "対局");
    EXPECT_EQ(window.statusLine, japaneseStatus);
    std::string again;
    for (const DrawCall& c : window.textsSince(before)) again += c.text;
    EXPECT_NE(again.find("手目"), std::string::npos);
    EXPECT_NE(sjisToUtf8(*readWholeFile(settingsFileName)).value_or("").find("言語=日本語"),
              std::string::npos);

    // The choice is the next start's, whatever the system's locale; without the English
    // texts the window stays Japanese and says so.
    game->menuChosen(MenuItem::EIGO);
    auto next = std::make_unique<Game>(system);
    next->setLocaleFolder(localeFolder);
    next->Form_Load();
    EXPECT_EQ(next->language(), Language::english);
    window.messages.clear();
    next->setLocaleFolder(folder.path().string());
    next->menuChosen(MenuItem::NIHONGO);
    next->menuChosen(MenuItem::EIGO);
    EXPECT_EQ(next->language(), Language::japanese);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "英語の文字列が見つかりません");
    EXPECT_TRUE(window.isChecked(MenuItem::NIHONGO));
}

}  // namespace
}  // namespace nobakuza
