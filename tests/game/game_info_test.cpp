// Around the picture: the status line, the move list and the marks of the last moves, and the
// coordinate labels, which turn with the boards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"
#include "ui/texts.h"

namespace nobakuza {
namespace {

using testing::FakeSoundApi;
using testing::ScriptedWindow;
using testing::TemporaryFolder;

constexpr std::int16_t L = leftBoardId;
constexpr std::int16_t R = rightBoardId;

struct GameInfoTest : ::testing::Test {
    TemporaryFolder folder;
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system = window.system(sound);
    std::unique_ptr<Game> game = std::make_unique<Game>(system);

    void SetUp() override {
        game->setLocaleFolder(std::string(NOBAKUZA_BINARY_DIR) + "/bin/locale");
        game->Form_Load();
    }
    void click(std::int16_t boardId, int file, int rank, int button = leftButton) {
        game->Form_MouseDown(button, 0, cellX(boardOriginX(boardId), file) + 200,
                             cellY(rank) + 240);
    }
    void move(std::int16_t boardId, int f1, int r1, int f2, int r2, int button = leftButton) {
        click(boardId, f1, r1);
        click(boardId, f2, r2, button);
    }
    int tint(std::int16_t boardId, int f, int r) const {
        return window.tintAt(boardOriginX(boardId), f, r);
    }
    std::string text(double x, double y) const {
        const auto* c = window.textAtCell(x, y);
        return c ? c->text : "";
    }
};

TEST_F(GameInfoTest, StatusLineAndMoveListFollowMovesOnBothBoards) {
    game->menuChosen(MenuItem::START);
    EXPECT_EQ(window.statusLine, "先手の番");
    move(L, 3, 7, 3, 6);               // a pawn
    move(L, 7, 3, 7, 4);               // the second player on the same board
    move(L, 2, 8, 8, 2, rightButton);  // the bishop takes both bishops, promoting
    move(L, 7, 1, 8, 2);               // a silver takes it back
    click(R, manHandColumn, 6 + 2);    // the bishop taken across is dropped
    click(R, 5, 5);
    EXPECT_EQ(window.moveList,
              (std::vector<std::string>{"  1  左 ▲7六歩", "  2  左 △3四歩", "  3  左 ▲2二角成",
                                        "  4  左 △2二銀", "  5  右 ▲5五角"}));
    EXPECT_EQ(window.currentMove, 4);
    EXPECT_EQ(window.statusLine, "後手の番   |   左 △2二銀   |   右 ▲5五角");

    // The marks: each side's last move, its target strongly and its origin lightly; a drop
    // has no origin. Picking a piece up keeps them.
    EXPECT_EQ(tint(R, 5, 5), manMoveTint);
    EXPECT_EQ(tint(L, 8, 2), comMoveTint);
    EXPECT_EQ(tint(L, 7, 1), comMoveTint);
    EXPECT_EQ(tint(L, 2, 8), -1);  // the first player's earlier move lost its mark
    click(R, 3, 3);
    EXPECT_EQ(tint(R, 5, 5), manMoveTint);
    EXPECT_EQ(tint(L, 8, 2), comMoveTint);

    // An illegal move tells why in the status line, without a box.
    click(R, 3, 1);
    const std::size_t boxes = window.messages.size();
    move(R, 3, 3, 3, 5);
    EXPECT_EQ(window.messages.size(), boxes);
    EXPECT_NE(window.statusLine.find("そこへは動かせません"), std::string::npos);

    // English notation: "8h-2b+" for the promotion, "B*5e" for the drop.
    game->menuChosen(MenuItem::EIGO);
    EXPECT_EQ(window.moveList[2], "  3  Left ▲8h-2b+");
    EXPECT_EQ(window.moveList[4], "  5  Right ▲B*5e");

    // Stepping back moves the highlight and the marks with it.
    game->menuChosen(MenuItem::REPLAY);
    EXPECT_EQ(window.currentMove, 3);
    EXPECT_EQ(tint(R, 5, 5), -1);
    EXPECT_EQ(tint(L, 2, 8), manMoveTint);  // the first player's move before, back again
    EXPECT_EQ(tint(L, 7, 1), comMoveTint);
}

TEST_F(GameInfoTest, AgainstTheComputerTheStatusLineNamesTurnLevelHandicapAndThinking) {
    game->menuChosen(MenuItem::LBEL_UP);
    game->menuChosen(MenuItem::LEVEL1);
    std::vector<std::string> during;
    window.onPause = [&] { during.push_back(window.statusLine); };
    game->menuChosen(MenuItem::GOTE);
    ASSERT_FALSE(during.empty());
    EXPECT_EQ(window.statusLine.find("ｺﾝﾋﾟｭｰﾀの番"), std::string::npos);
    EXPECT_EQ(window.statusLine.rfind("あなたの番   |   LEVEL1   |   ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級   |   ", 0),
              0u)
        << window.statusLine;
    EXPECT_NE(window.statusLine.find("△"), std::string::npos);
    // "思考中" while it searched, gone once it has moved.
    bool thinkingSeen = false;
    for (const std::string& s : window.statusLines) thinkingSeen |= s.find("思考中") != s.npos;
    EXPECT_TRUE(thinkingSeen);
    EXPECT_EQ(window.statusLine.find("思考中"), std::string::npos);
    // Its target keeps the white outline under the mark.
    const MoveNote last = game->texts().moveNote(1);
    EXPECT_EQ(window.outlineAt(boardOriginX(last.boardId), last.toFile, last.toRank), colorWhite);
    EXPECT_EQ(tint(last.boardId, last.toFile, last.toRank), comMoveTint);
    // A refusal stays in the status line until the next move.
    game->menuChosen(MenuItem::LBEL_UP);
    EXPECT_NE(window.statusLine.find("対局途中ではできません"), std::string::npos);
    // 先手 in the middle of the game goes on from the position, and says so.
    game->menuChosen(MenuItem::SENTE);
    EXPECT_EQ(game->record().lastRecordIndex, 1);
    EXPECT_NE(window.statusLine.find("この局面から続けます"), std::string::npos)
        << window.statusLine;
}

TEST_F(GameInfoTest, AfterReversalTheLabelsAndMoveTextsNameTheSquaresAsTheyNowStand) {
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    EXPECT_EQ(text(1, 0.4), "9");
    EXPECT_EQ(text(10.1, 1.3), "一");
    game->menuChosen(MenuItem::REVERSE);
    // Column 1 is now file 1, the top row rank 九, on both boards.
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(text(i, 0.4), std::to_string(i));
        EXPECT_EQ(text(i + 18.2, 0.4), std::to_string(i));
        EXPECT_EQ(text(10.1, i + 0.3), kanjiNumeral(10 - i));
        EXPECT_EQ(text(28.2, i + 0.3), kanjiNumeral(10 - i));
    }
    // The pawn that went to 7六 stands, turned with the board, on column 7 row 4: still 7六.
    EXPECT_EQ(game->position().left.board[7][4], comPawn);
    EXPECT_EQ(tint(L, 7, 4), manMoveTint);
    EXPECT_NE(window.statusLine.find("左 ▲7六歩"), std::string::npos)  // as the move list has it
        << window.statusLine;
    // The first player moves the bottom pieces again; the move text names squares as the
    // labels do.
    move(L, 7, 7, 7, 6);
    EXPECT_EQ(text(4.4, 11.2) + text(5.2, 11.2) + text(6.1, 11.2), "７四歩");
    EXPECT_EQ(window.moveList.back(), "  2  左 ▲7四歩");
    // The labels hold once the window is drawn again in English.
    game->menuChosen(MenuItem::EIGO);
    EXPECT_EQ(text(1, 0.4), "1");
    EXPECT_EQ(text(10.1, 1.3), "i");
    EXPECT_EQ(window.moveList.back(), "  2  Left ▲7c-7d");
}

TEST_F(GameInfoTest, InRecordModeAClickOnTheMoveListShowsThatPositionAsSteppingWould) {
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    move(L, 7, 3, 7, 4);
    move(R, 3, 7, 3, 6);
    move(R, 7, 3, 7, 4);
    // In play a click on the list changes nothing.
    const Table before = game->position().left.board;
    game->moveListClicked(1);
    EXPECT_EQ(game->position().left.board, before);
    EXPECT_EQ(game->record().recordIndex, 4);

    window.panelFolder = folder.path().string();
    window.type(SaveField::fileName, "four");
    game->Command1_Click();
    auto stepped = std::make_unique<Game>(system);
    stepped->Form_Load();
    for (Game* g : {game.get(), stepped.get()}) g->File1_Click("four.棋譜");
    for (int i = 0; i < 3; ++i) stepped->menuChosen(MenuItem::AFTER);
    game->moveListClicked(3);
    EXPECT_EQ(window.currentMove, 2);
    for (Game* g : {game.get(), stepped.get()}) {
        EXPECT_EQ(g->record().recordIndex, 3);
        EXPECT_EQ(g->position().moveNumber, 3);
    }
    EXPECT_EQ(game->position().left.board, stepped->position().left.board);
    EXPECT_EQ(game->position().right.board, stepped->position().right.board);
    EXPECT_EQ(game->position().sideToMove, stepped->position().sideToMove);
    EXPECT_EQ(game->position().resumePending, flagYes);
    // Back to the start, then forward again by the list.
    game->moveListClicked(0);
    EXPECT_EQ(game->position().left.board, game->record().leftBoardHistory[0]);
    EXPECT_EQ(game->position().sideToMove, senteSide);
    game->moveListClicked(4);
    EXPECT_EQ(game->position().right.board, game->record().rightBoardHistory[4]);
    EXPECT_EQ(text(4.4 + 18, -0.7) + text(5.2 + 18, -0.7) + text(6.1 + 18, -0.7), "３四歩");
}

}  // namespace
}  // namespace nobakuza
