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

void surveyManPiece(BoardState& b, Code c, int f, int r) {
    constexpr ManMark step = ManMark::step;
    switch (c) {
        case manPawn:
            manStep<0, -1, step>(b, c, f, r);
            break;
        case manPromotedPawn:
        case manPromotedLance:
        case manPromotedKnight:
        case manPromotedSilver:
        case manGold:
            勢力確定自金(b, c, f, r);
            break;
        case manLance:
            勢力確定上直進(b, c, f, r);
            break;
        case manKnight:
            manStep<-1, -2, ManMark::knight>(b, c, f, r);
            manStep<+1, -2, ManMark::knight>(b, c, f, r);
            break;
        case manSilver:
            manStep<0, -1, step>(b, c, f, r);
            manStep<-1, -1, step>(b, c, f, r);
            manStep<+1, -1, step>(b, c, f, r);
            manStep<-1, +1, step>(b, c, f, r);
            manStep<+1, +1, step>(b, c, f, r);
            break;
        case manBishop:
            勢力確定自角(b, f, r);
            break;
        case manPromotedBishop:
            manStep<0, -1, step>(b, c, f, r);
            manStep<0, +1, step>(b, c, f, r);
            manStep<-1, 0, step>(b, c, f, r);
            manStep<+1, 0, step>(b, c, f, r);
            勢力確定自角(b, f, r);
            break;
        case manRook:
        case manPromotedRook:
            勢力確定下直進(b, c, f, r);
            勢力確定上直進(b, c, f, r);
            勢力確定右直進(b, c, f, r);
            勢力確定左直進(b, c, f, r);
            if (c == manPromotedRook) {
                manStep<-1, -1, step>(b, c, f, r);
                manStep<+1, -1, step>(b, c, f, r);
                manStep<-1, +1, step>(b, c, f, r);
                manStep<+1, +1, step>(b, c, f, r);
            }
            break;
        case manKing:
            b.manKingFile = static_cast<std::int16_t>(f);
            b.manKingRank = static_cast<std::int16_t>(r);
            // A king's steps never mark a check.
            manStep<0, -1, ManMark::none>(b, c, f, r);
            manStep<-1, -1, ManMark::none>(b, c, f, r);
            manStep<+1, -1, ManMark::none>(b, c, f, r);
            manStep<0, +1, ManMark::none>(b, c, f, r);
            manStep<-1, +1, ManMark::none>(b, c, f, r);
            manStep<+1, +1, ManMark::none>(b, c, f, r);
            manStep<-1, 0, ManMark::none>(b, c, f, r);
            manStep<+1, 0, ManMark::none>(b, c, f, r);
            break;
        default:
            break;  // no such piece on a board (the gold alias included)
    }
}

void surveyComPiece(BoardState& b, Code c, int f, int r) {
    switch (c) {
        case comPawn: {
            constexpr unsigned o = comDefender | comAttacker | comStepMark;
            comStep<0, +1, o>(b, c, f, r);
            break;
        }
        case comPromotedPawn:
        case comPromotedLance:
        case comPromotedKnight:
        case comPromotedSilver:
        case comGold:
            勢力確定敵金(b, f, r);
            break;
        case comLance:
            勢力確定下直進(b, c, f, r);
            break;
        case comKnight: {
            constexpr unsigned o = comDefender | comDefenderSquare | comStepMark | comKnightMark;
            comStep<-1, +2, o>(b, c, f, r);
            comStep<+1, +2, o>(b, c, f, r);
            break;
        }
        case comSilver: {
            constexpr unsigned o = comDefender | comDefenderSquare | comStepMark;
            comStep<0, +1, o>(b, c, f, r);
            comStep<-1, +1, o>(b, c, f, r);
            comStep<+1, +1, o>(b, c, f, r);
            comStep<-1, -1, o>(b, c, f, r);
            comStep<+1, -1, o>(b, c, f, r);
            break;
        }
        case comBishop:
            勢力確定敵角(b, c, f, r);
            break;
        case comPromotedBishop: {
            // The horse's orthogonal steps count only as influence and check.
            constexpr unsigned o = comStepMark;
            comStep<0, -1, o>(b, c, f, r);
            comStep<0, +1, o>(b, c, f, r);
            comStep<-1, 0, o>(b, c, f, r);
            comStep<+1, 0, o>(b, c, f, r);
            勢力確定敵角(b, c, f, r);
            break;
        }
        case comRook:
        case comPromotedRook:
            勢力確定下直進(b, c, f, r);
            勢力確定上直進(b, c, f, r);
            勢力確定右直進(b, c, f, r);
            勢力確定左直進(b, c, f, r);
            if (c == comPromotedRook) {
                constexpr unsigned o =
                    comDefender | comDefenderSquare | comAttacker | comAttackerSquare | comStepMark;
                comStep<-1, -1, o>(b, c, f, r);
                comStep<+1, -1, o>(b, c, f, r);
                comStep<-1, +1, o>(b, c, f, r);
                comStep<+1, +1, o>(b, c, f, r);
            }
            break;
        case comKing: {
            b.comKingFile = static_cast<std::int16_t>(f);
            b.comKingRank = static_cast<std::int16_t>(r);
            constexpr unsigned o = comDefender;
            comStep<0, -1, o>(b, c, f, r);
            comStep<-1, -1, o>(b, c, f, r);
            comStep<+1, -1, o>(b, c, f, r);
            comStep<0, +1, o>(b, c, f, r);
            comStep<-1, +1, o>(b, c, f, r);
            comStep<+1, +1, o>(b, c, f, r);
            comStep<-1, 0, o>(b, c, f, r);
            comStep<+1, 0, o>(b, c, f, r);
            break;
        }
        default:
            break;
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
                surveyManPiece(b, c, f, r);
            else if (c > 0)
                surveyComPiece(b, c, f, r);
        }
    }
}

}  // namespace nobakuza
