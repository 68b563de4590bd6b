#include "board/move_execution.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nobakuza {
namespace {

// Writes down every drawing call so that a test can compare what was painted, and in what order.
class RecordingPainter : public MovePainter {
  public:
    std::vector<std::string> calls;
    void 描画_絵(int x, Code code, int f, int r) override { add("picture", x, code, f, r); }
    void 描画_桝輪郭(int x, int colour, int f, int r) override { add("outline", x, colour, f, r); }
    void 描画_自持盤(const BoardState& b) override {
        calls.push_back("manHand " + std::to_string(b.boardId));
    }
    void 描画_敵持盤(const BoardState& b) override {
        calls.push_back("comHand " + std::to_string(b.boardId));
    }

  private:
    void add(const char* what, int x, int v, int f, int r) {
        calls.push_back(std::string(what) + " " + std::to_string(x) + " " + std::to_string(v) +
                        " " + std::to_string(f) + "," + std::to_string(r));
    }
};

int handSum(const Hand& h) {
    int s = 0;
    for (int k = 1; k <= handKinds; ++k) s += h[k];
    return s;
}

TEST(MoveExecution, BoardMoveCapturesOnBothBoardsAndPaintsInOrder) {
    GameState g;
    g.left.board[2][6] = comSilver;
    g.left.board[2][7] = manPawn;
    g.right.board[2][7] = manSilver;
    RecordingPainter painter;
    駒移動(g, g.left, 2, 6, 2, 7, comSilver, &painter);
    EXPECT_EQ(g.left.board[2][7], comSilver);
    EXPECT_EQ(g.left.board[2][6], emptySquare);
    EXPECT_EQ(g.right.board[2][7], emptySquare);
    EXPECT_EQ(g.left.comHand[1], 1);
    EXPECT_EQ(g.right.comHand[4], 1);
    EXPECT_EQ(g.left.comHandTotal, 1);
    EXPECT_EQ(g.right.comHandTotal, 1);
    EXPECT_EQ(handSum(g.left.comHand) + handSum(g.right.comHand), 2);
    EXPECT_EQ(g.left.manHandTotal + g.right.manHandTotal, 0);
    const std::vector<std::string> expected = {
        "comHand 1",  // this board's capture
        "comHand 2",  // the other board's capture and its emptied square
        "picture 8340 0 2,7",
        "outline 8340 2 2,7",
        "picture 1050 0 2,6",
        "outline 1050 2 2,6",  // the cell the piece left
        "picture 1050 100 2,7",
        "outline 1050 2 2,7",
        "outline 1050 2 2,7",
    };
    EXPECT_EQ(painter.calls, expected);

    // The human on the right board takes from the left board into the left board's hand,
    // unpromoted; a piece of the mover's own side there stays.
    g.right.board[5][8] = manPromotedRook;
    g.left.board[5][3] = comPromotedBishop;
    駒移動(g, g.right, 5, 8, 5, 3, manPromotedRook);
    EXPECT_EQ(g.left.board[5][3], emptySquare);
    EXPECT_EQ(g.left.manHand[6], 1);
    EXPECT_EQ(g.left.manHandTotal, 1);
    EXPECT_EQ(g.right.manHandTotal, 0);
    g.right.board[4][8] = manGold;
    g.left.board[4][7] = manSilver;
    駒移動(g, g.right, 4, 8, 4, 7, manGold);
    EXPECT_EQ(g.left.board[4][7], manSilver);
    EXPECT_EQ(g.left.comHandTotal, 1);
}

TEST(MoveExecution, DropsTakeFromTheHandAndNeverCaptureAcross) {
    GameState g;
    g.left.comHand[1] = 2;
    g.left.comHandTotal = 2;
    g.right.board[4][5] = manRook;
    RecordingPainter painter;
    駒移動(g, g.left, comHandColumn, 1, 4, 5, comPawn, &painter);
    EXPECT_EQ(g.left.board[4][5], comPawn);
    EXPECT_EQ(g.right.board[4][5], manRook);
    EXPECT_EQ(g.left.comHand[1], 1);
    EXPECT_EQ(g.left.comHandTotal, 1);
    EXPECT_EQ(g.right.comHandTotal, 0);
    const std::vector<std::string> expected = {
        "picture 1050 0 -1,1", "outline 1050 2 -1,1", "comHand 1",
        "picture 1050 10 4,5", "outline 1050 2 4,5",  "outline 1050 2 4,5",
    };
    EXPECT_EQ(painter.calls, expected);

    // The human's hand is addressed by row kind + 2.
    g.right.manHand[7] = 1;
    g.right.manHandTotal = 1;
    g.left.board[6][2] = comGold;
    駒移動(g, g.right, manHandColumn, 9, 6, 2, manRook);
    EXPECT_EQ(g.right.manHand[7], 0);
    EXPECT_EQ(g.right.manHandTotal, 0);
    EXPECT_EQ(g.left.board[6][2], comGold);

    // A drop row outside the hand takes nothing rather than writing past it.
    const Hand before = g.left.comHand;
    駒移動(g, g.left, comHandColumn, 0, 9, 5, comPawn);
    駒移動(g, g.left, comHandColumn, 8, 9, 6, comPawn);
    EXPECT_EQ(g.left.comHand, before);
    EXPECT_EQ(g.left.comHandTotal, 1);
}

TEST(MoveExecution, CapturesAndKingCaptures) {
    GameState g;
    const Code captured[] = {comPromotedPawn, comLance,     comPromotedKnight, comPromotedSilver,
                             comGold,         comGoldAlias, comPromotedBishop, comPromotedRook};
    for (Code c : captured) {
        駒取得(g, g.left, c);
        駒取得(g, g.right, static_cast<Code>(-c));
    }
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(g.left.manHand[k], k == 5 ? 2 : 1) << k;
        EXPECT_EQ(g.right.comHand[k], k == 5 ? 2 : 1) << k;
    }
    EXPECT_EQ(handSum(g.left.comHand) + handSum(g.right.manHand), 0);
    EXPECT_EQ(g.winner, noSide);

    // The human king's square follows it; taking a king raises the total without a piece.
    g = GameState{};
    g.manSide = goteSide;
    g.comSide = senteSide;
    g.left.board[5][9] = manKing;
    駒移動(g, g.left, 5, 9, 5, 8, manKing);
    EXPECT_EQ(g.left.manKingFile * 10 + g.left.manKingRank, 58);
    EXPECT_EQ(g.right.manKingRank, 0);
    g.left.board[5][7] = comGold;
    駒移動(g, g.left, 5, 7, 5, 8, comGold);
    EXPECT_EQ(g.winner, senteSide);
    EXPECT_EQ(g.left.comHandTotal, 1);
    EXPECT_EQ(handSum(g.left.comHand), 0);
    g.winner = noSide;
    g.right.board[5][1] = comKing;
    g.right.board[5][2] = manGold;
    駒移動(g, g.right, 5, 2, 5, 1, manGold);
    EXPECT_EQ(g.winner, goteSide);
    EXPECT_EQ(handSum(g.right.manHand), 0);
}

TEST(MoveExecution, PromotionTestAndTwoPawnFlags) {
    BoardState b;
    b.promotedPiece = 12345;
    EXPECT_EQ(調査_駒成(b, 5, 2, 5, 4, manSilver), flagYes);  // leaving the zone
    EXPECT_EQ(b.promotedPiece, manPromotedSilver);
    EXPECT_EQ(調査_駒成(b, 5, 5, 5, 4, manSilver), flagNo);
    EXPECT_EQ(調査_駒成(b, 5, 4, 5, 3, manPawn), flagYes);
    EXPECT_EQ(b.promotedPiece, manPromotedPawn);
    EXPECT_EQ(調査_駒成(b, 5, 2, 5, 4, manPawn), flagNo);  // only on arrival
    EXPECT_EQ(調査_駒成(b, 5, 3, 5, 2, manGold), flagNo);
    EXPECT_EQ(調査_駒成(b, 5, 3, 5, 2, manPromotedRook), flagNo);
    EXPECT_EQ(調査_駒成(b, manHandColumn, 3, 5, 2, manPawn), flagNo);
    EXPECT_EQ(調査_駒成(b, comHandColumn, 6, 5, 8, comBishop), flagNo);
    EXPECT_EQ(b.promotedPiece, manPromotedPawn);  // kept on flagNo
    EXPECT_EQ(調査_駒成(b, 4, 5, 3, 7, comKnight), flagYes);
    EXPECT_EQ(b.promotedPiece, comPromotedKnight);
    EXPECT_EQ(調査_駒成(b, 4, 4, 3, 6, comKnight), flagNo);
    EXPECT_EQ(調査_駒成(b, 2, 8, 8, 2, comBishop), flagYes);
    EXPECT_EQ(b.promotedPiece, comPromotedBishop);
    EXPECT_EQ(調査_駒成(b, 2, 5, 2, 1, comRook), flagNo);

    GameState g;
    g.left.board[3][4] = manPromotedPawn;
    g.left.board[5][7] = manPawn;
    g.left.board[5][3] = comPawn;
    g.left.board[7][2] = comPromotedPawn;
    g.left.manPawnFiles[9] = 1;  // stale, must be recomputed away
    g.right.board[1][1] = manPawn;
    調査_2歩フラグ設定(g.left);
    for (int f = 1; f <= 9; ++f) {
        EXPECT_EQ(g.left.manPawnFiles[f], f == 5 ? 1 : 0) << f;
        EXPECT_EQ(g.left.comPawnFiles[f], f == 5 ? 1 : 0) << f;
        EXPECT_EQ(g.right.manPawnFiles[f], 0) << f;
    }
}

}  // namespace
}  // namespace nobakuza
