#include "influence/influence_survey.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "board/move_legality.h"
#include "influence/influence_determination.h"

namespace nobakuza {
namespace {

struct Piece {
    int file, rank;
    Code code;
};

// The four square tables a survey never resets start with this marker, so a test sees whether a
// reach wrote them.
constexpr std::int16_t untouched = 77;
constexpr int untouchedSquare = untouched * 11;

BoardState boardWith(std::initializer_list<Piece> pieces) {
    BoardState b;
    for (const Piece& p : pieces) b.board[p.file][p.rank] = p.code;
    InfluenceTables& in = b.influence;
    for (Table* t : {&in.comCheapestDefenderX, &in.comCheapestDefenderY, &in.comCheapestAttackerX,
                     &in.comCheapestAttackerY})
        for (int f = 1; f <= 9; ++f)
            for (int r = 1; r <= 9; ++r) (*t)[f][r] = untouched;
    return b;
}

BoardState surveyed(std::initializer_list<Piece> pieces) {
    BoardState b = boardWith(pieces);
    勢力調査(b);
    return b;
}

// A recorded square as file * 10 + rank.
int at(const Table& x, const Table& y, int f, int r) {
    return x[f][r] * 10 + y[f][r];
}
// Every square of t holding v, as file * 10 + rank, in scan order.
std::vector<int> squaresWith(const Table& t, int v) {
    std::vector<int> found;
    for (int f = 1; f <= 9; ++f)
        for (int r = 1; r <= 9; ++r)
            if (t[f][r] == v) found.push_back(f * 10 + r);
    return found;
}
using Squares = std::vector<int>;

int defenderAt(const BoardState& b, int f, int r) {
    return at(b.influence.comCheapestDefenderX, b.influence.comCheapestDefenderY, f, r);
}
int attackerAt(const BoardState& b, int f, int r) {
    return at(b.influence.comCheapestAttackerX, b.influence.comCheapestAttackerY, f, r);
}

TEST(InfluenceSurvey, EmptyBoardResetsTablesAndKeepsKingSquares) {
    BoardState b = boardWith({{5, 5, manRook}, {5, 1, comKing}, {5, 9, manKing}});
    勢力調査(b);
    b.board = Table{};
    勢力調査(b);
    const InfluenceTables& in = b.influence;
    for (int f = 0; f <= 9; ++f) {
        for (int r = 0; r <= 9; ++r) {
            const int square = f > 0 && r > 0;  // row and column 0 stay 0
            EXPECT_EQ(in.manInfluence[f][r] | in.comInfluence[f][r] | in.manAttackCount[f][r] |
                          in.manCheckMarks[f][r] | in.comCheckMarks[f][r],
                      0);
            EXPECT_EQ(in.manCheapestAttacker[f][r], square * -999) << f << "," << r;
            EXPECT_EQ(at(in.manCheapestAttackerX, in.manCheapestAttackerY, f, r), 0);
            EXPECT_EQ(in.manTopDefender[f][r], square * 999);
            EXPECT_EQ(in.comCheapestDefender[f][r], square * 999);
            EXPECT_EQ(in.comCheapestAttacker[f][r], square * 999);
            EXPECT_EQ(in.comCheapestDefenderX[f][r], square * untouched);
        }
    }
    EXPECT_EQ(b.manKingFile * 10 + b.manKingRank, 59);
    EXPECT_EQ(b.comKingFile * 10 + b.comKingRank, 51);
}

TEST(InfluenceSurvey, InitialPositionCountsAreMirrorImages) {
    GameState g;
    setInitialPosition(g.right.board);
    勢力調査(g.right);
    const InfluenceTables& in = g.right.influence;
    for (int f = 1; f <= 9; ++f) {
        for (int r = 1; r <= 9; ++r) {
            EXPECT_EQ(in.manInfluence[f][r], in.comInfluence[10 - f][10 - r]) << f << "," << r;
            const bool comHere = isComPiece(g.right.board[f][r]);
            EXPECT_EQ(in.manAttackCount[f][r], comHere ? in.manInfluence[f][r] : 0);
        }
    }
    EXPECT_EQ(in.manInfluence[1][7], 3);  // lance, knight and bishop
    EXPECT_EQ(in.manTopDefender[1][7], manBishop);
    EXPECT_EQ(g.right.manKingFile * 10 + g.right.manKingRank, 59);
    EXPECT_EQ(g.left.manKingFile, 0);  // the other board is left alone
    EXPECT_EQ(g.left.influence.manInfluence[1][7], 0);
}

TEST(InfluenceSurvey, HumanPiecesRecordCheapestAttackerAndTopDefender) {
    BoardState b = surveyed({{5, 5, comGold},
                             {5, 6, manPawn},
                             {4, 6, manSilver},
                             {6, 6, manKing},
                             {3, 6, manRook},
                             {3, 8, manPawn}});
    const InfluenceTables& in = b.influence;
    EXPECT_EQ(in.manAttackCount[5][5], 3);
    EXPECT_EQ(in.manCheapestAttacker[5][5], manPawn);
    EXPECT_EQ(at(in.manCheapestAttackerX, in.manCheapestAttackerY, 5, 5), 56);
    EXPECT_EQ(in.manTopDefender[5][6], manKing);
    EXPECT_EQ(in.manAttackCount[5][6], 0);
    // Rays stop after recording the first own piece.
    EXPECT_EQ(in.manTopDefender[4][6], manRook);
    EXPECT_EQ(in.manInfluence[5][6], 1);
    EXPECT_EQ(in.manTopDefender[3][8], manRook);
    EXPECT_EQ(in.manInfluence[3][9], 0);
    BoardState k = surveyed({{5, 5, comSilver}, {5, 6, manKing}});
    EXPECT_EQ(k.influence.manCheapestAttacker[5][5], manKing);
    // A horse's diagonals count as a bishop's, its orthogonal steps as a horse's.
    BoardState h = surveyed({{5, 5, manPromotedBishop},
                             {3, 3, comSilver},
                             {7, 3, comGold},
                             {3, 7, manPawn},
                             {7, 7, manSilver},
                             {5, 4, comPawn},
                             {6, 5, manLance}});
    EXPECT_EQ(h.influence.manCheapestAttacker[3][3], manBishop);
    EXPECT_EQ(h.influence.manCheapestAttacker[7][3], manBishop);
    EXPECT_EQ(h.influence.manTopDefender[3][7], manBishop);
    EXPECT_EQ(h.influence.manTopDefender[7][7], manBishop);
    EXPECT_EQ(h.influence.manCheapestAttacker[5][4], manPromotedBishop);
    EXPECT_EQ(h.influence.manTopDefender[6][5], manPromotedBishop);
}

TEST(InfluenceSurvey, ComputerKindsRecordOnlyTheirOwnOptions) {
    // Each piece reaches a computer pawn on (5, 5) and, where given, a human pawn.
    struct Case {
        Code code;
        int file, rank, humanFile, humanRank;
        Code defender;
        bool defenderSquare;
        Code attacker;
        bool attackerSquare;
    };
    const Case cases[] = {
        {comPromotedLance, 5, 4, 4, 5, comGold, false, 999, false},
        {comLance, 5, 3, 0, 0, comLance, true, 999, false},
        {comKnight, 4, 3, 3, 5, comKnight, true, 999, false},
        {comSilver, 5, 4, 4, 5, comSilver, true, 999, false},
        {comBishop, 3, 3, 1, 5, comBishop, true, comBishop, true},
        {comPromotedBishop, 5, 6, 4, 6, 999, false, 999, false},  // orthogonal steps
        {comRook, 5, 7, 5, 8, comRook, true, comRook, true},
        {comPromotedRook, 4, 4, 3, 5, comPromotedRook, true, comPromotedRook, true},
        {comKing, 4, 4, 3, 5, comKing, false, 999, false},
    };
    for (const Case& c : cases) {
        BoardState b = boardWith({{5, 5, comPawn}, {c.file, c.rank, c.code}});
        if (c.humanFile != 0) b.board[c.humanFile][c.humanRank] = manPawn;
        勢力調査(b);
        const int source = c.file * 10 + c.rank;
        EXPECT_EQ(b.influence.comInfluence[5][5], 1) << c.code;
        EXPECT_EQ(b.influence.comCheapestDefender[5][5], c.defender) << c.code;
        EXPECT_EQ(defenderAt(b, 5, 5), c.defenderSquare ? source : untouchedSquare) << c.code;
        if (c.humanFile == 0) continue;
        EXPECT_EQ(b.influence.comInfluence[c.humanFile][c.humanRank], 1) << c.code;
        EXPECT_EQ(b.influence.comCheapestAttacker[c.humanFile][c.humanRank], c.attacker) << c.code;
        EXPECT_EQ(attackerAt(b, c.humanFile, c.humanRank),
                  c.attackerSquare ? source : untouchedSquare)
            << c.code;
    }
    // Pawns record both, without squares; a horse's diagonals record with squares.
    BoardState p = surveyed({{5, 4, comPawn}, {5, 5, manSilver}, {5, 3, comPawn}});
    EXPECT_EQ(p.influence.comCheapestAttacker[5][5], comPawn);
    EXPECT_EQ(p.influence.comCheapestDefender[5][4], comPawn);
    EXPECT_EQ(attackerAt(p, 5, 5) + defenderAt(p, 5, 4), 2 * untouchedSquare);
    BoardState h = surveyed({{8, 8, comPromotedBishop}, {6, 6, manSilver}});
    EXPECT_EQ(h.influence.comCheapestAttacker[6][6], comPromotedBishop);
    EXPECT_EQ(attackerAt(h, 6, 6), 88);
}

TEST(InfluenceSurvey, RaysRunThroughTheOpposingKingAndMarkTheCheck) {
    BoardState b = surveyed({{5, 1, comRook}, {5, 4, manKing}, {5, 6, manPawn}});
    const InfluenceTables& in = b.influence;
    EXPECT_EQ(squaresWith(in.comCheckMarks, 9), Squares{51});
    EXPECT_EQ(squaresWith(in.comCheckMarks, 1), (Squares{52, 53}));
    EXPECT_EQ(in.comInfluence[5][5], 1);
    EXPECT_EQ(in.comCheapestAttacker[5][6], comRook);
    EXPECT_EQ(attackerAt(b, 5, 6), 51);
    EXPECT_EQ(in.comInfluence[5][7], 0);
    // A human bishop through the computer king; a slider next to the king marks only itself.
    BoardState h = surveyed({{8, 8, manBishop}, {6, 6, comKing}, {3, 3, comPawn}, {7, 6, manRook}});
    EXPECT_EQ(squaresWith(h.influence.manCheckMarks, 9), (Squares{76, 88}));
    EXPECT_EQ(squaresWith(h.influence.manCheckMarks, 1), Squares{77});
    EXPECT_EQ(h.influence.manCheapestAttacker[3][3], manBishop);
    EXPECT_EQ(h.influence.manInfluence[5][6], 1);
    // A ray from the edge toward the edge visits nothing.
    BoardState e = boardWith({{1, 1, manLance}});
    勢力確定上直進(e, manLance, 1, 1);
    勢力確定左直進(e, manLance, 1, 1);
    EXPECT_EQ(e.influence.manInfluence, Table{});
}

TEST(InfluenceSurvey, StepChecksMarkThePieceAndAKnightAlsoTheKing) {
    BoardState c = surveyed({{5, 5, manKing},
                             {4, 3, comKnight},
                             {5, 4, comSilver},
                             {6, 5, comPromotedBishop},
                             {4, 4, comKing}});
    // Knight, silver and horse step; the king's steps never mark.
    EXPECT_EQ(squaresWith(c.influence.comCheckMarks, 9), (Squares{43, 54, 55, 65}));
    EXPECT_EQ(c.influence.comCheapestAttacker[5][5], 999);
    BoardState m = surveyed({{5, 5, comKing},
                             {4, 7, manKnight},
                             {4, 6, manPromotedPawn},
                             {6, 4, manPromotedRook},
                             {5, 6, manKing}});
    EXPECT_EQ(squaresWith(m.influence.manCheckMarks, 9), (Squares{46, 47, 55, 64}));
    EXPECT_EQ(m.influence.manCheapestAttacker[5][5], manPromotedPawn);
    EXPECT_EQ(m.influence.manAttackCount[5][5], 4);
    // Without a knight the king's square stays unmarked.
    BoardState s =
        surveyed({{5, 5, comKing}, {5, 6, manSilver}, {1, 1, manKing}, {2, 2, comSilver}});
    EXPECT_EQ(squaresWith(s.influence.manCheckMarks, 9), Squares{56});
    EXPECT_EQ(squaresWith(s.influence.comCheckMarks, 9), Squares{22});
}

TEST(InfluenceSurvey, FirstPieceMetKeepsTheSquareAndOldSquaresSurvive) {
    // Two silvers defend (5, 5): the lower file wins, then the lower rank.
    EXPECT_EQ(defenderAt(surveyed({{5, 5, comGold}, {6, 4, comSilver}, {4, 4, comSilver}}), 5, 5),
              44);
    EXPECT_EQ(defenderAt(surveyed({{5, 5, comGold}, {4, 6, comSilver}, {4, 4, comSilver}}), 5, 5),
              44);
    // A pawn defends more cheaply but writes no square: the silver's square stays, and so does
    // an earlier survey's once the silver has gone.
    BoardState b = surveyed({{5, 5, comGold}, {5, 4, comPawn}, {4, 4, comSilver}});
    EXPECT_EQ(b.influence.comCheapestDefender[5][5], comPawn);
    EXPECT_EQ(defenderAt(b, 5, 5), 44);
    b.board[4][4] = emptySquare;
    b.board[5][6] = comKing;
    勢力調査(b);
    EXPECT_EQ(b.comKingFile * 10 + b.comKingRank, 56);
    EXPECT_EQ(b.influence.comCheapestDefender[5][5], comPawn);
    EXPECT_EQ(defenderAt(b, 5, 5), 44);
}

TEST(InfluenceSurvey, ALonePieceReachesExactlyTheSquaresItMayMoveTo) {
    // Every kind of both sides on every square of an empty board: its side's influence is 1 on
    // each square the move test lets it go to and 0 elsewhere. Only the counts compare: the code
    // tables record some kinds as another (a human horse's diagonals as a bishop's, every computer
    // gold-mover as a gold).
    const Code kinds[] = {
        comPawn,           comPromotedPawn, comLance,          comPromotedLance, comKnight,
        comPromotedKnight, comSilver,       comPromotedSilver, comGold,          comBishop,
        comPromotedBishop, comRook,         comPromotedRook,   comKing};
    std::vector<std::string> faults;
    for (const Code kind : kinds) {
        for (const Code code : {kind, static_cast<Code>(-kind)}) {
            for (int f = 1; f <= 9; ++f) {
                for (int r = 1; r <= 9; ++r) {
                    const BoardState b = surveyed({{f, r, code}});
                    const Table& own =
                        code > 0 ? b.influence.comInfluence : b.influence.manInfluence;
                    const Table& other =
                        code > 0 ? b.influence.manInfluence : b.influence.comInfluence;
                    for (int tf = 1; tf <= 9; ++tf)
                        for (int tr = 1; tr <= 9; ++tr)
                            if (own[tf][tr] != 移動チェック(b, f, r, tf, tr, code) ||
                                other[tf][tr] != 0)
                                faults.push_back(std::to_string(code) + " on " +
                                                 std::to_string(f * 10 + r) + " at " +
                                                 std::to_string(tf * 10 + tr));
                }
            }
        }
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " squares differ, first: " << faults.front();
}

}  // namespace
}  // namespace nobakuza
