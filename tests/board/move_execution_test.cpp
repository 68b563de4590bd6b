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
    void 描画_絵(int x, Code code, int file, int rank) override {
        calls.push_back("picture " + std::to_string(x) + " " + std::to_string(code) + " " +
                        std::to_string(file) + "," + std::to_string(rank));
    }
    void 描画_桝輪郭(int x, int colour, int file, int rank) override {
        calls.push_back("outline " + std::to_string(x) + " " + std::to_string(colour) + " " +
                        std::to_string(file) + "," + std::to_string(rank));
    }
    void 描画_自持盤(const BoardState& b) override {
        calls.push_back("manHand " + std::to_string(b.boardId));
    }
    void 描画_敵持盤(const BoardState& b) override {
        calls.push_back("comHand " + std::to_string(b.boardId));
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
    駒移動_左(g, 2, 6, 2, 7, comSilver, &painter);

    EXPECT_EQ(g.left.board[2][7], comSilver);
    EXPECT_EQ(g.left.board[2][6], emptySquare);
    EXPECT_EQ(g.right.board[2][7], emptySquare);
    EXPECT_EQ(g.left.comHand[1], 1);
    EXPECT_EQ(g.right.comHand[4], 1);
    EXPECT_EQ(g.left.comHandTotal, 1);
    EXPECT_EQ(g.right.comHandTotal, 1);
    EXPECT_EQ(handSum(g.left.comHand), 1);
    EXPECT_EQ(handSum(g.right.comHand), 1);
    EXPECT_EQ(g.left.manHandTotal + g.right.manHandTotal, 0);
    EXPECT_EQ(g.winner, noSide);

    const std::vector<std::string> expected = {
        "comHand 1",           // this board's capture
        "comHand 2",           // the other board's capture ...
        "picture 8340 0 2,7",  // ... and its emptied square
        "outline 8340 2 2,7",
        "picture 1050 0 2,6",  // the cell the piece left
        "outline 1050 2 2,6",
        "picture 1050 100 2,7",  // the piece on its new square, outlined twice
        "outline 1050 2 2,7",
        "outline 1050 2 2,7",
    };
    EXPECT_EQ(painter.calls, expected);
}

TEST(MoveExecution, OwnSidePieceOnTheOtherBoardIsLeftAlone) {
    GameState g;
    g.left.board[2][6] = comSilver;
    g.left.board[2][7] = manPawn;
    g.right.board[2][7] = comGold;
    駒移動_左(g, 2, 6, 2, 7, comSilver);
    EXPECT_EQ(g.right.board[2][7], comGold);
    EXPECT_EQ(g.right.comHandTotal, 0);
    EXPECT_EQ(g.right.manHandTotal, 0);
    EXPECT_EQ(g.left.comHand[1], 1);

    // The human moving on the right board takes a computer piece of the left board the same way,
    // into the human's hand of the left board; its own piece on the left board would stay.
    g.right.board[5][8] = manPromotedRook;
    g.left.board[5][3] = comPromotedBishop;
    g.right.board[4][8] = manGold;
    g.left.board[4][7] = manSilver;
    駒移動_右(g, 5, 8, 5, 3, manPromotedRook);
    EXPECT_EQ(g.left.board[5][3], emptySquare);
    EXPECT_EQ(g.left.manHand[6], 1);  // unpromoted bishop
    EXPECT_EQ(g.left.manHandTotal, 1);
    EXPECT_EQ(g.right.manHandTotal, 0);
    駒移動_右(g, 4, 8, 4, 7, manGold);
    EXPECT_EQ(g.left.board[4][7], manSilver);
    EXPECT_EQ(g.left.manHandTotal, 1);
}

TEST(MoveExecution, DropsTakeFromTheHandAndNeverCaptureAcross) {
    GameState g;
    g.left.comHand[1] = 2;
    g.left.comHandTotal = 2;
    g.right.board[4][5] = manRook;
    RecordingPainter painter;
    駒移動_左(g, comHandColumn, 1, 4, 5, comPawn, &painter);
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
    駒移動_右(g, manHandColumn, 9, 6, 2, manRook);
    EXPECT_EQ(g.right.board[6][2], manRook);
    EXPECT_EQ(g.right.manHand[7], 0);
    EXPECT_EQ(g.right.manHandTotal, 0);
    EXPECT_EQ(g.left.board[6][2], comGold);

    // A drop row outside the hand takes nothing rather than writing past it.
    const Hand before = g.left.comHand;
    駒移動_左(g, comHandColumn, 0, 9, 5, comPawn);
    駒移動_左(g, comHandColumn, 8, 9, 6, comPawn);
    EXPECT_EQ(g.left.comHand, before);
    EXPECT_EQ(g.left.comHandTotal, 1);
}

TEST(MoveExecution, KingCapturesDecideTheGameAndTheHumanKingIsTracked) {
    GameState g;
    g.manSide = goteSide;
    g.comSide = senteSide;
    g.left.board[5][9] = manKing;
    駒移動_左(g, 5, 9, 5, 8, manKing);
    EXPECT_EQ(g.left.manKingFile, 5);
    EXPECT_EQ(g.left.manKingRank, 8);
    EXPECT_EQ(g.right.manKingRank, 0);

    g.left.board[5][7] = comGold;
    駒移動_左(g, 5, 7, 5, 8, comGold);
    EXPECT_EQ(g.winner, senteSide);
    EXPECT_EQ(g.left.comHandTotal, 1);  // raised for the king, without a piece
    EXPECT_EQ(handSum(g.left.comHand), 0);

    GameState h;
    h.manSide = senteSide;
    h.comSide = goteSide;
    h.right.board[5][1] = comKing;
    h.right.board[5][2] = manGold;
    駒移動_右(h, 5, 2, 5, 1, manGold);
    EXPECT_EQ(h.winner, senteSide);
    EXPECT_EQ(h.right.manHandTotal, 1);
    EXPECT_EQ(handSum(h.right.manHand), 0);
}

TEST(MoveExecution, CaptureAddsTheUnpromotedKind) {
    GameState g;
    const std::pair<Code, int> cases[] = {
        {comPromotedPawn, 1}, {comLance, 2},     {comPromotedKnight, 3}, {comPromotedSilver, 4},
        {comGold, 5},         {comGoldAlias, 5}, {comPromotedBishop, 6}, {comPromotedRook, 7},
    };
    for (const auto& [code, kind] : cases) {
        駒取得_左(g, code);
        駒取得_右(g, static_cast<Code>(-code));
    }
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(g.left.manHand[k], k == 5 ? 2 : 1) << k;
        EXPECT_EQ(g.right.comHand[k], k == 5 ? 2 : 1) << k;
    }
    EXPECT_EQ(handSum(g.left.comHand) + handSum(g.right.manHand), 0);
    駒取得_左(g, emptySquare);
    EXPECT_EQ(handSum(g.left.manHand) + handSum(g.left.comHand), 8);
    EXPECT_EQ(g.winner, noSide);
}

TEST(MoveExecution, PromotionTest) {
    BoardState b;
    b.promotedPiece = 12345;
    EXPECT_EQ(調査_駒成(b, 5, 2, 5, 4, manSilver), flagYes);  // leaving the zone
    EXPECT_EQ(b.promotedPiece, manPromotedSilver);
    EXPECT_EQ(調査_駒成(b, 5, 5, 5, 4, manSilver), flagNo);
    EXPECT_EQ(調査_駒成(b, 5, 4, 5, 3, manPawn), flagYes);
    EXPECT_EQ(b.promotedPiece, manPromotedPawn);
    EXPECT_EQ(調査_駒成(b, 5, 2, 5, 4, manPawn), flagNo);  // pawns only promote on arrival
    EXPECT_EQ(調査_駒成(b, 5, 3, 5, 2, manGold), flagNo);
    EXPECT_EQ(調査_駒成(b, 5, 3, 5, 2, manPromotedRook), flagNo);
    EXPECT_EQ(調査_駒成(b, 5, 2, 5, 1, manKing), flagNo);
    EXPECT_EQ(b.promotedPiece, manPromotedPawn);  // kept on flagNo
    EXPECT_EQ(調査_駒成(b, manHandColumn, 3, 5, 2, manPawn), flagNo);
    EXPECT_EQ(調査_駒成(b, comHandColumn, 6, 5, 8, comBishop), flagNo);

    EXPECT_EQ(調査_駒成(b, 4, 5, 3, 7, comKnight), flagYes);
    EXPECT_EQ(b.promotedPiece, comPromotedKnight);
    EXPECT_EQ(調査_駒成(b, 4, 4, 3, 6, comKnight), flagNo);
    EXPECT_EQ(調査_駒成(b, 2, 8, 8, 2, comBishop), flagYes);
    EXPECT_EQ(b.promotedPiece, comPromotedBishop);
    EXPECT_EQ(調査_駒成(b, 2, 5, 2, 1, comRook), flagNo);
    EXPECT_EQ(調査_駒成(b, 2, 8, 2, 1, manRook), flagYes);
    EXPECT_EQ(b.promotedPiece, manPromotedRook);

    GameState g;
    EXPECT_EQ(調査_駒成_右(g, 1, 6, 1, 7, comPawn), flagYes);
    EXPECT_EQ(g.right.promotedPiece, comPromotedPawn);
    EXPECT_EQ(g.left.promotedPiece, 0);
}

TEST(MoveExecution, TwoPawnFlagsCountUnpromotedPawnsOnly) {
    GameState g;
    g.left.board[3][4] = manPromotedPawn;
    g.left.board[5][7] = manPawn;
    g.left.board[5][3] = comPawn;
    g.left.board[7][2] = comPromotedPawn;
    g.left.manPawnFiles[9] = 1;  // stale flag, must be recomputed away
    g.right.board[1][1] = manPawn;
    調査_2歩フラグ設定_左(g);
    for (int f = 1; f <= 9; ++f) {
        EXPECT_EQ(g.left.manPawnFiles[f], f == 5 ? 1 : 0) << f;
        EXPECT_EQ(g.left.comPawnFiles[f], f == 5 ? 1 : 0) << f;
        EXPECT_EQ(g.right.manPawnFiles[f], 0) << f;
    }
}

}  // namespace
}  // namespace nobakuza
