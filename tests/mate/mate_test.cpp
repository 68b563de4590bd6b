#include "mate/mate.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "board/move_execution.h"
#include "influence/influence_survey.h"

namespace nobakuza {
namespace {

struct Placed {
    int file;
    int rank;
    Code code;
};

// A hand-built position, with fresh two-pawn flags and a survey, as the game has them before it
// asks whether a king is mated.
BoardState position(std::initializer_list<Placed> pieces) {
    BoardState b;
    for (const auto& p : pieces) b.board[p.file][p.rank] = p.code;
    調査_2歩フラグ設定(b);
    勢力調査(b);
    return b;
}

void giveHuman(BoardState& b, int kind, int count) {
    b.manHand[kind] = static_cast<std::int16_t>(count);
    recountHandTotals(b);
}

void giveComputer(BoardState& b, int kind, int count) {
    b.comHand[kind] = static_cast<std::int16_t>(count);
    recountHandTotals(b);
}

// For positions used once.
std::int16_t manMated(BoardState b) {
    return 詰めかMAN(b);
}
std::int16_t comMated(BoardState b) {
    return 詰めかCOM(b);
}

TEST(Mate, KingNotInCheckIsNeverMated) {
    GameState g;
    setInitialPosition(g.left.board);
    勢力調査(g.left);
    EXPECT_EQ(詰めかMAN(g.left), flagNo);
    EXPECT_EQ(詰めかCOM(g.left), flagNo);

    // Boxed in by its own pieces, without a move, but not attacked.
    BoardState b = position(
        {{1, 9, manKing}, {1, 8, manPawn}, {2, 8, manGold}, {2, 9, manKnight}, {9, 1, comKing}});
    EXPECT_EQ(詰めかMAN(b), flagNo);
}

TEST(Mate, DefendedAdjacentCheckerWithEveryFlightCoveredIsMate) {
    BoardState b = position({{5, 9, manKing}, {5, 8, comGold}, {5, 7, comPawn}, {5, 1, comKing}});
    const BoardState before = b;
    EXPECT_EQ(調査_自王逃道(b), 0);
    EXPECT_EQ(詰めかMAN(b), flagYes);
    // The trial moves are undone and the tables left as they were.
    EXPECT_EQ(b.board, before.board);
    EXPECT_EQ(b.influence.comInfluence, before.influence.comInfluence);
    EXPECT_EQ(b.influence.comCheckMarks, before.influence.comCheckMarks);

    // Undefended, the checker is taken by the king.
    EXPECT_EQ(manMated(position({{5, 9, manKing}, {5, 8, comGold}, {5, 1, comKing}})), flagNo);
    // Another piece may take it: the heuristic then stops at the king being safe from capture.
    EXPECT_EQ(
        manMated(position(
            {{5, 9, manKing}, {5, 8, comGold}, {5, 7, comPawn}, {6, 9, manGold}, {5, 1, comKing}})),
        flagNo);

    // The same for the computer's king, which needs a trial survey for the capture.
    BoardState c = position({{5, 1, comKing}, {5, 2, manGold}, {5, 3, manPawn}, {5, 9, manKing}});
    EXPECT_EQ(詰めかCOM(c), flagYes);
    EXPECT_EQ(comMated(position({{5, 1, comKing},
                                 {5, 2, manGold},
                                 {5, 3, manPawn},
                                 {4, 1, comSilver},
                                 {5, 9, manKing}})),
              flagNo);
}

TEST(Mate, PawnInterpositionObeysTheTwoPawnRuleOnlyForAHandOfPawns) {
    // Rook check down file 1 with (1, 8) between; the gold covers the other flights.
    const auto checked = [](bool pawnOnFile) {
        BoardState b = position({{1, 9, manKing},
                                 {1, 7, comRook},
                                 {3, 8, comGold},
                                 {9, 1, comKing},
                                 {pawnOnFile ? 1 : 9, 5, manPawn}});
        return b;
    };
    BoardState free = checked(false);
    giveHuman(free, 1, 1);
    EXPECT_EQ(詰めかMAN(free), flagNo);  // the pawn drop on the still-empty square blocks
    EXPECT_EQ(free.board[1][8], emptySquare);

    BoardState twoPawns = checked(true);
    giveHuman(twoPawns, 1, 1);
    EXPECT_EQ(詰めかMAN(twoPawns), flagYes);  // the drop is illegal: no block
    EXPECT_EQ(twoPawns.board[1][8], emptySquare);

    // With a silver in hand only the pawn's shape is tried, not its legality.
    BoardState silver = checked(true);
    giveHuman(silver, 4, 1);
    EXPECT_EQ(詰めかMAN(silver), flagNo);

    // A board move onto the square between blocks as well.
    BoardState blocker = position(
        {{1, 9, manKing}, {1, 7, comRook}, {3, 8, comGold}, {2, 9, manSilver}, {9, 1, comKing}});
    EXPECT_EQ(詰めかMAN(blocker), flagNo);

    // The computer's side: its own hand, its own flags, its own drop column.
    const auto comChecked = [](bool pawnOnFile) {
        BoardState b = position({{9, 1, comKing},
                                 {9, 3, manRook},
                                 {7, 2, manGold},
                                 {1, 9, manKing},
                                 {pawnOnFile ? 9 : 1, 5, comPawn}});
        giveComputer(b, 1, 2);
        return b;
    };
    BoardState comFree = comChecked(false);
    EXPECT_EQ(詰めかCOM(comFree), flagNo);
    BoardState comTwoPawns = comChecked(true);
    EXPECT_EQ(詰めかCOM(comTwoPawns), flagYes);
    EXPECT_EQ(comTwoPawns.board[9][2], emptySquare);
    EXPECT_EQ(comTwoPawns.comHandTotal, 2);
}

TEST(Mate, APawnDroppedBetweenADistantSliderAndTheKingSavesIt) {
    // A computer rook three squares along the human's last rank, a gold covering the squares in
    // front of the king: no flight, and only a pawn dropped on (3, 9) or (4, 9) blocks the check.
    BoardState man = position({{5, 9, manKing}, {2, 9, comRook}, {5, 7, comGold}, {9, 1, comKing}});
    EXPECT_EQ(調査_自王逃道(man), 0);
    EXPECT_EQ(manMated(man), flagYes);
    giveHuman(man, pawnKind, 1);
    EXPECT_EQ(詰めかMAN(man), flagNo);

    // The same for the computer king on its own first rank.
    BoardState com = position({{5, 1, comKing}, {8, 1, manRook}, {5, 3, manGold}, {1, 9, manKing}});
    EXPECT_EQ(comMated(com), flagYes);
    giveComputer(com, pawnKind, 1);
    EXPECT_EQ(詰めかCOM(com), flagNo);
}

TEST(Mate, FlightAlongTheCheckingLineIsNoEscape) {
    // The rook's reach runs through the king onto (1, 9).
    BoardState b = position(
        {{1, 8, manKing}, {1, 5, comRook}, {3, 8, comGold}, {3, 6, comSilver}, {9, 1, comKing}});
    EXPECT_EQ(調査_自王逃道(b), 0);
    EXPECT_EQ(詰めかMAN(b), flagYes);

    // The escape survey counts empty unattacked neighbours only, never a computer piece.
    BoardState open = position({{5, 8, manKing}, {5, 5, comRook}, {9, 1, comKing}});
    EXPECT_EQ(調査_自王逃道(open), 6);
    EXPECT_EQ(open.escapeMark[5][9], 0);
    EXPECT_EQ(open.escapeMark[5][7], 0);
    EXPECT_EQ(open.escapeMark[4][7], 1);
    EXPECT_EQ(open.escapeMark[6][9], 1);
    BoardState pawn =
        position({{5, 8, manKing}, {5, 5, comRook}, {4, 7, comPawn}, {9, 1, comKing}});
    EXPECT_EQ(調査_自王逃道(pawn), 4);  // (4, 7) holds the pawn, (4, 8) is attacked by it
    EXPECT_EQ(pawn.escapeMark[4][7], 0);
    EXPECT_EQ(pawn.escapeMark[4][8], 0);
}

TEST(Mate, ChecksThatCannotBeInterposed) {
    // A knight check marks the king's own square, so pawns in hand are no help.
    BoardState knight = position({{5, 9, manKing},
                                  {4, 7, comKnight},
                                  {4, 8, manKnight},
                                  {5, 8, manKnight},
                                  {6, 8, manKnight},
                                  {4, 9, manLance},
                                  {6, 9, manLance},
                                  {9, 1, comKing}});
    giveHuman(knight, 1, 3);
    EXPECT_EQ(knight.influence.comCheckMarks[5][9], 9);
    EXPECT_EQ(詰めかMAN(knight), flagYes);

    // A king next to the other king leaves no mark; with pieces in hand the drop scan finds
    // nothing to block and answers 0.
    BoardState kings = position({{5, 9, manKing}, {5, 8, comKing}, {5, 6, comPawn}});
    giveHuman(kings, 1, 1);
    EXPECT_EQ(詰めかMAN(kings), flagNo);
}

TEST(Mate, ComputerDefencesAreTriedOnTheMarksOfThePositionUnderTest) {
    // The human rook checks along rank 1. The computer rook's block at (2, 1) opens the bishop's
    // diagonal and fails; its trial survey leaves only the bishop's marks behind. The gold's
    // capture of the checking rook must still be tried.
    BoardState b = position({{1, 1, comKing},
                             {5, 1, manRook},
                             {2, 2, comRook},
                             {4, 4, manBishop},
                             {1, 3, manPawn},
                             {5, 2, comGold},
                             {9, 9, manKing}});
    const Table board = b.board;
    EXPECT_EQ(詰めかCOM(b), flagNo);
    EXPECT_EQ(b.board, board);

    // Without the gold nothing defends.
    BoardState lost = position({{1, 1, comKing},
                                {5, 1, manRook},
                                {2, 2, comRook},
                                {4, 4, manBishop},
                                {1, 3, manPawn},
                                {9, 9, manKing}});
    EXPECT_EQ(詰めかCOM(lost), flagYes);
}

TEST(Mate, KingCaptureTest) {
    GameState g;
    g.right.board[5][9] = manKing;
    g.right.manKingFile = 5;
    g.right.manKingRank = 9;
    g.right.board[1][5] = comBishop;
    EXPECT_EQ(詰めかMAN_COM移動(g.right), flagYes);
    g.right.board[3][7] = manPawn;
    EXPECT_EQ(詰めかMAN_COM移動(g.right), flagNo);
    g.right.board[6][8] = comKing;
    EXPECT_EQ(詰めかMAN_COM移動(g.right), flagYes);
    EXPECT_EQ(詰めかMAN_COM移動(g.left), flagNo);
}

}  // namespace
}  // namespace nobakuza
