#include "ui/screen.h"

#include <gtest/gtest.h>

#include <string>

#include "board/move_legality.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"
#include "ui/texts.h"

namespace nobakuza {
namespace {

using testing::DrawCall;
using testing::FakeSoundApi;
using testing::ScriptedWindow;

struct ScreenTest : ::testing::Test {
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system = window.system(sound);
    GameState game;
    ScreenOptions options;
    Translator tr;
    Screen screen{system, game, options, tr};

    void expectShadowedText(double x, double y, const std::string& text, int colour, int size) {
        SCOPED_TRACE(text);
        const DrawCall* shadow = window.textAtCell(x + 0.1, y + 0.1);
        const DrawCall* shown = window.textAtCell(x, y);
        ASSERT_NE(shadow, nullptr);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shadow->text, text);
        EXPECT_EQ(shown->text, text);
        EXPECT_EQ(shadow->colour, colorBlack);
        EXPECT_EQ(shown->colour, colour);
        EXPECT_EQ(shown->size, size);
        // The shadow goes down first, so the text stands on it.
        EXPECT_LT(shadow, shown);
    }
};

TEST_F(ScreenTest, HandsShowPiecesAndCountsInRedOverABlackShadow) {
    game.left.manHand[1] = 3;    // pawns
    game.left.comHand[7] = 1;    // a rook
    game.right.manHand[5] = 12;  // golds
    screen.描画_自持盤(game.left);
    screen.描画_敵持盤(game.left);
    screen.描画_自持盤(game.right);

    EXPECT_EQ(window.pictureAt(leftBoardX, 11, 3), manPawn);
    EXPECT_EQ(window.pictureAt(leftBoardX, 12, 3), backgroundGreen);
    expectShadowedText(12, 3.2, "3", colorLightRed, 14);
    // An empty kind shows the empty square and no count.
    EXPECT_EQ(window.pictureAt(leftBoardX, 11, 4), emptySquare);
    EXPECT_EQ(window.textAtCell(12, 4.2), nullptr);
    // The computer's rook sits at the top of its column.
    EXPECT_EQ(window.pictureAt(leftBoardX, -1, 1), comRook);
    expectShadowedText(0, 1.2, "1", colorLightRed, 14);
    EXPECT_EQ(window.pictureAt(leftBoardX, -1, 7), emptySquare);
    // The first column of the board is outlined again after the tiles beside it.
    EXPECT_EQ(window.outlineAt(leftBoardX, 1, 7), squareFrameColor);
    // The right board's counts are 18 columns further.
    EXPECT_EQ(window.pictureAt(rightBoardX, 11, 7), manGold);
    expectShadowedText(30, 7.2, "12", colorLightRed, 14);
}

TEST_F(ScreenTest, MoveNumberIsRightAlignedByItsWidth) {
    struct Case {
        int n;
        double x;
    };
    for (const Case c : {Case{9, 13.2}, Case{10, 13.1}, Case{100, 13.0}, Case{0, 13.2}}) {
        window.clear();
        screen.描画_手数(c.n);
        expectShadowedText(c.x, 3.4, std::to_string(c.n), colorWhite, 12);
        const DrawCall* label = window.textAt(cellX(leftBoardX, 13.8) + 120, cellY(3.1) + 160);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, "手目");
        EXPECT_EQ(label->size, 10);
        EXPECT_EQ(window.textsSince(0).size(), 4u);
    }
}

TEST_F(ScreenTest, MoveTextReadsFileDigitRankNumeralAndPieceName) {
    game.manSide = senteSide;
    game.comSide = goteSide;
    screen.描画_移動結果(leftBoardId, game.manSide, 3, 6, manPawn, colorWhite);
    expectShadowedText(4.4, 11.2, "７", colorWhite, 12);
    expectShadowedText(5.2, 11.2, "六", colorWhite, 12);
    expectShadowedText(6.1, 11.2, "歩", colorWhite, 12);
    // The strip under both boards was wiped first.
    EXPECT_EQ(window.pictureAt(rightBoardX, 4, 11), backgroundGreen);

    // The computer's move goes above the board; promoted pieces show their promoted names.
    screen.描画_移動結果(rightBoardId, game.comSide, 9, 1, comPromotedLance, colorWhite);
    expectShadowedText(22.4, -0.7, "１", colorWhite, 12);
    expectShadowedText(23.2, -0.7, "一", colorWhite, 12);
    expectShadowedText(24.1, -0.7, "香成", colorWhite, 12);

    // A side that is neither player draws no text.
    const std::size_t before = window.calls.size();
    screen.描画_移動結果(leftBoardId, noSide, 3, 6, manPawn, colorWhite);
    EXPECT_TRUE(window.textsSince(before).empty());
    EXPECT_EQ(文字列変換(-11), "と");
    EXPECT_EQ(文字列変換(111), "");
}

TEST_F(ScreenTest, BlinkingRepaintsBeforeEveryPause) {
    screen.描画_駒点滅(rightBoardId, comSilver, 4, 2, 3);
    ASSERT_EQ(window.pauses.size(), 6u);
    for (std::size_t i = 0; i < window.pauses.size(); ++i) {
        EXPECT_DOUBLE_EQ(window.pauses[i], 0.2);
        const std::size_t end = window.callsBeforePause[i];
        ASSERT_GE(end, 3u);
        EXPECT_EQ(window.calls[end - 1].kind, DrawCall::Kind::refresh);
        EXPECT_EQ(window.calls[end - 2].kind, DrawCall::Kind::outline);
        const DrawCall& picture = window.calls[end - 3];
        EXPECT_EQ(picture.kind, DrawCall::Kind::picture);
        EXPECT_DOUBLE_EQ(picture.x, cellX(rightBoardX, 4));
        EXPECT_EQ(picture.code, i % 2 == 0 ? emptySquare : comSilver);
    }
    // It ends showing the piece.
    EXPECT_EQ(window.pictureAt(rightBoardX, 4, 2), comSilver);
}

TEST_F(ScreenTest, GuidanceOutlinesTheReachableSquaresOnlyWhileItIsOn) {
    setInitialPosition(game.left.board);
    auto knightMoves = [&](int f, int r) { return 移動チェック(game.left, 2, 9, f, r, manKnight); };

    options.moveGuidanceOn = flagYes;
    options.guideColor = colorWhite;
    screen.描画_将棋盤桝(rightBoardX);
    screen.描画_桝輪郭(rightBoardX, colorWhite, 5, 5);  // an outline left from before
    screen.描画_移動可能桝色(leftBoardId, options.guideColor, knightMoves);
    // The knight on (2, 9) reaches (1, 7) and (3, 7) only if they are free; pawns stand there,
    // so take one away and ask again.
    EXPECT_EQ(window.outlineAt(leftBoardX, 1, 7), squareFrameColor);
    game.left.board[3][7] = emptySquare;
    screen.描画_移動可能桝色(leftBoardId, options.guideColor, knightMoves);
    EXPECT_EQ(window.outlineAt(leftBoardX, 3, 7), colorWhite);
    EXPECT_EQ(window.outlineAt(leftBoardX, 1, 7), squareFrameColor);
    EXPECT_EQ(window.outlineAt(rightBoardX, 5, 5), squareFrameColor);

    // Off: every outline is wiped and none drawn.
    options.moveGuidanceOn = flagNo;
    screen.描画_移動可能桝色(leftBoardId, colorWhite, knightMoves);
    for (int f = 1; f <= 9; ++f)
        for (int r = 1; r <= 9; ++r) {
            EXPECT_EQ(window.outlineAt(leftBoardX, f, r), squareFrameColor);
            EXPECT_EQ(window.outlineAt(rightBoardX, f, r), squareFrameColor);
        }
}

TEST_F(ScreenTest, RefusalBoxesNameTheReasonAndTheWayOut) {
    for (int code : {1, 2, 3, 0}) screen.描画_メッセージ(code);
    ASSERT_EQ(window.messages.size(), 4u);
    EXPECT_EQ(window.messages[0].text, "棋譜ﾓｰﾄﾞではできません\r\r局面→最初にして下さい");
    EXPECT_EQ(window.messages[1].text, "対局途中ではできません\r\r局面→最初にして下さい");
    EXPECT_EQ(window.messages[2].text, "反転後ではできません\r\r局面→最初にして下さい");
    EXPECT_EQ(window.messages[3].text, "\r\r局面→最初にして下さい");
    for (const auto& m : window.messages) {
        EXPECT_EQ(m.title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
        EXPECT_EQ(m.buttons, MessageButtons::ok);
        EXPECT_FALSE(m.warningIcon);
    }
}

TEST_F(ScreenTest, NumbersLabelsAndPicturesIgnoreWhatTheyCannotShow) {
    // A kanji numeral outside 1..9 and an unknown grade print nothing; 0 in digits is "0".
    screen.描画_数値(1, 1, 10, colorWhite, 1, 10);
    screen.描画_文字列(1, 1, 11, colorWhite, 10);
    EXPECT_TRUE(window.textsSince(0).empty());
    screen.描画_数値(1, 1, 0, colorWhite, 0, 14);
    ASSERT_NE(window.textAtCell(1, 1), nullptr);
    EXPECT_EQ(window.textAtCell(1, 1)->text, "0");

    // The gold alias has no picture: the square keeps what it had, only its outline is drawn.
    window.clear();
    game.right.board[5][5] = comGoldAlias;
    screen.描画_盤(rightBoardId);
    EXPECT_EQ(window.pictureAt(rightBoardX, 5, 5), testing::noPicture);
    EXPECT_EQ(window.outlineAt(rightBoardX, 5, 5), squareFrameColor);
    // Unknown board ids draw nothing.
    window.clear();
    screen.描画_盤(3);
    screen.描画_桝_数値(0);
    EXPECT_TRUE(window.calls.empty());

    EXPECT_EQ(handicapText(-10), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人");
    EXPECT_EQ(handicapText(10), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級");
    EXPECT_EQ(変換_数字から文字(7), "07");
    EXPECT_EQ(変換_数字から文字(100), "");
}

TEST_F(ScreenTest, BackgroundMarksCheckExactlyTheChosenTile) {
    using enum MenuItem;
    screen.チェック設定(backgroundBamboo);
    EXPECT_TRUE(window.isChecked(TAKE));
    screen.チェック設定(backgroundBrick);
    EXPECT_FALSE(window.isChecked(TAKE));
    EXPECT_TRUE(window.isChecked(RENGA));
    screen.チェック設定(9);
    for (MenuItem item : {MIDORI, TATAMI, TAKE, UCHU, RENGA}) EXPECT_FALSE(window.isChecked(item));
}

TEST_F(ScreenTest, EvaluationBarSharesByALogisticOfTheScoreAndAForcedWinFillsIt) {
    struct Case {
        Evaluation e;
        double share;
        const char* text;
    };
    // Four hundredths round to nothing, which has no sign.
    const Case cases[] = {
        {{0, 0}, 0.5, "0.0"},        {{4, 0}, 0.50167, "0.0"},     {{320, 0}, 0.63026, "+3.2"},
        {{-55, 0}, 0.47710, "-0.6"}, {{600, 0}, 0.73106, "+6.0"},  {{-1234, 0}, 0.11338, "-12.3"},
        {{29990, 1}, 1.0, "+詰み"},  {{-29990, -1}, 0.0, "-詰み"},
    };
    const double top = cellY(evaluationBarTop);
    const double bottom = cellY(evaluationBarBottom);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(evaluationShare(c.e), c.share, 1e-5);
        EXPECT_EQ(evaluationText(c.e, "詰み"), c.text);

        // The human's share in white from the bottom, the computer's in black above it.
        window.clear();
        screen.drawEvaluationBar(c.e, "詰み");
        double white = bottom, black = top;
        bool score = false;
        for (const DrawCall& d : window.calls) {
            if (d.kind == DrawCall::Kind::fill && d.y2 == bottom && d.colour == colorWhite)
                white = d.y;
            if (d.kind == DrawCall::Kind::fill && d.y == top && d.colour == colorBlack)
                black = d.y2;
            score |= d.kind == DrawCall::Kind::text && d.text == c.text;
        }
        EXPECT_NEAR(bottom - white, (bottom - top) * c.share, 1.0);
        EXPECT_NEAR(black, white, 1.0);
        EXPECT_TRUE(score);
    }
    // No value yet: an even bar and no score.
    window.clear();
    screen.drawEvaluationBar(std::nullopt, "詰み");
    EXPECT_TRUE(window.textsSince(0).empty());
}

}  // namespace
}  // namespace nobakuza
