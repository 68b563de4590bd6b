#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "files/text_file.h"
#include "game/game.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"
#include "ui/texts.h"

namespace nobakuza {
namespace {

using testing::DrawCall;
using testing::FakeSoundApi;
using testing::ScriptedWindow;
using testing::TemporaryFolder;

struct GameWindowTest : ::testing::Test {
    TemporaryFolder folder;
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system = window.system(sound);
    std::unique_ptr<Game> game = std::make_unique<Game>(system);

    void writeSounds() {
        for (const char* name :
             {soundOtherFile, soundForbiddenFile, soundPiecePlacedFile, soundBgmFile})
            folder.write(name, testing::silentWav(64));
    }
    std::size_t indexOf(const std::function<bool(const DrawCall&)>& match, std::size_t from = 0) {
        for (std::size_t i = from; i < window.calls.size(); ++i)
            if (match(window.calls[i])) return i;
        return window.calls.size();
    }
};

TEST_F(GameWindowTest, StartUpDrawsBothBoardsEmptyHandsLabelsAndTitle) {
    writeSounds();
    game->Form_Load();
    window.clear();
    game->画面_再描画();
    const auto& calls = window.calls;

    // The tiles come first, every one of them the current background.
    const std::size_t tiles = 44 * 28 - 81;
    ASSERT_GT(calls.size(), tiles);
    for (std::size_t i = 0; i < tiles; ++i) {
        ASSERT_EQ(calls[i].kind, DrawCall::Kind::picture) << i;
        ASSERT_EQ(calls[i].code, backgroundGreen) << i;
    }
    // Then labels, hands, boards, clocks, title, in that order.
    const std::size_t firstLabel = indexOf([](const DrawCall& c) { return c.text == "9"; });
    const std::size_t firstHand = indexOf([](const DrawCall& c) {
        return c.kind == DrawCall::Kind::picture && c.code == emptySquare;
    });
    const std::size_t firstSquare = indexOf([](const DrawCall& c) {
        return c.kind == DrawCall::Kind::picture && c.x == cellX(leftBoardX, 1) && c.y == cellY(1);
    });
    const std::size_t firstClock = indexOf([](const DrawCall& c) { return c.text == "00:00:00"; });
    EXPECT_EQ(firstLabel, tiles + 1);
    EXPECT_LT(firstLabel, firstHand);
    EXPECT_LT(firstHand, firstSquare);
    EXPECT_LT(firstSquare, firstClock);
    EXPECT_LT(firstClock, calls.size());
    EXPECT_EQ(calls.back().kind, DrawCall::Kind::picture);
    EXPECT_EQ(calls.back().code, titlePictureCode);
    EXPECT_EQ(window.pictureAt(leftBoardX, 11.8, -1), titlePictureCode);

    Table start{};
    setInitialPosition(start);
    for (const int origin : {leftBoardX, rightBoardX}) {
        for (int f = 1; f <= 9; ++f)
            for (int r = 1; r <= 9; ++r) {
                EXPECT_EQ(window.pictureAt(origin, f, r), start[f][r]) << f << "," << r;
                EXPECT_EQ(window.outlineAt(origin, f, r), squareFrameColor);
            }
        for (int k = 1; k <= 7; ++k) {
            EXPECT_EQ(window.pictureAt(origin, manHandColumn, k + 2), emptySquare);
            EXPECT_EQ(window.pictureAt(origin, comHandColumn, k), emptySquare);
        }
    }
    for (int i = 1; i <= 9; ++i) {
        const DrawCall* file = window.textAtCell(i, 0.4);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->text, std::to_string(10 - i));
        EXPECT_EQ(file->colour, colorYellow);
        EXPECT_TRUE(file->bold);
        const DrawCall* rightFile = window.textAtCell(i + 18.2, 0.4);
        ASSERT_NE(rightFile, nullptr);
        EXPECT_EQ(rightFile->text, std::to_string(10 - i));
        for (const double x : {10.1, 28.2}) {
            const DrawCall* rank = window.textAtCell(x, i + 0.3);
            ASSERT_NE(rank, nullptr);
            EXPECT_EQ(rank->text, kanjiNumeral(i));
            EXPECT_EQ(rank->size, 10);
        }
    }
    // No count is shown beside an empty hand.
    for (const double x : {12.0, 0.0, 30.0, 18.0})
        for (int r = 1; r <= 9; ++r) EXPECT_EQ(window.textAtCell(x, r + 0.2), nullptr);
    // No level in two-player mode, no handicap label.
    EXPECT_EQ(window.textAtCell(-1.7, 0.05), nullptr);
}

TEST_F(GameWindowTest, StartUpLeavesNoGameUnderWayAndTheDefaultsChecked) {
    writeSounds();
    game->position().left.manHand[3] = 2;  // left over from nothing: the setup must clear it
    game->Form_Load();
    const GameState& s = game->position();
    EXPECT_EQ(s.sideToMove, noSide);
    EXPECT_EQ(s.gameMode, modeTwoHumans);
    EXPECT_EQ(s.left.manHand[3], 0);
    EXPECT_EQ(s.left.manHandTotal, 0);
    EXPECT_EQ(s.right.board, s.left.board);
    EXPECT_EQ(game->record().recordIndex, 0);
    EXPECT_EQ(game->record().leftBoardHistory[0], s.left.board);
    EXPECT_FALSE(window.timerOn);
    using enum MenuItem;
    EXPECT_TRUE(window.isChecked(LEVEL3));
    EXPECT_TRUE(window.isChecked(MIDORI));
    EXPECT_TRUE(window.isChecked(KEIKA));
    EXPECT_TRUE(window.isChecked(BGM));
    EXPECT_FALSE(window.isChecked(SIDOU));
    // Four sounds loaded with their flags; no music on the default path.
    const std::vector<std::string> expected = {"dsInitialize(4711)", "dsCreateDSB(101)",
                                               "dsCreateDSB(102)", "dsCreateDSB(103)",
                                               "dsCreateDSB(104)"};
    EXPECT_EQ(sound.trace(), expected);
    EXPECT_EQ(sound.calls[1].flags, 3);
    EXPECT_EQ(sound.calls[4].flags, 1);
    EXPECT_TRUE(window.messages.empty());
    // The settings file now holds the defaults.
    const auto ini = readWholeFile(settingsFileName);
    ASSERT_TRUE(ini);
    EXPECT_EQ(sjisToUtf8(*ini).value_or(""),
              "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n");

    // A click before any game has started is refused with the forbidden sound.
    const std::size_t before = sound.calls.size();
    game->Form_MouseDown(leftButton, 0, cellX(leftBoardX, 5.5), cellY(7.5));
    EXPECT_EQ(sound.trace(before), std::vector<std::string>{"dsPlay(102)"});
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "「対局」で始めて下さい");
    EXPECT_EQ(window.messages[0].title, "開始");
}

TEST_F(GameWindowTest, SwitchingTheClocksOffWipesBothClocksWhole) {
    writeSounds();
    game->Form_Load();
    game->menuChosen(MenuItem::SENTE);
    window.now += 7;
    game->Timer1_Timer();
    std::vector<DrawCall> clocks;
    for (const DrawCall& c : window.calls)
        if (c.kind == DrawCall::Kind::text && c.text.find(':') != std::string::npos)
            clocks.push_back(c);
    ASSERT_GE(clocks.size(), 4u);

    const std::size_t wipeStart = window.calls.size();
    game->menuChosen(MenuItem::KEIKA);
    ASSERT_FALSE(window.isChecked(MenuItem::KEIKA));
    // Where each clock text begins, a tile painted by the wipe now lies over it.
    const PictureSize tile = pictureSize(backgroundGreen);
    for (const DrawCall& text : clocks) {
        const bool covered =
            std::any_of(window.calls.begin() + static_cast<std::ptrdiff_t>(wipeStart),
                        window.calls.end(), [&](const DrawCall& c) {
                            return c.kind == DrawCall::Kind::picture && c.code == backgroundGreen &&
                                   c.x <= text.x && text.x < c.x + tile.width * twipsPerPixel &&
                                   c.y <= text.y && text.y < c.y + tile.height * twipsPerPixel;
                        });
        EXPECT_TRUE(covered) << text.text << " at " << text.x << ", " << text.y;
    }
}

TEST_F(GameWindowTest, SettingsFromTheFileStartTheMusicAndPickTheBackground) {
    writeSounds();
    folder.write(settingsFileName,
                 *utf8ToSjis("背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n"));
    game->Form_Load();
    EXPECT_TRUE(window.isChecked(MenuItem::UCHU));
    EXPECT_TRUE(window.isChecked(MenuItem::SIDOU));
    EXPECT_FALSE(window.isChecked(MenuItem::KEIKA));
    EXPECT_EQ(game->screenOptions().guideColor, colorGuide);
    EXPECT_EQ(window.pictureAt(leftBoardX, 12, 3), backgroundSpace);
    EXPECT_EQ(sound.trace().back(), "dsPlayLooping(104)");
    // With the clocks off no clock is drawn.
    EXPECT_EQ(window.textAtCell(-2.2, 9.2), nullptr);

    // Choosing a background checks it alone, rewrites the file and redraws in the new tiles.
    game->menuChosen(MenuItem::TATAMI);
    EXPECT_TRUE(window.isChecked(MenuItem::TATAMI));
    EXPECT_FALSE(window.isChecked(MenuItem::UCHU));
    EXPECT_EQ(window.pictureAt(leftBoardX, -3, -2), backgroundTatami);
    EXPECT_EQ(window.pictureAt(rightBoardX, 5, 9), manKing);
    EXPECT_NE(sjisToUtf8(*readWholeFile(settingsFileName)).value_or("").find("背景画=畳"),
              std::string::npos);
}

TEST_F(GameWindowTest, EveryWayOutReleasesTheSoundsInOrderOnce) {
    const std::vector<std::string> release = {"dsFree(101)", "dsFree(102)", "dsFree(103)",
                                              "dsFree(104)", "dsTerminate(77)"};
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        ScriptedWindow w;
        FakeSoundApi s;
        WindowSystem sys = w.system(s);
        auto g = std::make_unique<Game>(sys);
        writeSounds();
        g->Form_Load();
        const std::size_t before = s.calls.size();
        g->Form_KeyPress('a');  // only Escape ends it
        EXPECT_EQ(w.endRequests, 0);
        if (way == 0) g->Form_KeyPress(escapeKey);
        if (way == 1) g->menuChosen(MenuItem::OWARI);
        if (way == 2) g->Form_Unload();
        EXPECT_EQ(s.trace(before), release);
        EXPECT_EQ(w.endRequests, 1);
        EXPECT_TRUE(g->ended());
        // The window closing afterwards, or a stray key, changes nothing more.
        g->Form_Unload();
        g->Form_KeyPress(escapeKey);
        g->Form_MouseDown(leftButton, 0, 3000, 3000);
        EXPECT_EQ(s.trace(before), release);
        EXPECT_EQ(w.endRequests, 1);
    }
}

TEST_F(GameWindowTest, WithoutTheSoundLibraryOneWarningThenSilence) {
    writeSounds();
    sound.libraryHandle = 0;
    game->Form_Load();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Direct Soundインターフェースが作成できません。");
    EXPECT_EQ(window.messages[0].title, "Nobakuza.dll");
    EXPECT_TRUE(window.messages[0].warningIcon);
    EXPECT_EQ(game->sounds().other | game->sounds().forbidden | game->sounds().piecePlaced |
                  game->sounds().bgm,
              0);
    game->menuChosen(MenuItem::CANCEL);
    game->menuChosen(MenuItem::BGM);
    game->menuChosen(MenuItem::OWARI);
    for (const auto& call : sound.calls) {
        EXPECT_NE(call.function, "dsCreateDSB");
        EXPECT_NE(call.function, "dsTerminate");
        if (call.function != "dsInitialize") {
            EXPECT_EQ(call.handle, 0) << call.function;
        }
    }
    EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(GameWindowTest, AMissingSoundFileLoadsAsNothingWithoutAWarning) {
    writeSounds();
    std::filesystem::remove(soundBgmFile);
    game->Form_Load();
    EXPECT_NE(game->sounds().piecePlaced, 0);
    EXPECT_EQ(game->sounds().bgm, 0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(GameWindowTest, TheEndOfAGameOffersANewOneOrEndsTheProgram) {
    writeSounds();
    game->Form_Load();
    game->position().left.comHand[1] = 4;
    game->position().right.manHand[7] = 1;
    game->position().right.manHandTotal = 1;
    game->position().sideToMove = senteSide;
    game->position().moveNumber = 12;
    game->position().gameMode = modeVsComputer;

    window.answers = {MessageAnswer::yes};
    game->終了(game->position().manSide, GameEndReason::kingTaken);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0].text, "あなたの勝ちです");
    EXPECT_EQ(window.messages[0].title, "終了");
    EXPECT_EQ(window.messages[1].text, "続けますか？");
    EXPECT_EQ(window.messages[1].title, "再ゲーム");
    EXPECT_EQ(window.messages[1].buttons, MessageButtons::yesNoView);
    EXPECT_EQ(game->position().left.comHand[1], 0);
    EXPECT_EQ(game->position().right.manHandTotal, 0);
    EXPECT_EQ(game->position().sideToMove, noSide);
    EXPECT_EQ(game->position().moveNumber, 0);
    EXPECT_EQ(window.endRequests, 0);

    window.answers = {MessageAnswer::no};
    game->position().gameMode = modeVsComputer;
    game->終了(game->position().comSide, GameEndReason::kingTaken);
    EXPECT_EQ(window.messages[2].text, "ｺﾝﾋﾟｭｰﾀの勝ちです");
    EXPECT_EQ(window.endRequests, 1);
    EXPECT_EQ(sound.trace().back(), "dsTerminate(77)");
}

TEST_F(GameWindowTest, EveryMenuItemCanBeChosenBeforeAGameWithoutHarm) {
    writeSounds();
    game->Form_Load();
    for (const MenuEntry& e : menuEntries()) {
        // The start commands and the handicap steps change the game; the play tests cover them,
        // and the language tests the switch to English.
        using enum MenuItem;
        if (e.item == OWARI || e.item == START || e.item == SENTE || e.item == GOTE ||
            e.item == LBEL_UP || e.item == LEBEL_DOWN || e.item == EIGO)
            continue;
        SCOPED_TRACE(std::string(e.caption));
        game->menuChosen(e.item);
        EXPECT_EQ(window.endRequests, 0);
    }
    // Choosing an option twice puts it back; the level marks stay one of three.
    EXPECT_EQ(std::count_if(menuEntries().begin(), menuEntries().end(),
                            [&](const MenuEntry& e) {
                                return e.parent == MenuItem::LEVEL && window.isChecked(e.item);
                            }),
              1);
    EXPECT_EQ(game->position().comLevel, 5);  // the last level item chosen
    EXPECT_EQ(window.versionDialogs, 1);
    // Before a game only ヒント, 待った, 検討, 戻 and 進 answer, each with its refusal, 書込 after
    // 反転, and 解説 without its page.
    ASSERT_EQ(window.messages.size(), 7u);
    EXPECT_EQ(window.messages[0].text, "COM対局中だけ使えます");
    EXPECT_EQ(window.messages[0].title, "ヒント");
    EXPECT_EQ(window.messages[1].title, "待った");
    EXPECT_EQ(window.messages[2].title, "検討");
    EXPECT_EQ(window.messages[3].title, "戻る");
    EXPECT_EQ(window.messages[4].title, "開始");
    EXPECT_EQ(window.messages[5].text, "反転後は書き込みできません");
    EXPECT_EQ(window.messages[6].text, "解説のページが見つかりません");
    EXPECT_EQ(game->position().left.board, game->record().leftBoardHistory[0]);
}

TEST_F(GameWindowTest, MenuCaptionsAndNesting) {
    // Every item sits in a menu that opens, and the bar reads as the player expects.
    std::string bar;
    for (const MenuEntry& e : menuEntries()) {
        if (e.parent == e.item) {
            bar += std::string(e.caption) + " ";
        } else {
            EXPECT_TRUE(menuEntry(e.parent).opensMenu) << e.caption;
        }
    }
    EXPECT_EQ(bar, "対局 局面 戻 進 △ ▽ 棋譜 ｵﾌﾟｼｮﾝ その他 ");
    EXPECT_EQ(menuEntry(MenuItem::OWARI).caption, "終わり");
    EXPECT_EQ(menuEntry(MenuItem::LEVEL).caption, "COM対局ﾚﾍﾞﾙ");
}

TEST_F(GameWindowTest, TheWindowIsDrawnBeforeTheSoundStartsWhichWarnsOnceOverIt) {
    writeSounds();
    folder.write(settingsFileName, *utf8ToSjis("背景画=竹\r\nBGM=ON\r\n"));
    sound.libraryHandle = 0;
    game->loadBeforeFirstFrame();
    EXPECT_TRUE(sound.calls.empty());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.pictureAt(rightBoardX, 5, 9), manKing);
    EXPECT_TRUE(window.isChecked(MenuItem::TAKE));

    game->loadAfterFirstFrame();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Direct Soundインターフェースが作成できません。");
    EXPECT_EQ(sound.trace()[0], "dsInitialize(4711)");

    // With a sound library, the music the file asks for starts with the sounds.
    ScriptedWindow w;
    FakeSoundApi s;
    WindowSystem sys = w.system(s);
    Game g(sys);
    g.loadBeforeFirstFrame();
    g.loadAfterFirstFrame();
    EXPECT_EQ(s.trace().back(), "dsPlayLooping(104)");
    EXPECT_TRUE(w.messages.empty());
}

TEST_F(GameWindowTest, ASettingsFileThatCannotBeWrittenIsToldOnceAndTheGameGoesOn) {
    writeSounds();
    std::filesystem::create_directory(settingsFileName);
    game->Form_Load();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "設定を保存できませんでした。\n「Nobakuza.ini」に書き込めません。"
              "ファイルではなくフォルダです。");
    EXPECT_EQ(window.messages[0].title, "ｵﾌﾟｼｮﾝ");
    EXPECT_TRUE(window.messages[0].warningIcon);
    game->menuChosen(MenuItem::TATAMI);
    game->menuChosen(MenuItem::SIDOU);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(window.isChecked(MenuItem::TATAMI));
    EXPECT_TRUE(window.isChecked(MenuItem::SIDOU));

    // Told on the first failed change when start-up went well.
    ScriptedWindow w;
    WindowSystem sys = w.system(sound);
    Game g(sys);
    std::filesystem::remove(settingsFileName);
    g.Form_Load();
    std::filesystem::remove(settingsFileName);
    std::filesystem::create_directory(settingsFileName);
    g.menuChosen(MenuItem::BGM);
    g.menuChosen(MenuItem::BGM);
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].title, "ｵﾌﾟｼｮﾝ");
}

}  // namespace
}  // namespace nobakuza
