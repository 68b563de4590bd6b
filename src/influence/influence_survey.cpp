#include "influence/influence_survey.h"

#include "influence/influence_determination.h"
#include "influence/influence_record.h"

namespace nobakuza {

namespace {

using namespace influence_record;

// A table holding v on every square and 0 in the unused row and column, copied in one go.
constexpr Table squaresFilledWith(std::int16_t v) {
    Table t{};
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r) t[f][r] = v;
    return t;
}

constexpr Table noManAttacker = squaresFilledWith(-999);
constexpr Table noComPiece = squaresFilledWith(999);

void resetTables(InfluenceTables& in) {
    in.manInfluence = Table{};
    in.comInfluence = Table{};
    in.manAttackCount = Table{};
    in.manCheckMarks = Table{};
    in.comCheckMarks = Table{};
    in.manCheapestAttacker = noManAttacker;
    in.manCheapestAttackerX = Table{};
    in.manCheapestAttackerY = Table{};
    in.comCheapestAttacker = noComPiece;
    in.manTopDefender = noComPiece;
    in.comCheapestDefender = noComPiece;
    // comCheapestDefenderX/Y and comCheapestAttackerX/Y keep what earlier surveys wrote.
}

// What sets the two sides apart in the survey: the direction of forward, the ray and gold-step
// routines of each, and what a step of each kind records. The human's steps record everything;
// the computer's record only what their kind's options say.
struct HumanSide {
    static constexpr int forward = -1;
    static constexpr ManMark pawn = ManMark::step;
    static constexpr ManMark knight = ManMark::knight;
    static constexpr ManMark silver = ManMark::step;
    static constexpr ManMark horseStep = ManMark::step;
    static constexpr ManMark dragonStep = ManMark::step;
    static constexpr ManMark king = ManMark::none;  // a king's steps never mark a check

    template <ManMark Mark, auto Steps>
    static void steps(BoardState& b, Code c, int f, int r) {
        manSteps<Mark, Steps>(b, c, f, r);
    }
    static void lance(BoardState& b, Code c, int f, int r) { 勢力確定上直進(b, c, f, r); }
    static void gold(BoardState& b, Code c, int f, int r) { 勢力確定自金(b, c, f, r); }
    static void bishop(BoardState& b, Code, int f, int r) { 勢力確定自角(b, f, r); }
    static void kingSquare(BoardState& b, int f, int r) {
        b.manKingFile = static_cast<std::int16_t>(f);
        b.manKingRank = static_cast<std::int16_t>(r);
    }
};

struct ComputerSide {
    static constexpr int forward = 1;
    static constexpr unsigned pawn = comDefender | comAttacker | comStepMark;
    static constexpr unsigned knight =
        comDefender | comDefenderSquare | comStepMark | comKnightMark;
    static constexpr unsigned silver = comDefender | comDefenderSquare | comStepMark;
    static constexpr unsigned horseStep = comStepMark;  // only influence and check
    static constexpr unsigned dragonStep =
        comDefender | comDefenderSquare | comAttacker | comAttackerSquare | comStepMark;
    static constexpr unsigned king = comDefender;

    template <unsigned Options, auto Steps>
    static void steps(BoardState& b, Code c, int f, int r) {
        comSteps<Options, Steps>(b, c, f, r);
    }
    static void lance(BoardState& b, Code c, int f, int r) { 勢力確定下直進(b, c, f, r); }
    static void gold(BoardState& b, Code, int f, int r) { 勢力確定敵金(b, f, r); }
    static void bishop(BoardState& b, Code c, int f, int r) { 勢力確定敵角(b, c, f, r); }
    static void kingSquare(BoardState& b, int f, int r) {
        b.comKingFile = static_cast<std::int16_t>(f);
        b.comKingRank = static_cast<std::int16_t>(r);
    }
};

// Everything one piece of `Side` reaches from (f, r), by the kind of its code.
template <typename Side>
void surveyPiece(BoardState& b, Code c, int f, int r) {
    constexpr int F = Side::forward;
    switch (F * c) {
        case comPawn:
            Side::template steps<Side::pawn, std::array<Offset, 1>{{{0, F}}}>(b, c, f, r);
            break;
        case comPromotedPawn:
        case comPromotedLance:
        case comPromotedKnight:
        case comPromotedSilver:
        case comGold:
            Side::gold(b, c, f, r);
            break;
        case comLance:
            Side::lance(b, c, f, r);
            break;
        case comKnight:
            Side::template steps<Side::knight, std::array<Offset, 2>{{{-1, 2 * F}, {1, 2 * F}}}>(
                b, c, f, r);
            break;
        case comSilver:
            Side::template steps<
                Side::silver, std::array<Offset, 5>{{{0, F}, {-1, F}, {1, F}, {-1, -F}, {1, -F}}}>(
                b, c, f, r);
            break;
        case comBishop:
            Side::bishop(b, c, f, r);
            break;
        case comPromotedBishop:
            Side::template steps<Side::horseStep, orthogonalSteps>(b, c, f, r);
            Side::bishop(b, c, f, r);
            break;
        case comRook:
        case comPromotedRook:
            勢力確定下直進(b, c, f, r);
            勢力確定上直進(b, c, f, r);
            勢力確定右直進(b, c, f, r);
            勢力確定左直進(b, c, f, r);
            if (F * c == comPromotedRook)
                Side::template steps<Side::dragonStep, diagonalSteps>(b, c, f, r);
            break;
        case comKing:
            Side::kingSquare(b, f, r);
            Side::template steps<Side::king, kingSteps>(b, c, f, r);
            break;
        default:
            break;  // no such piece on a board (the gold alias included)
    }
}

}  // namespace

void 勢力調査(BoardState& b) {
    resetTables(b.influence);
    // File by file, rank by rank: this order decides every tie between equal codes.
    for (int f = 1; f <= boardSize; ++f) {
        for (int r = 1; r <= boardSize; ++r) {
            const Code c = b.board[f][r];
            if (c < 0)
                surveyPiece<HumanSide>(b, c, f, r);
            else if (c > 0)
                surveyPiece<ComputerSide>(b, c, f, r);
        }
    }
}

}  // namespace nobakuza
