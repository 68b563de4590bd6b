// Whole games through the scripted window: two players sharing the mouse, games against the
// computer, the prompts and refusals of play, the handicap ladder and the strength levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "board/geometry.h"
#include "board/move_legality.h"
#include "computer/self_play.h"
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

    GameState& st() { return game->position(); }
    BoardState& board(std::int16_t id) { return game->position().board(id); }

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
    int forbidden() const { return plays(game->sounds().forbidden); }
    int pieceSounds() const { return plays(game->sounds().piecePlaced); }
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
    // The kings alone but for a gold in the computer's hand and a pawn on each board: playing
    // second at LEVEL3, the computer drops the gold in front of the human's king on the left
    // board, guarded by its pawn, and takes the king with it next unless stopped.
    void setUpGoldBeforeTheKing() {
        emptyBoards();
        put(L, 5, 9, manKing);
        put(L, 5, 7, comPawn);
        put(L, 9, 1, comKing);
        put(R, 5, 9, manKing);
        put(R, 5, 1, comKing);
        put(R, 5, 7, manPawn);
        st().left.comHand[5] = 1;
        recountHandTotals(st().left);
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
    EXPECT_EQ(game->record().recordIndex, 1);
    EXPECT_EQ(pieceSounds(), 1);

    // Now only the top pieces move; their moves are written above the boards.
    click(L, 4, 7);
    EXPECT_EQ(st().left.selectionState, 0);
    window.now += 5;  // the second player thinks for five seconds; the time is theirs
    move(L, 3, 3, 3, 4);
    EXPECT_EQ(st().left.board[3][4], comPawn);
    EXPECT_EQ(moveText(L, true), "７四歩");
    EXPECT_EQ(st().sideToMove, senteSide);
    EXPECT_FLOAT_EQ(game->record().comTimeAfter[2], 5);
    EXPECT_FLOAT_EQ(game->record().manTimeAfter[2], game->record().manTimeBefore[2]);
    EXPECT_FLOAT_EQ(game->clock().comTotalSeconds, 5);

    // An illegal move: the forbidden sound, the pick is dropped, nothing moves.
    move(L, 2, 8, 2, 6);
    EXPECT_EQ(forbidden(), 1);
    EXPECT_EQ(st().left.selectionState, 0);
    EXPECT_EQ(st().left.board[2][8], manBishop);
    EXPECT_EQ(st().moveNumber, 2);
    // Clicking one's own second piece switches the pick.
    click(L, 8, 8);
    click(L, 2, 8);
    EXPECT_EQ(game->input().pickOf(leftBoardId).pickPiece, manBishop);
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
    EXPECT_EQ(game->record().recordIndex, 8);
    EXPECT_EQ(game->record().leftBoardHistory[8], st().left.board);
    EXPECT_EQ(game->record().rightBoardHistory[8], st().right.board);
    EXPECT_EQ(pieceSounds(), 8);
    EXPECT_EQ(window.messages.size(), 1u);
}

// The parts of a position a move changes, on both boards.
void expectSamePosition(const GameState& got, const GameState& want) {
    for (const std::int16_t id : {L, R}) {
        SCOPED_TRACE(id == L ? "left board" : "right board");
        const BoardState& g = got.board(id);
        // The two-pawn flags are worked out when needed; the position's own are the ones due.
        BoardState w = want.board(id);
        refreshKingsAndPawnFiles(w);
        EXPECT_EQ(g.board, w.board);
        EXPECT_EQ(g.manHand, w.manHand);
        EXPECT_EQ(g.comHand, w.comHand);
        EXPECT_EQ(g.manHandTotal, w.manHandTotal);
        EXPECT_EQ(g.comHandTotal, w.comHandTotal);
        EXPECT_EQ(g.manPawnFiles, w.manPawnFiles);
        EXPECT_EQ(g.comPawnFiles, w.comPawnFiles);
        EXPECT_EQ(g.manKingFile * 10 + g.manKingRank, w.manKingFile * 10 + w.manKingRank);
        EXPECT_EQ(g.comKingFile * 10 + g.comKingRank, w.comKingFile * 10 + w.comKingRank);
    }
    EXPECT_EQ(got.sideToMove, want.sideToMove);
    EXPECT_EQ(got.moveNumber, want.moveNumber);
}

TEST_F(PlayTest, TakeBackRestoresThePositionBeforeTheMovesTakenBack) {
    // Two players: one move, here a capture on both boards at once.
    game->menuChosen(MenuItem::START);
    game->menuChosen(MenuItem::MATTA);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].text, "待ったできる手がありません");
    EXPECT_EQ(window.messages[1].title, "待った");
    move(L, 3, 7, 3, 6);
    move(L, 7, 3, 7, 4);
    const GameState beforeCapture = st();
    // The bishop takes the bishop with the left button: no promotion, and the status line
    // says how to promote.
    move(L, 2, 8, 8, 2);
    ASSERT_EQ(st().left.board[8][2], manBishop);
    ASSERT_EQ(st().right.manHandTotal, 1);
    EXPECT_NE(window.statusLine.find("成らずに指しました（右クリックで成れます）"),
              std::string::npos);
    game->menuChosen(MenuItem::MATTA);
    expectSamePosition(st(), beforeCapture);
    EXPECT_EQ(game->record().recordIndex, 2);
    EXPECT_EQ(game->record().lastRecordIndex, 2);
    EXPECT_EQ(window.moveList.size(), 2u);
    EXPECT_EQ(window.statusLine.find("成らず"), std::string::npos);
    EXPECT_EQ(window.messages.size(), 2u);

    // Against the computer: the human's move and the computer's reply, and the game goes on
    // from there. The clocks keep what they counted.
    game->初期設定();
    game->menuChosen(MenuItem::SENTE);
    move(L, 3, 7, 3, 6);
    ASSERT_EQ(game->record().recordIndex, 2);
    const GameState afterReply = st();
    window.now += 30;
    move(R, 3, 7, 3, 6);
    ASSERT_EQ(game->record().recordIndex, 4);
    const float manSeconds = game->clock().manTotalSeconds;
    game->menuChosen(MenuItem::MATTA);
    expectSamePosition(st(), afterReply);
    EXPECT_EQ(game->record().lastRecordIndex, 2);
    EXPECT_EQ(window.moveList.size(), 2u);
    EXPECT_FLOAT_EQ(game->clock().manTotalSeconds, manSeconds);
    move(R, 3, 7, 3, 6);
    EXPECT_EQ(game->record().recordIndex, 4);
    EXPECT_EQ(st().sideToMove, st().manSide);
    game->menuChosen(MenuItem::MATTA);
    game->menuChosen(MenuItem::MATTA);
    EXPECT_EQ(st().left.board, game->record().leftBoardHistory[0]);
    EXPECT_EQ(st().moveNumber, 0);
    const std::size_t boxes = window.messages.size();
    game->menuChosen(MenuItem::MATTA);
    ASSERT_EQ(window.messages.size(), boxes + 1);
    EXPECT_EQ(window.messages.back().text, "待ったできる手がありません");
}

TEST_F(PlayTest, AskingBeforePromotingIsAnOptionOfItsOwn) {
    game->menuChosen(MenuItem::NARI);
    EXPECT_TRUE(window.isChecked(MenuItem::NARI));
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    move(L, 7, 3, 7, 4);
    window.answers = {MessageAnswer::yes};
    move(L, 2, 8, 8, 2);
    EXPECT_EQ(window.messages.back().text, "成りますか？");
    EXPECT_EQ(st().left.board[8][2], manPromotedBishop);
    EXPECT_EQ(window.statusLine.find("成らず"), std::string::npos);
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
    EXPECT_EQ(window.messages[2].buttons, MessageButtons::yesNoView);
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

TEST_F(PlayTest, AgainstTheComputerFirstWaitsSecondMovesAtOnce) {
    // 先手: the human moves first; nothing happens until the click.
    game->menuChosen(MenuItem::SENTE);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "MANの番です");
    EXPECT_EQ(window.messages[0].title, " ");
    EXPECT_EQ(st().gameMode, modeVsComputer);
    EXPECT_EQ(st().manSide, senteSide);
    EXPECT_EQ(st().sideToMove, senteSide);
    EXPECT_EQ(st().moveNumber, 0);
    EXPECT_TRUE(window.timerOn);
    EXPECT_EQ(text(-1.7, 0.05), "LEVEL");
    EXPECT_EQ(text(0, 0), "3");

    const std::size_t callsBefore = window.calls.size();
    const std::size_t pausesBefore = window.pauses.size();
    click(L, 3, 7);
    window.now += 7;
    click(L, 3, 6);
    EXPECT_EQ(moveText(L, false), "７六歩");
    // The computer answered at once: "思考中" over both boards, then its move and its text.
    bool thinkingLeft = false;
    bool thinkingRight = false;
    for (const DrawCall& c : window.textsSince(callsBefore)) {
        if (c.text != "思考中" || c.colour != colorWhite) continue;
        thinkingLeft |= c.x == cellX(leftBoardX, 4.4) && c.y == cellY(-0.7);
        thinkingRight |= c.x == cellX(leftBoardX, 22.4) && c.y == cellY(-0.7);
    }
    EXPECT_TRUE(thinkingLeft);
    EXPECT_TRUE(thinkingRight);
    EXPECT_EQ(st().moveNumber, 2);
    EXPECT_EQ(text(13.2, 3.4), "2");
    EXPECT_EQ(game->record().recordIndex, 2);
    EXPECT_EQ(st().sideToMove, senteSide);
    std::int16_t boardId = 0, file = 0, rank = 0;
    Code code = 0;
    調査_移動結果(game->record(), 2, boardId, code, file, rank);
    ASSERT_NE(boardId, 0);
    EXPECT_TRUE(isComPiece(code));
    EXPECT_EQ(moveText(boardId, true), expectedText(file, rank, code));
    EXPECT_EQ(window.outlineAt(boardOriginX(boardId), file, rank), colorWhite);
    // Its piece blinked twice at the square it left, then the move waited half a second.
    ASSERT_EQ(window.pauses.size(), pausesBefore + 5);
    EXPECT_DOUBLE_EQ(window.pauses.back(), 0.5);
    EXPECT_EQ(pieceSounds(), 2);
    EXPECT_EQ(window.messages.size(), 1u);
    // Each side's thinking time goes into its clock and into the record: the human's seven
    // seconds, the computer's time spent blinking and waiting.
    double computerSeconds = 0;
    for (std::size_t i = pausesBefore; i < window.pauses.size(); ++i)
        computerSeconds += window.pauses[i];
    EXPECT_FLOAT_EQ(game->record().manTimeAfter[1], 7);
    EXPECT_FLOAT_EQ(game->record().comTimeAfter[1], 0);
    EXPECT_FLOAT_EQ(game->record().manTimeBefore[2], 7);
    EXPECT_NEAR(game->record().comTimeAfter[2], computerSeconds, 1e-3);
    EXPECT_FLOAT_EQ(game->clock().manTotalSeconds, 7);
    EXPECT_NEAR(game->clock().comTotalSeconds, computerSeconds, 1e-3);
    EXPECT_EQ(window.timerOn, window.isChecked(MenuItem::KEIKA));

    // 後手: the computer moves first, at once, as the first player.
    game->初期設定();
    game->menuChosen(MenuItem::GOTE);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(st().manSide, goteSide);
    EXPECT_EQ(st().comSide, senteSide);
    EXPECT_EQ(st().sideToMove, goteSide);
    EXPECT_EQ(st().moveNumber, 1);
    EXPECT_EQ(game->record().recordIndex, 1);
    Table start{};
    setInitialPosition(start);
    EXPECT_TRUE(st().left.board != start || st().right.board != start);
}

TEST_F(PlayTest, TheComputerAnnouncesCheckAndMateAndTakesTheKing) {
    // The computer's rook dropped beside the human king is a check.
    emptyBoards();
    put(L, 5, 9, manKing);
    put(L, 9, 1, comKing);
    put(R, 5, 9, manKing);
    put(R, 5, 1, comKing);
    st().left.comHand[7] = 1;
    recountHandTotals(st().left);
    const std::size_t callsBefore = window.calls.size();
    game->menuChosen(MenuItem::GOTE);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "   ** 王手 **");
    EXPECT_EQ(window.messages[0].title, "");
    EXPECT_EQ(st().left.board[3][9], comRook);
    EXPECT_EQ(moveText(L, true), "７九飛");
    // A drop blinks in the computer's hand: rook row 8 - 7 = 1.
    const std::vector<int> blink = picturesAt(L, -1, 1, callsBefore);
    EXPECT_GE(std::count(blink.begin(), blink.end(), comRook), 2);
    EXPECT_EQ(st().sideToMove, st().manSide);

    // A gold dropped in front of the king, guarded by a pawn, mates: announced, and play goes on.
    window.answers = {MessageAnswer::yes};
    game->初期設定();
    window.messages.clear();
    setUpGoldBeforeTheKing();
    game->menuChosen(MenuItem::GOTE);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "よし！!");
    EXPECT_EQ(window.messages[0].title, "詰め ?");
    EXPECT_EQ(st().left.board[5][8], comGold);
    EXPECT_EQ(st().sideToMove, st().manSide);

    // The human plays on elsewhere; the computer takes the king and wins.
    window.answers = {MessageAnswer::no};
    move(R, 5, 7, 5, 6);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[1].text, "ｺﾝﾋﾟｭｰﾀの勝ちです");
    EXPECT_EQ(window.messages[1].title, "終了");
    EXPECT_EQ(window.messages[2].text, "続けますか？");
    EXPECT_EQ(st().left.board[5][9], comGold);
    EXPECT_EQ(st().winner, st().comSide);
    EXPECT_EQ(window.endRequests, 1);
}

TEST_F(PlayTest, AFinishedGameIsLookedAtInRecordModeWithNothingStale) {
    // The computer drops a gold in front of the king, the human plays elsewhere, the gold takes
    // the king: the third answer of the end box keeps the game on the boards.
    setUpGoldBeforeTheKing();
    game->menuChosen(MenuItem::GOTE);
    window.answers = {MessageAnswer::view};
    move(R, 5, 7, 5, 6);
    ASSERT_EQ(st().left.board[5][9], comGold);
    EXPECT_EQ(window.messages.back().buttons, MessageButtons::yesNoView);
    EXPECT_EQ(window.endRequests, 0);

    // "思考中" is wiped from over the boards before the box asks.
    const auto lastBefore = [&](std::size_t end, auto matches) {
        for (std::size_t i = end; i-- > 0;)
            if (matches(window.calls[i])) return i;
        return std::size_t{0};
    };
    const std::size_t asked = window.messages.back().callsBefore;
    const std::size_t thinking =
        lastBefore(asked, [](const DrawCall& c) { return c.text == "思考中"; });
    EXPECT_GT(lastBefore(asked,
                         [](const DrawCall& c) {
                             return c.kind == DrawCall::Kind::picture &&
                                    c.x == cellX(rightBoardX, 4) && c.y == cellY(-1);
                         }),
              thinking);

    // The winning move is counted and written as listed.
    ASSERT_EQ(window.moveList.size(), 3u);
    EXPECT_EQ(st().moveNumber, 3);
    EXPECT_EQ(window.currentMove, 2);
    EXPECT_EQ(moveText(L, true), "５九金");
    EXPECT_EQ(window.statusLine.rfind("棋譜ﾓｰﾄﾞ   |   ｺﾝﾋﾟｭｰﾀの勝ち：王を取りました", 0), 0u)
        << window.statusLine;
    EXPECT_EQ(window.statusLine.find("思考中"), std::string::npos);

    // 戻 steps back one move, 進 forward again; 書込 opens its fields.
    game->menuChosen(MenuItem::REPLAY);
    EXPECT_EQ(st().moveNumber, 2);
    EXPECT_EQ(window.currentMove, 1);
    EXPECT_EQ(st().left.board[5][9], manKing);
    game->menuChosen(MenuItem::AFTER);
    EXPECT_EQ(st().moveNumber, 3);
    EXPECT_EQ(st().left.board[5][9], comGold);
    game->menuChosen(MenuItem::KIFU_WRITE);
    EXPECT_TRUE(window.saveFieldsVisible);
}

TEST_F(PlayTest, TheEndBoxStartsTheReviewOfTheFinishedGame) {
    game->review().setSearchDepth(1);
    setUpGoldBeforeTheKing();
    game->menuChosen(MenuItem::GOTE);  // the computer drops its gold in front of the king
    window.answers = {MessageAnswer::review};
    move(R, 5, 7, 5, 6);  // and takes the king with it
    ASSERT_TRUE(game->review().running());
    game->review().waitForReview();
    game->backgroundWorkDone();
    ASSERT_NE(game->review().result(), nullptr);
    EXPECT_EQ(game->review().result()->moves.size(), 3u);
    EXPECT_EQ(st().kifuMode, flagYes);
    EXPECT_EQ(window.endRequests, 0);
}

TEST_F(PlayTest, TheTurnedViewShowsTheOtherSideAndTakesClicksWhereItShowsThem) {
    st().right.manHand[5] = 1;  // a gold
    recountHandTotals(st().right);
    game->menuChosen(MenuItem::START);
    game->menuChosen(MenuItem::BAN_MAWASU);
    EXPECT_TRUE(window.isChecked(MenuItem::BAN_MAWASU));
    // Every square at its mirror, each piece drawn as the other side's; the human's hand above
    // the board at the computer's place, its count beside it; the labels name the squares under
    // them.
    for (const std::int16_t id : {L, R})
        for (int f = 1; f <= boardSize; ++f)
            for (int r = 1; r <= boardSize; ++r)
                ASSERT_EQ(window.pictureAt(boardOriginX(id), 10 - f, 10 - r),
                          -board(id).board[f][r])
                    << id << " " << f << r;
    EXPECT_EQ(window.pictureAt(rightBoardX, comHandColumn, 10 - manHandRow(5)), kindCode[5]);
    const DrawCall* count = window.textAtCell(rightBoardColumns + 0, 10 - manHandRow(5) + 0.2);
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text, "1");
    EXPECT_EQ(text(1, 0.4), "1");

    // A click lands on the square shown under it: 7g-7f, then 3c-3d, then the gold in hand
    // dropped on 5e of the right board.
    const auto clickShown = [&](std::int16_t id, int c, int r) { click(id, 10 - c, 10 - r); };
    clickShown(L, 7, 7);
    clickShown(L, 7, 6);
    clickShown(L, 3, 3);
    clickShown(L, 3, 4);
    clickShown(R, manHandColumn, manHandRow(5));
    clickShown(R, 5, 5);
    EXPECT_EQ(board(L).board[7][6], manPawn);
    EXPECT_EQ(board(L).board[3][4], comPawn);
    EXPECT_EQ(board(R).board[5][5], manGold);
    EXPECT_EQ(board(R).manHand[5], 0);
    EXPECT_EQ(st().moveNumber, 3);

    // Turned back, the picture is the game's own again.
    game->menuChosen(MenuItem::BAN_MAWASU);
    EXPECT_EQ(window.pictureAt(leftBoardX, 7, 6), manPawn);
    EXPECT_EQ(text(1, 0.4), "9");
}

TEST_F(PlayTest, TheHumanWinsByTakingTheKingOnEitherBoardOrByMate) {
    const auto setUp = [&] {
        window.answers = {MessageAnswer::yes};
        game->初期設定();
        window.messages.clear();
        emptyBoards();
        put(L, 5, 9, manKing);
        put(R, 5, 9, manKing);
        put(R, 9, 1, comKing);
    };
    // On the board played.
    setUp();
    put(L, 5, 1, comKing);
    put(L, 5, 5, manRook);
    game->menuChosen(MenuItem::SENTE);
    window.answers = {MessageAnswer::yes};
    move(L, 5, 5, 5, 1);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[1].text, "あなたの勝ちです");
    EXPECT_EQ(window.messages[2].text, "続けますか？");
    EXPECT_EQ(st().sideToMove, noSide);

    // Across: the rook moves on the right board onto the square of the left board's king.
    setUp();
    put(L, 5, 2, comKing);
    put(R, 5, 5, manRook);
    game->menuChosen(MenuItem::SENTE);
    window.answers = {MessageAnswer::yes};
    move(R, 5, 5, 5, 2);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[1].text, "あなたの勝ちです");

    // A drop never reaches across: a gold dropped where the other board's king stands takes
    // nothing, and the computer replies.
    setUp();
    put(L, 5, 2, comKing);
    st().right.manHand[5] = 1;
    recountHandTotals(st().right);
    game->menuChosen(MenuItem::SENTE);
    const std::size_t before = window.messages.size();
    click(R, 11, 7);
    click(R, 5, 2);
    EXPECT_EQ(st().right.manHand[5], 0);
    EXPECT_FALSE(shown("あなたの勝ちです", before));
    EXPECT_EQ(st().winner, noSide);
    EXPECT_EQ(st().moveNumber, 2);
    EXPECT_EQ(st().sideToMove, st().manSide);

    // By mate: a gold dropped in front of the computer's king, guarded by a pawn.
    setUp();
    put(L, 5, 1, comKing);
    put(L, 5, 3, manPawn);
    st().left.manHand[5] = 1;
    recountHandTotals(st().left);
    game->menuChosen(MenuItem::SENTE);
    window.answers = {MessageAnswer::no};
    click(L, 11, 7);
    click(L, 5, 2);
    EXPECT_EQ(st().left.board[5][2], manGold);
    EXPECT_EQ(st().left.board[5][1], comKing);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[1].text, "あなたの勝ちです");
    EXPECT_EQ(window.endRequests, 1);
}

TEST_F(PlayTest, PromptsAndRefusalsOfPlay) {
    // No game yet.
    click(L, 3, 7);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "「対局」で始めて下さい");
    EXPECT_EQ(window.messages[0].title, "開始");
    EXPECT_EQ(forbidden(), 1);
    EXPECT_EQ(st().left.selectionState, 0);

    // A record being stepped through: Yes keeps it, No starts over.
    st().kifuMode = flagYes;
    window.answers = {MessageAnswer::yes};
    click(L, 3, 7);
    EXPECT_EQ(window.messages.back().text, "棋譜を '進 'で進めて下さい");
    EXPECT_EQ(window.messages.back().title, "棋譜");
    EXPECT_EQ(window.messages.back().buttons, MessageButtons::yesNo);
    EXPECT_EQ(st().kifuMode, flagYes);
    EXPECT_EQ(forbidden(), 1);
    window.answers = {MessageAnswer::no};
    click(L, 3, 7);
    EXPECT_EQ(st().kifuMode, flagNo);
    EXPECT_EQ(forbidden(), 2);

    // A pawn, lance or knight that could never move again must be placed with the right button.
    emptyBoards();
    put(L, 5, 9, manKing);
    put(L, 5, 1, comKing);
    put(R, 5, 9, manKing);
    put(R, 5, 1, comKing);
    put(L, 1, 2, manPawn);
    put(L, 3, 4, manKnight);
    put(L, 7, 5, manSilver);
    put(L, 9, 9, manGold);
    game->menuChosen(MenuItem::START);
    window.messages.clear();
    move(L, 1, 2, 1, 1);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "マウスの右をクリックして下さい");
    EXPECT_EQ(window.messages[0].title, "成り");
    EXPECT_EQ(forbidden(), 3);
    EXPECT_EQ(st().left.board[1][2], manPawn);
    EXPECT_EQ(st().left.selectionState, 1);
    EXPECT_EQ(st().moveNumber, 0);
    click(L, 1, 1, rightButton);  // the pick was kept
    EXPECT_EQ(st().left.board[1][1], manPromotedPawn);
    EXPECT_EQ(moveText(L, false), "９一と");
    move(R, 5, 1, 4, 1);
    move(L, 3, 4, 2, 2);
    EXPECT_EQ(window.messages.back().title, "成り");
    click(L, 2, 2, rightButton);
    EXPECT_EQ(st().left.board[2][2], manPromotedKnight);
    move(R, 4, 1, 5, 1);
    // A silver may enter the zone unpromoted, and a gold is placed unchanged with either button.
    move(L, 7, 5, 7, 4);
    move(R, 5, 1, 4, 1);
    move(L, 7, 4, 7, 3);
    EXPECT_EQ(st().left.board[7][3], manSilver);
    move(R, 4, 1, 5, 1);
    move(L, 9, 9, 9, 8, rightButton);
    EXPECT_EQ(st().left.board[9][8], manGold);
    EXPECT_EQ(window.messages.size(), 2u);

    // A pick that waited while its piece was taken is forgotten: the next click starts afresh.
    click(R, 5, 1);
    click(L, 7, 3);  // the second player may not pick up the first player's silver
    EXPECT_EQ(st().left.selectionState, 0);
    move(R, 5, 1, 4, 1);
    click(L, 7, 3);
    EXPECT_EQ(st().left.selectionState, 1);
    st().left.board[7][3] = emptySquare;
    click(L, 7, 2);
    EXPECT_EQ(st().left.board[7][2], emptySquare);
    EXPECT_EQ(st().left.selectionState, 0);
    EXPECT_EQ(st().sideToMove, senteSide);
    // So is a pick of the player who has since moved elsewhere: the other player cannot use it.
    st().left.board[7][3] = manSilver;
    click(L, 7, 3);
    move(R, 5, 9, 5, 8);
    EXPECT_EQ(st().sideToMove, goteSide);
    click(L, 7, 2);
    EXPECT_EQ(st().left.board[7][2], emptySquare);
    EXPECT_EQ(st().left.board[7][3], manSilver);
    EXPECT_EQ(st().sideToMove, goteSide);

    // Between the boards nothing is picked up.
    const int moves = st().moveNumber;
    game->Form_MouseDown(leftButton, 0, cellX(leftBoardX, 13) + 200, cellY(5) + 240);
    EXPECT_EQ(st().left.selectionState + st().right.selectionState, 0);
    EXPECT_EQ(st().moveNumber, moves);

    // Against the computer, its hand is shown but nothing is picked from it.
    game->初期設定();
    st().left.comHand[1] = 1;
    recountHandTotals(st().left);
    game->menuChosen(MenuItem::SENTE);
    click(L, -1, 7);
    EXPECT_EQ(st().left.selectionState, 0);
    EXPECT_EQ(window.outlineAt(leftBoardX, -1, 7), game->screenOptions().guideColor);
    click(L, 5, 5);
    EXPECT_EQ(st().left.board[5][5], emptySquare);
    EXPECT_EQ(st().left.comHand[1], 1);
    EXPECT_EQ(st().moveNumber, 0);
}

TEST_F(PlayTest, ResumingAPositionAnnouncesWhoseTurnItIs) {
    // Two players: a resumed position says whose turn it is at the next click, and the click is
    // then used.
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    st().resumePending = flagYes;
    click(L, 3, 3);
    EXPECT_EQ(window.messages.back().text, "後手の番です");
    EXPECT_EQ(window.messages.back().title, "対局");
    EXPECT_EQ(st().resumePending, flagNo);
    EXPECT_EQ(st().left.selectionState, 1);
    // スタート in the middle of a game names the player to move.
    game->menuChosen(MenuItem::START);
    EXPECT_EQ(window.messages.back().text, "後手の番です");
    EXPECT_EQ(window.messages.back().title, " ");

    // 先手 in the middle of that game hands the top pieces to the computer, which moves at once.
    game->menuChosen(MenuItem::SENTE);
    EXPECT_EQ(st().gameMode, modeVsComputer);
    EXPECT_EQ(st().moveNumber, 2);
    EXPECT_EQ(st().sideToMove, st().manSide);

    // The computer to move after a step back: the click asks first, the computer moves, and the
    // click is then the human's first click.
    st().sideToMove = st().comSide;
    st().resumePending = flagYes;
    const std::size_t before = window.messages.size();
    click(L, 2, 8);
    ASSERT_EQ(window.messages.size(), before + 1);
    EXPECT_EQ(window.messages.back().text, "OKですか？");
    EXPECT_EQ(window.messages.back().title, "再開(COM)");
    EXPECT_EQ(st().moveNumber, 3);
    EXPECT_EQ(st().sideToMove, st().manSide);
    EXPECT_EQ(st().left.selectionState, 1);
    EXPECT_EQ(game->input().pickOf(leftBoardId).pickPiece, manBishop);

    // The human to move after a step back: announced once.
    st().resumePending = flagYes;
    click(L, 2, 8);
    EXPECT_EQ(window.messages.back().text, "MANの番です");
    EXPECT_EQ(window.messages.back().title, "対局");
    const std::size_t after = window.messages.size();
    click(L, 2, 8);
    EXPECT_EQ(window.messages.size(), after);

    // After a game with the human second, stepping back to the human's move and choosing 先手
    // makes the human the first player, to move, and the next click moves a human piece.
    game->初期設定();
    game->menuChosen(MenuItem::GOTE);
    move(L, 7, 7, 7, 6);
    ASSERT_EQ(st().moveNumber, 3);
    game->menuChosen(MenuItem::REPLAY);
    game->menuChosen(MenuItem::REPLAY);
    ASSERT_EQ(game->record().recordIndex, 1);
    game->menuChosen(MenuItem::SENTE);
    EXPECT_EQ(st().manSide, senteSide);
    EXPECT_EQ(st().sideToMove, senteSide);
    EXPECT_EQ(window.messages.back().text, "MANの番です");
    move(L, 7, 7, 7, 6);
    EXPECT_EQ(st().left.board[7][6], manPawn);
    EXPECT_EQ(st().moveNumber, 3);
    EXPECT_EQ(st().sideToMove, st().manSide);

    // 後手 with the human to move only says so.
    game->menuChosen(MenuItem::GOTE);
    EXPECT_EQ(window.messages.back().text, "MANの番です");
    EXPECT_EQ(window.messages.back().title, "対局");
    EXPECT_EQ(st().moveNumber, 3);
}

TEST_F(PlayTest, HandicapLadderBothWaysOnBothBoards) {
    Table start{};
    setInitialPosition(start);
    const auto handicapShown = [&] {
        const DrawCall* c = window.textAt(cellX(leftBoardX, 11.5) + 120, cellY(1) + 160);
        return c ? c->text : std::string();
    };
    const auto pieces = [&](const Table& t, bool computer) {
        int n = 0;
        for (int f = 1; f <= 9; ++f)
            for (int r = 1; r <= 9; ++r) n += computer ? isComPiece(t[f][r]) : isManPiece(t[f][r]);
        return n;
    };

    game->menuChosen(MenuItem::LBEL_UP);
    EXPECT_EQ(handicapShown(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級");
    for (const std::int16_t id : {L, R}) {
        EXPECT_EQ(board(id).board[8][2], emptySquare);
        EXPECT_EQ(window.pictureAt(boardOriginX(id), 8, 2), emptySquare);
    }
    // The game starts from the handicap position, also when stepped back to its start.
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    game->menuChosen(MenuItem::REPLAY);
    EXPECT_EQ(game->record().recordIndex, 0);
    EXPECT_EQ(st().right.board[8][2], emptySquare);
    EXPECT_EQ(st().left.board[3][7], manPawn);
    game->初期設定();
    window.messages.clear();
    game->menuChosen(MenuItem::LBEL_UP);
    game->menuChosen(MenuItem::LEBEL_DOWN);
    EXPECT_EQ(handicapShown(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
    EXPECT_EQ(st().left.board, start);
    EXPECT_EQ(window.pictureAt(rightBoardX, 8, 2), comBishop);
    game->menuChosen(MenuItem::LEBEL_DOWN);
    EXPECT_EQ(handicapShown(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級");
    EXPECT_EQ(st().right.board[2][8], emptySquare);

    // Up to 12級: the computer keeps its king and pawns.
    for (int i = 0; i < 11; ++i) game->menuChosen(MenuItem::LBEL_UP);
    EXPECT_EQ(st().handicapLevel, 10);
    EXPECT_EQ(handicapShown(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級");
    EXPECT_EQ(pieces(st().left.board, true), 10);
    EXPECT_EQ(pieces(st().right.board, true), 10);
    EXPECT_EQ(pieces(st().right.board, false), 20);
    EXPECT_EQ(st().left.board[5][1], comKing);
    // One more changes nothing and makes no sound.
    const int sounds = pieceSounds();
    game->menuChosen(MenuItem::LBEL_UP);
    EXPECT_EQ(st().handicapLevel, 10);
    EXPECT_EQ(pieceSounds(), sounds);

    // Down to 名人, every grade on the way; the human keeps king and pawns.
    for (int level = 9; level >= -10; --level) {
        game->menuChosen(MenuItem::LEBEL_DOWN);
        EXPECT_EQ(handicapShown(), handicapText(level)) << level;
    }
    EXPECT_EQ(handicapShown(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人");
    EXPECT_EQ(pieces(st().left.board, true), 20);
    EXPECT_EQ(pieces(st().left.board, false), 10);
    EXPECT_EQ(st().right.board, st().left.board);
    game->menuChosen(MenuItem::LEBEL_DOWN);
    EXPECT_EQ(st().handicapLevel, -10);
    // And back to the even game: every piece in place on both boards and on the screen.
    for (int i = 0; i < 10; ++i) game->menuChosen(MenuItem::LBEL_UP);
    EXPECT_EQ(st().left.board, start);
    EXPECT_EQ(st().right.board, start);
    for (const int origin : {leftBoardX, rightBoardX})
        for (int f = 1; f <= 9; ++f)
            for (int r = 1; r <= 9; ++r)
                EXPECT_EQ(window.pictureAt(origin, f, r), start[f][r]) << f << "," << r;
    EXPECT_EQ(st().handicapSet, flagYes);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(forbidden(), 0);

    // The three refusals.
    const auto refused = [&](const char* line) {
        ASSERT_FALSE(window.messages.empty());
        EXPECT_EQ(window.messages.back().text, std::string(line) + "\r\r局面→最初にして下さい");
        EXPECT_EQ(window.messages.back().title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    };
    st().kifuMode = flagYes;
    game->menuChosen(MenuItem::LBEL_UP);
    refused("棋譜ﾓｰﾄﾞではできません");
    st().kifuMode = flagNo;
    st().boardsReversed = flagYes;
    game->menuChosen(MenuItem::LEBEL_DOWN);
    refused("反転後ではできません");
    st().boardsReversed = flagNo;
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    game->menuChosen(MenuItem::LBEL_UP);
    refused("対局途中ではできません");
    EXPECT_EQ(forbidden(), 3);
    EXPECT_EQ(st().handicapLevel, 0);
    EXPECT_EQ(st().left.board[8][2], comBishop);
}

// The human's moves on both boards, the best capture first (a king above all); among equals a
// fixed pseudo-random choice, so the games are the same on every run.
struct HumanPlayer {
    struct Choice {
        std::int16_t boardId;
        int fromFile, fromRank, toFile, toRank;
    };
    unsigned seed = 12345;

    static int value(Code c) { return c == comKing ? 100000 : isComPiece(c) ? c : 0; }

    Choice choose(const GameState& g) {
        std::vector<Choice> best;
        int bestScore = -1;
        for (const std::int16_t id : {L, R}) {
            BoardState b = g.board(id);
            調査_2歩フラグ設定(b);
            const BoardState& other = g.other(g.board(id));
            const auto consider = [&](int ff, int fr, int tf, int tr, Code piece) {
                if (移動チェック(b, ff, fr, tf, tr, piece) == flagNo) return;
                int score = value(b.board[tf][tr]);
                if (ff != manHandColumn) score += value(other.board[tf][tr]);
                if (score > bestScore) best.clear();
                if (score >= bestScore) {
                    bestScore = score;
                    best.push_back({id, ff, fr, tf, tr});
                }
            };
            for (int tf = 1; tf <= 9; ++tf)
                for (int tr = 1; tr <= 9; ++tr) {
                    for (int f = 1; f <= 9; ++f)
                        for (int r = 1; r <= 9; ++r)
                            if (isManPiece(b.board[f][r])) consider(f, r, tf, tr, b.board[f][r]);
                    for (int k = 1; k <= handKinds; ++k)
                        if (b.manHand[k] > 0)
                            consider(manHandColumn, k + 2, tf, tr, static_cast<Code>(-kindCode[k]));
                }
        }
        seed = seed * 1103515245u + 12345u;
        return best.at((seed >> 8) % best.size());
    }
};

TEST_F(PlayTest, AGameToItsEndAtEachLevelKeepsOneSnapshotPerMove) {
    int checks = 0;  // over all three games, so that the announcement is seen at least once
    for (const int level : {1, 2, 3}) {
        SCOPED_TRACE(level);
        // A fresh window and game for each level.
        window.endRequests = 0;
        window.calls.clear();
        window.messages.clear();
        SetUp();
        sound.calls.clear();
        game->menuChosen(level == 1   ? MenuItem::LEVEL1
                         : level == 2 ? MenuItem::LEVEL2
                                      : MenuItem::LEVEL3);
        EXPECT_EQ(st().comLevel, level);
        // The human moves second at level 2.
        game->menuChosen(level == 2 ? MenuItem::GOTE : MenuItem::SENTE);
        HumanPlayer human;
        window.answers = {MessageAnswer::no};
        for (int turn = 0; turn < 300 && window.endRequests == 0; ++turn) {
            ASSERT_EQ(st().sideToMove, st().manSide);
            const int movesBefore = st().moveNumber;
            const std::size_t messagesBefore = window.messages.size();
            const HumanPlayer::Choice c = human.choose(st());
            click(c.boardId, c.fromFile, c.fromRank);
            click(c.boardId, c.toFile, c.toRank, rightButton);
            if (window.endRequests != 0) break;
            ASSERT_EQ(st().moveNumber, movesBefore + 2);
            ASSERT_EQ(game->record().recordIndex, st().moveNumber);
            // The computer's move is written above its board, and a check of the human's king on
            // that board is announced.
            std::int16_t boardId = 0, file = 0, rank = 0;
            Code code = 0;
            調査_移動結果(game->record(), st().moveNumber, boardId, code, file, rank);
            ASSERT_NE(boardId, 0);
            EXPECT_EQ(moveText(boardId, true), expectedText(file, rank, code));
            BoardState b = st().board(boardId);
            勢力調査(b);
            const bool inCheck = b.influence.comInfluence[b.manKingFile][b.manKingRank] > 0;
            const bool announced =
                shown("   ** 王手 **", messagesBefore) || shown("よし！!", messagesBefore);
            EXPECT_EQ(announced, inCheck) << "move " << st().moveNumber;
            checks += inCheck;
        }
        ASSERT_EQ(window.endRequests, 1) << "no king was taken";
        const std::vector<std::string> texts = messageTexts();
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts.back(), "続けますか？");
        const std::string& result = texts[texts.size() - 2];
        EXPECT_TRUE(result == "あなたの勝ちです" || result == "ｺﾝﾋﾟｭｰﾀの勝ちです") << result;
        EXPECT_NE(st().winner, noSide);

        // One snapshot per move (each move played the piece sound once), each different from the
        // one before, the last one the position the game ended in.
        const int n = game->record().recordIndex;
        EXPECT_EQ(n, pieceSounds());
        EXPECT_EQ(game->record().lastRecordIndex, n);
        for (int i = 1; i <= n; ++i)
            EXPECT_TRUE(
                game->record().leftBoardHistory[i] != game->record().leftBoardHistory[i - 1] ||
                game->record().rightBoardHistory[i] != game->record().rightBoardHistory[i - 1])
                << i;
        EXPECT_EQ(game->record().leftBoardHistory[n], st().left.board);
        EXPECT_EQ(game->record().rightBoardHistory[n], st().right.board);
        EXPECT_EQ(game->record().comHandLeftHistory[n], st().left.comHand);
    }
    EXPECT_GT(checks, 0);
}

}  // namespace
}  // namespace nobakuza

namespace nobakuza {
namespace {

// Levels 4 and 5 and the hint: the tree search runs while the window waits on it, a turn ends
// as at the other levels, and Escape in the middle of the search ends the program with nothing
// played.
TEST_F(PlayTest, TheSearchingLevelsAndTheHint) {
    for (const MenuItem chosen : {MenuItem::LEVEL5, MenuItem::LEVEL4}) {
        game->menuChosen(chosen);
        EXPECT_EQ(st().comLevel, chosen == MenuItem::LEVEL5 ? 5 : 4);
        for (const MenuItem item : {MenuItem::LEVEL1, MenuItem::LEVEL2, MenuItem::LEVEL3,
                                    MenuItem::LEVEL4, MenuItem::LEVEL5})
            EXPECT_EQ(window.isChecked(item), item == chosen);
    }

    // The hint answers only on the human's turn of a game against the computer.
    game->menuChosen(MenuItem::HINT);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "COM対局中だけ使えます");
    EXPECT_EQ(window.messages[0].title, "ヒント");
    EXPECT_EQ(forbidden(), 1);
    game->menuChosen(MenuItem::SENTE);
    EXPECT_EQ(text(0, 0), "4");
    // Where the human's rook can take the computer's king, the hint is to take it.
    emptyBoards();
    for (const std::int16_t id : {L, R}) {
        put(id, 5, 9, manKing);
        put(id, 5, 1, comKing);
    }
    put(R, 9, 9, manRook);
    put(R, 9, 1, emptySquare);
    put(R, 5, 1, emptySquare);
    put(R, 9, 2, comKing);
    std::size_t from = window.calls.size();
    game->menuChosen(MenuItem::HINT);
    EXPECT_EQ(window.outlineAt(rightBoardX, 9, 9), colorHint);
    EXPECT_EQ(window.outlineAt(rightBoardX, 9, 2), colorHint);
    game->menuChosen(MenuItem::CANCEL);
    game->menuChosen(MenuItem::SENTE);
    const int soundsAtStart = pieceSounds();

    // A first exchange, so that the position is no longer the same from both sides.
    std::vector<Move> legal;
    listLegalMoves(st(), false, legal);
    ASSERT_GT(legal.size(), 5u);
    click(legal[5].boardId, legal[5].fromFile, legal[5].fromRank);
    click(legal[5].boardId, legal[5].toFile, legal[5].toRank);
    ASSERT_EQ(st().moveNumber, 2);

    // The hint outlines a legal move of the human's and writes it under its board; nothing moves.
    const GameState before = st();
    from = window.calls.size();
    const int waitsBefore = window.waits;
    game->menuChosen(MenuItem::HINT);
    EXPECT_GT(window.waits, waitsBefore);
    std::vector<std::pair<std::int16_t, std::pair<int, int>>> outlined;
    for (std::size_t i = from; i < window.calls.size(); ++i) {
        const DrawCall& c = window.calls[i];
        if (c.kind != DrawCall::Kind::outline || c.colour != colorHint) continue;
        const std::int16_t id = c.x >= rightBoardX ? R : L;
        outlined.push_back({id,
                            {static_cast<int>((c.x - boardOriginX(id)) / squareWidth),
                             static_cast<int>((c.y - boardTop) / squareHeight)}});
    }
    ASSERT_EQ(outlined.size(), 2u);
    ASSERT_EQ(outlined[0].first, outlined[1].first);
    const auto [hf, hr] = outlined[0].second;
    const auto [tf, tr] = outlined[1].second;
    BoardState& hinted = board(outlined[0].first);
    const Code piece = hinted.board[hf][hr];
    EXPECT_TRUE(isManPiece(piece));
    EXPECT_EQ(移動チェック(hinted, hf, hr, tf, tr, piece), flagYes);
    const std::string shownMove = moveText(outlined[0].first, false);
    EXPECT_TRUE(shownMove == expectedText(tf, tr, piece) ||
                shownMove == expectedText(tf, tr, static_cast<Code>(piece - 1)))
        << shownMove;
    EXPECT_EQ(st().left.board, before.left.board);
    EXPECT_EQ(st().right.board, before.right.board);
    EXPECT_EQ(st().moveNumber, 2);
    EXPECT_EQ(st().sideToMove, st().manSide);

    // Playing it: the level-4 computer answers as the other levels do, with its move text, the
    // half-second pause and the piece sound.
    const std::size_t pausesBefore = window.pauses.size();
    from = window.calls.size();
    click(outlined[0].first, hf, hr);
    click(outlined[0].first, tf, tr, rightButton);
    ASSERT_EQ(st().moveNumber, 4);
    EXPECT_EQ(st().sideToMove, st().manSide);
    std::int16_t boardId = 0, file = 0, rank = 0;
    Code code = 0;
    調査_移動結果(game->record(), 4, boardId, code, file, rank);
    ASSERT_NE(boardId, 0);
    EXPECT_TRUE(isComPiece(code));
    EXPECT_EQ(moveText(boardId, true), expectedText(file, rank, code));
    EXPECT_DOUBLE_EQ(window.pauses.back(), 0.5);
    EXPECT_GT(window.pauses.size(), pausesBefore);
    EXPECT_EQ(pieceSounds(), soundsAtStart + 4);
    bool thinking = false;
    for (const DrawCall& c : window.textsSince(from)) thinking |= c.text == "思考中";
    EXPECT_TRUE(thinking);
    EXPECT_EQ(window.statusLine.find("思考中"), std::string::npos) << "still thinking once moved";

    // On the computer's turn the hint is refused.
    st().sideToMove = st().comSide;
    game->menuChosen(MenuItem::HINT);
    EXPECT_EQ(window.messages.back().text, "COMの番です");
    st().sideToMove = st().manSide;

    // Escape during the computer's search: the program ends and the computer plays nothing.
    window.endAskedAtWait = window.waits + 1;
    const int soundsBefore = pieceSounds();
    listLegalMoves(st(), false, legal);
    ASSERT_FALSE(legal.empty());
    const Move m = legal.front();
    click(m.boardId, m.fromFile, m.fromRank);
    click(m.boardId, m.toFile, m.toRank);
    EXPECT_EQ(window.endRequests, 1);
    EXPECT_TRUE(game->ended());
    EXPECT_EQ(st().moveNumber, 5);
    EXPECT_EQ(game->record().recordIndex, 5);
    EXPECT_EQ(pieceSounds(), soundsBefore + 1);
}

TEST_F(PlayTest, TheEvaluationIsSearchedBesideTheGameAndStopsWithIt) {
    EvaluationWatch& eval = game->evaluation();
    eval.setSearchDepth(3);
    // The second player's rook can take the first player's king on the right board.
    put(R, 5, 7, emptySquare);
    put(R, 5, 3, emptySquare);
    put(R, 5, 4, comRook);
    game->menuChosen(MenuItem::START);
    // Off unless chosen: a move searches nothing.
    move(L, 3, 7, 3, 6);
    EXPECT_FALSE(eval.searching());
    EXPECT_FALSE(window.isChecked(MenuItem::KEISEI));

    // Chosen: the position on the boards is searched beside the game; once the window hears of
    // the end, the bar's score and the status line show it. The king to be taken is a forced
    // win of the second player, against the first (the bottom side).
    game->menuChosen(MenuItem::KEISEI);
    EXPECT_TRUE(window.isChecked(MenuItem::KEISEI));
    ASSERT_TRUE(eval.searching());
    eval.waitForSearch();
    const std::size_t from = window.calls.size();
    game->backgroundWorkDone();
    EXPECT_FALSE(eval.searching());
    ASSERT_TRUE(eval.value());
    EXPECT_EQ(eval.value()->forcedWinBy, -1);
    EXPECT_NE(window.statusLine.find("形勢 -詰み"), std::string::npos) << window.statusLine;
    bool scoreDrawn = false;
    for (const DrawCall& c : window.textsSince(from)) scoreDrawn |= c.text == "-詰み";
    EXPECT_TRUE(scoreDrawn);

    // Moves go on while it searches; the end of the game leaves no search behind.
    move(L, 1, 3, 1, 4);
    EXPECT_TRUE(eval.searching());
    move(L, 1, 7, 1, 6);
    EXPECT_TRUE(eval.searching());
    window.answers = {MessageAnswer::yes};
    move(R, 5, 4, 5, 9);
    EXPECT_EQ(window.messages.back().text, "続けますか？");
    EXPECT_FALSE(eval.searching());
    EXPECT_FALSE(eval.value());

    // Against the computer at LEVEL4 its own search gives the value after its move.
    eval.setSearchDepth(0);
    game->menuChosen(MenuItem::LEVEL4);
    game->menuChosen(MenuItem::SENTE);
    move(L, 3, 7, 3, 6);
    ASSERT_EQ(st().moveNumber, 2);
    EXPECT_TRUE(eval.value());
    EXPECT_FALSE(eval.searching());

    // Escape while a search runs: the program ends at once and no thread is left.
    eval.setSearchDepth(10);
    game->menuChosen(MenuItem::CANCEL);
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    ASSERT_TRUE(eval.searching());
    game->Form_KeyPress(escapeKey);
    EXPECT_FALSE(eval.searching());
    EXPECT_EQ(window.endRequests, 1);
}

TEST_F(PlayTest, TheReviewMarksAMoveThatLosesAndEscapeStopsOnlyTheReview) {
    WindowReview& review = game->review();
    review.setSearchDepth(2);
    // The second player's rook can take the first player's king on the right board, unless the
    // first player covers it: leaving it open walks into a loss.
    put(R, 5, 7, emptySquare);
    put(R, 5, 3, emptySquare);
    put(R, 5, 4, comRook);
    game->record().rightBoardHistory[0] = st().right.board;  // the review reads the record
    game->menuChosen(MenuItem::START);
    move(L, 3, 7, 3, 6);
    move(L, 1, 3, 1, 4);
    // The evaluation bar's search gives way to the review, which has both cores, and resumes
    // after it.
    EvaluationWatch& eval = game->evaluation();
    eval.setSearchDepth(12);
    game->menuChosen(MenuItem::KEISEI);
    ASSERT_TRUE(eval.searching());
    game->menuChosen(MenuItem::KENTOU);
    ASSERT_TRUE(review.running());
    EXPECT_FALSE(eval.searching());
    EXPECT_NE(window.statusLine.find("検討中 "), std::string::npos) << window.statusLine;
    review.waitForReview();
    game->backgroundWorkDone();
    EXPECT_FALSE(review.running());
    EXPECT_TRUE(eval.searching());
    ASSERT_NE(review.result(), nullptr);
    EXPECT_TRUE(review.result()->complete);
    EXPECT_EQ(window.progress.back(), -1);
    ASSERT_EQ(window.moveList.size(), 2u);
    EXPECT_NE(window.moveList[0].find("悪手"), std::string::npos) << window.moveList[0];
    ASSERT_EQ(window.graph.size(), 2u);
    EXPECT_EQ(window.graph[0].mark, 2);
    EXPECT_EQ(window.graph[0].forcedWinBy, -1);
    EXPECT_EQ(window.graphCurrent, 2);

    // A click on the graph before the marked move shows that position, the move the search
    // preferred there outlined as the hint outlines its move.
    const std::size_t from = window.calls.size();
    game->graphClicked(0);
    EXPECT_EQ(game->record().recordIndex, 0);
    EXPECT_EQ(window.graphCurrent, 0);
    int outlines = 0;
    for (std::size_t i = from; i < window.calls.size(); ++i)
        outlines +=
            window.calls[i].kind == DrawCall::Kind::outline && window.calls[i].colour == colorHint;
    EXPECT_EQ(outlines, 2);

    // Escape while a review runs stops the review, not the program; closing the window stops
    // it too.
    review.setSearchDepth(12);
    game->menuChosen(MenuItem::KENTOU);
    ASSERT_TRUE(review.running());
    game->Form_KeyPress(escapeKey);
    EXPECT_FALSE(review.running());
    EXPECT_EQ(window.endRequests, 0);
    ASSERT_NE(review.result(), nullptr);
    EXPECT_FALSE(review.result()->complete);
    game->menuChosen(MenuItem::KENTOU);
    ASSERT_TRUE(review.running());
    game->Form_Unload();
    EXPECT_FALSE(review.running());
    EXPECT_EQ(window.endRequests, 1);
}

}  // namespace
}  // namespace nobakuza
