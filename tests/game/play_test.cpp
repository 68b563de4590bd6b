// Whole games through the scripted window: two players sharing the mouse, games against the
// computer, the prompts and refusals of play, the handicap ladder and the strength levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "board/move_legality.h"
#include "game/game.h"
#include "influence/influence_survey.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"
#include "ui/texts.h"

namespace nobakuza {
namespace {

using testing::DrawCall;
using testing::FakeSoundApi;
using testing::ScriptedWindow;
using testing::TemporaryFolder;

constexpr std::int16_t L = leftBoardId;
constexpr std::int16_t R = rightBoardId;

struct PlayTest : ::testing::Test {
    TemporaryFolder folder;
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system = window.system(sound);
    std::unique_ptr<Game> game;

    void SetUp() override {
        for (const char* name :
             {soundOtherFile, soundForbiddenFile, soundPiecePlacedFile, soundBgmFile})
            folder.write(name, testing::silentWav(64));
        game = std::make_unique<Game>(system);
        game->Form_Load();
    }

    GameState& st() { return game->state; }
    BoardState& board(std::int16_t id) { return game->state.board(id); }

    void click(std::int16_t boardId, int file, int rank, int button = leftButton) {
        game->Form_MouseDown(button, 0, cellX(boardOriginX(boardId), file) + 200,
                             cellY(rank) + 240);
    }
    void move(std::int16_t boardId, int f1, int r1, int f2, int r2, int button = leftButton) {
        click(boardId, f1, r1);
        click(boardId, f2, r2, button);
    }
    int plays(std::int32_t handle) const {
        return static_cast<int>(std::count_if(sound.calls.begin(), sound.calls.end(), [&](auto& c) {
            return c.function == "dsPlay" && c.handle == handle;
        }));
    }
    int forbidden() const { return plays(game->soundForbidden); }
    int pieceSounds() const { return plays(game->soundPiecePlaced); }
    std::string text(double x, double y) const {
        const DrawCall* c = window.textAtCell(x, y);
        return c ? c->text : "";
    }
    // The move text last shown for a side, above (the computer, or the second player) or below
    // the boards.
    std::string moveText(std::int16_t boardId, bool top) const {
        const double d = boardId == R ? 18 : 0;
        const double row = top ? -0.7 : 11.2;
        return text(4.4 + d, row) + text(5.2 + d, row) + text(6.1 + d, row);
    }
    static std::string expectedText(int file, int rank, Code piece) {
        return std::string(文字列変換(10 - file)) + std::string(文字列変換(1000 + rank)) +
               std::string(文字列変換(piece));
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> out;
        for (const auto& m : window.messages) out.push_back(m.text);
        return out;
    }
    bool shown(const std::string& text, std::size_t from = 0) const {
        for (std::size_t i = from; i < window.messages.size(); ++i)
            if (window.messages[i].text == text) return true;
        return false;
    }
    // Empties both boards; pieces then go on with put().
    void emptyBoards() {
        for (BoardState* b : {&st().left, &st().right}) {
            b->board = {};
            b->manHand = {};
            b->comHand = {};
            recountHandTotals(*b);
        }
    }
    void put(std::int16_t boardId, int f, int r, Code code) {
        BoardState& b = board(boardId);
        b.board[f][r] = code;
        if (code == manKing) {
            b.manKingFile = static_cast<std::int16_t>(f);
            b.manKingRank = static_cast<std::int16_t>(r);
        }
        if (code == comKing) {
            b.comKingFile = static_cast<std::int16_t>(f);
            b.comKingRank = static_cast<std::int16_t>(r);
        }
    }
    // The codes painted at a board cell from drawing call `from` on.
    std::vector<int> picturesAt(std::int16_t boardId, int f, int r, std::size_t from) const {
        std::vector<int> out;
        const double x = cellX(boardOriginX(boardId), f);
        for (std::size_t i = from; i < window.calls.size(); ++i) {
            const DrawCall& c = window.calls[i];
            if (c.kind == DrawCall::Kind::picture && c.x == x && c.y == cellY(r))
                out.push_back(c.code);
        }
        return out;
    }
};

TEST_F(PlayTest, TwoPlayersTakeTurnsMoveDropPromoteAndCaptureAcross) {
    game->menuChosen(MenuItem::START);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "先手の番です");
    EXPECT_EQ(window.messages[0].title, " ");
    EXPECT_EQ(st().sideToMove, senteSide);
    EXPECT_EQ(st().gameMode, modeTwoHumans);

    // The first player cannot pick up the second player's pieces: they are only outlined.
    click(L, 3, 3);
    EXPECT_EQ(st().left.selectionState, 0);
    click(L, 3, 7);
    EXPECT_EQ(st().left.selectionState, 1);
    EXPECT_EQ(window.outlineAt(leftBoardX, 3, 7), colorLightRed);
    click(L, 3, 6);
    EXPECT_EQ(st().left.board[3][6], manPawn);
    EXPECT_EQ(st().left.board[3][7], emptySquare);
    EXPECT_EQ(moveText(L, false), "７六歩");
    EXPECT_EQ(st().sideToMove, goteSide);
    EXPECT_EQ(st().moveNumber, 1);
    EXPECT_EQ(text(13.2, 3.4), "1");
    EXPECT_EQ(game->record.recordIndex, 1);
    EXPECT_EQ(pieceSounds(), 1);

    // Now only the top pieces move; their moves are written above the boards.
    click(L, 4, 7);
    EXPECT_EQ(st().left.selectionState, 0);
    move(L, 3, 3, 3, 4);
    EXPECT_EQ(st().left.board[3][4], comPawn);
    EXPECT_EQ(moveText(L, true), "７四歩");
    EXPECT_EQ(st().sideToMove, senteSide);

    // An illegal move: the forbidden sound, the pick is dropped, nothing moves.
    move(L, 2, 8, 2, 6);
    EXPECT_EQ(forbidden(), 1);
    EXPECT_EQ(st().left.selectionState, 0);
    EXPECT_EQ(st().left.board[2][8], manBishop);
    EXPECT_EQ(st().moveNumber, 2);
    // Clicking one's own second piece switches the pick.
    click(L, 8, 8);
    click(L, 2, 8);
    EXPECT_EQ(game->leftPick.pickPiece, manBishop);
    EXPECT_EQ(window.outlineAt(leftBoardX, 8, 8), squareFrameColor);
    EXPECT_EQ(window.outlineAt(leftBoardX, 2, 8), colorLightRed);

    // The bishop takes the pawn on ３三 with the right button, promoting, and the pawn on the same
    // square of the right board with it; that square blinks three times with the pawn and three
    // times empty.
    const std::size_t callsBefore = window.calls.size();
    const std::size_t pausesBefore = window.pauses.size();
    click(L, 7, 3, rightButton);
    EXPECT_EQ(st().left.board[7][3], manPromotedBishop);
    EXPECT_EQ(st().right.board[7][3], emptySquare);
    EXPECT_EQ(st().left.manHand[1], 1);
    EXPECT_EQ(st().right.manHand[1], 1);
    EXPECT_EQ(moveText(L, false), "３三角成");
    ASSERT_EQ(window.pauses.size(), pausesBefore + 12);
    for (std::size_t i = pausesBefore; i < window.pauses.size(); ++i)
        EXPECT_DOUBLE_EQ(window.pauses[i], 0.2);
    const std::vector<int> blink = picturesAt(R, 7, 3, callsBefore);
    ASSERT_GE(blink.size(), 12u);
    const std::vector<int> lastTwelve(blink.end() - 12, blink.end());
    EXPECT_EQ(lastTwelve, (std::vector<int>{0, comPawn, 0, comPawn, 0, comPawn, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(window.pictureAt(rightBoardX, 7, 3), emptySquare);
    // The hand shows its new piece.
    EXPECT_EQ(window.pictureAt(rightBoardX, 11, 3), manPawn);

    // The second player's bishop takes it back; a promoted bishop goes to hand as a bishop.
    move(L, 8, 2, 7, 3);
    EXPECT_EQ(st().left.comHand[6], 1);
    move(L, 3, 6, 3, 5);
    move(L, 3, 4, 3, 5);  // the first player's pawn is taken; file 3 has no pawn of theirs now
    EXPECT_EQ(st().left.comHand[1], 1);

    // A pawn drop on a file that has the player's pawn is refused; on file 3 it is allowed, and a
    // drop never takes the piece on the same square of the other board.
    click(L, 11, 3);
    EXPECT_EQ(st().left.selectionState, 1);
    EXPECT_EQ(window.outlineAt(leftBoardX, 11, 3), colorLightRed);
    click(L, 5, 5);
    EXPECT_EQ(forbidden(), 2);
    EXPECT_EQ(st().left.manHand[1], 1);
    click(L, 11, 3);
    click(L, 3, 3);
    EXPECT_EQ(st().left.board[3][3], manPawn);
    EXPECT_EQ(st().left.manHand[1], 0);
    EXPECT_EQ(st().left.manHandTotal, 0);
    EXPECT_EQ(st().right.board[3][3], comPawn);
    EXPECT_EQ(moveText(L, false), "７三歩");

    // The second player drops from the top hand: the bishop is in row 8 - 6 = 2 of that hand.
    click(L, -1, 2);
    EXPECT_EQ(st().left.selectionState, 1);
    click(L, 5, 5);
    EXPECT_EQ(st().left.board[5][5], comBishop);
    EXPECT_EQ(st().left.comHand[6], 0);
    EXPECT_EQ(moveText(L, true), "５五角");
    EXPECT_EQ(st().sideToMove, senteSide);

    // One snapshot per move, each the position after it.
    EXPECT_EQ(st().moveNumber, 8);
    EXPECT_EQ(game->record.recordIndex, 8);
    EXPECT_EQ(game->record.lastRecordIndex, 8);
    EXPECT_EQ(game->record.leftBoardHistory[8], st().left.board);
    EXPECT_EQ(game->record.rightBoardHistory[8], st().right.board);
    EXPECT_EQ(game->record.manHandRightHistory[8], st().right.manHand);
    EXPECT_EQ(pieceSounds(), 8);
    EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(PlayTest, TwoPlayerGamesEndWhenAKingIsTakenOnEitherBoard) {
    // The second player takes the first player's king on the right board.
    put(R, 5, 7, emptySquare);
    put(R, 5, 3, emptySquare);
    put(R, 5, 4, comRook);
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    window.answers = {MessageAnswer::yes};
    move(R, 5, 4, 5, 9);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[1].text, "後手の勝ちです");
    EXPECT_EQ(window.messages[1].title, "終了");
    EXPECT_EQ(window.messages[2].text, "続けますか？");
    EXPECT_EQ(window.messages[2].buttons, MessageButtons::yesNo);
    // Yes: fresh boards, and a new game has to be started from the menu.
    EXPECT_EQ(st().sideToMove, noSide);
    EXPECT_EQ(st().moveNumber, 0);
    Table start{};
    setInitialPosition(start);
    EXPECT_EQ(st().right.board, start);

    // The first player's rook moves on the left board onto the square where the right board
    // holds the second player's king: the king is taken across.
    put(L, 5, 1, emptySquare);
    put(L, 5, 3, emptySquare);
    put(L, 5, 7, emptySquare);
    game->menuChosen(MenuItem::START);
    move(L, 8, 8, 5, 8);
    EXPECT_EQ(st().left.board[5][8], manRook);
    move(L, 1, 3, 1, 4);
    window.answers = {MessageAnswer::no};
    move(L, 5, 8, 5, 1, rightButton);
    EXPECT_EQ(window.messages.back().text, "続けますか？");
    EXPECT_EQ(window.messages[window.messages.size() - 2].text, "先手の勝ちです");
    EXPECT_EQ(st().right.board[5][1], emptySquare);
    EXPECT_EQ(window.endRequests, 1);
    // The program has ended: clicks do nothing more.
    const std::size_t messages = window.messages.size();
    click(L, 3, 7);
    EXPECT_EQ(window.messages.size(), messages);
}

}  // namespace
}  // namespace nobakuza
