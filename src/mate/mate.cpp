#include "mate/mate.h"

#include "board/geometry.h"
#include "board/move_legality.h"
#include "board/piece_movement.h"
#include "influence/influence_survey.h"

namespace nobakuza {

namespace {

// A king square as the survey left it: 0 before any survey found the king, never outside 0..9.
constexpr bool usableKingSquare(int file, int rank) {
    return file >= 0 && file <= boardSize && rank >= 0 && rank <= boardSize;
}

// Marked squares (checkers, or every square a check marks), listed once in file-then-rank order
// so the nested scans of the mate tests visit only what matters.
struct SquareList {
    std::int8_t file[81];
    std::int8_t rank[81];
    int count = 0;
    void add(int f, int r) {
        file[count] = static_cast<std::int8_t>(f);
        rank[count] = static_cast<std::int8_t>(r);
        ++count;
    }
};

// One side's view of a mate test: the defender is the side whose king is tested.
struct Defender {
    Code pawn;  // the interposing pawn
    Code king;
    int handColumn;  // where its drops come from
    const Hand* hand;
    std::int16_t handTotal;
    int kingFile;
    int kingRank;
    const Table* attackerInfluence;  // the checking side's reach, from the survey
};

bool isDefenderPiece(const Defender& d, Code c) {
    return d.pawn < 0 ? isManPiece(c) : isComPiece(c);
}

// Whether some checking piece (marked 9) still reaches the king on the board as it stands.
bool someCheckerReachesKing(const BoardState& b, const Defender& d, const SquareList& checkers) {
    for (int i = 0; i < checkers.count; ++i) {
        const int f = checkers.file[i];
        const int r = checkers.rank[i];
        if (移動チェック(b, f, r, d.kingFile, d.kingRank, b.board[f][r]) == flagYes) return true;
    }
    return false;
}

// True when a pawn dropped on each square between a checking slider and the king would block
// every checker, so the king is not mated.
bool everyInterpositionBlocks(BoardState& b, const Defender& d, const Table& marks) {
    SquareList checkers;
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r)
            if (marks[f][r] == 9) checkers.add(f, r);

    const bool pawnsOnly = (*d.hand)[pawnKind] == d.handTotal;
    for (int f = 1; f <= boardSize; ++f) {
        for (int r = 1; r <= boardSize; ++r) {
            if (marks[f][r] == 9 && absInt(f - d.kingFile) < 2 && absInt(r - d.kingRank) < 2)
                return false;  // an adjacent checker cannot be blocked
            if (marks[f][r] != 1) continue;
            // The drop is judged on the square while it is still empty; only the pawn is ever
            // tried, and only a hand of nothing but pawns is held to the pawn's drop rules.
            const bool dropAllowed =
                !pawnsOnly || 移動チェック(b, d.handColumn, 0, f, r, d.pawn) == flagYes;
            const Code saved = b.board[f][r];
            if (dropAllowed) b.board[f][r] = d.pawn;
            const bool stillChecked = someCheckerReachesKing(b, d, checkers);
            b.board[f][r] = saved;
            if (stillChecked) return false;
        }
    }
    return true;
}

// A king step onto a square the attacker does not reach. The tables count sliders through the
// king, so a step back along a checking line is no escape.
bool kingCanStepAway(const BoardState& b, const Defender& d) {
    for (const Offset& s : movementOf(d.king).steps()) {
        const int f = d.kingFile + s.df;
        const int r = d.kingRank + s.dr;
        if (移動チェック(b, d.kingFile, d.kingRank, f, r, d.king) == flagYes &&
            (*d.attackerInfluence)[f][r] == 0)
            return true;
    }
    return false;
}

SquareList markedSquares(const Table& marks) {
    SquareList out;
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r)
            if (marks[f][r] > 0) out.add(f, r);
    return out;
}

// A single board move of the defender (not the king) onto a marked square: a checker's, one
// between, or the king's own under a knight check; tried unpromoted, on the board in place.
// `stillChecked` judges the trial position.
template <typename StillChecked>
bool someBoardMoveEndsTheCheck(BoardState& b, const Defender& d, const SquareList& targets,
                               StillChecked stillChecked) {
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r) {
            const Code c = b.board[f][r];
            if (!isDefenderPiece(d, c) || c == d.king) continue;
            for (int i = 0; i < targets.count; ++i) {
                const int tf = targets.file[i];
                const int tr = targets.rank[i];
                if (tf == f && tr == r) continue;
                if (移動チェック(b, f, r, tf, tr, c) != flagYes) continue;
                const Code saved = b.board[tf][tr];
                b.board[tf][tr] = c;
                b.board[f][r] = emptySquare;
                const bool checked = stillChecked(b);
                b.board[f][r] = c;
                b.board[tf][tr] = saved;
                if (!checked) return true;
            }
        }
    return false;
}

// The mate test of either king, from the tables of a survey of the position under test.
template <typename StillChecked>
std::int16_t mated(BoardState& b, const Defender& d, const Table& marks,
                   StillChecked stillChecked) {
    if (!usableKingSquare(d.kingFile, d.kingRank)) return flagNo;
    if ((*d.attackerInfluence)[d.kingFile][d.kingRank] == 0) return flagNo;
    if (d.handTotal > 0 && everyInterpositionBlocks(b, d, marks)) return flagNo;
    if (kingCanStepAway(b, d)) return flagNo;
    // Taken before the first trial, which may survey the board and rewrite the marks.
    const SquareList targets = markedSquares(marks);
    return someBoardMoveEndsTheCheck(b, d, targets, stillChecked) ? flagNo : flagYes;
}

}  // namespace

std::int16_t 調査_自王逃道(BoardState& b) {
    const int kf = b.manKingFile;
    const int kr = b.manKingRank;
    std::int16_t count = 0;
    for (const Offset& s : movementOf(manKing).steps()) {
        const int f = kf + s.df;
        const int r = kr + s.dr;
        if (!onBoard(f, r)) continue;
        if (b.board[f][r] == emptySquare && b.influence.comInfluence[f][r] == 0) {
            b.escapeMark[f][r] = 1;
            ++count;
        }
    }
    return count;
}

std::int16_t 詰めかMAN_COM移動(BoardState& b) {
    const int kf = b.manKingFile;
    const int kr = b.manKingRank;
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r) {
            const Code c = b.board[f][r];
            if (isComPiece(c) && 移動チェック(b, f, r, kf, kr, c) == flagYes) return flagYes;
        }
    return flagNo;
}

std::int16_t 詰めかMAN(BoardState& b) {
    const Defender d{manPawn,        manKing,       manHandColumn, &b.manHand,
                     b.manHandTotal, b.manKingFile, b.manKingRank, &b.influence.comInfluence};
    // The cheap capture test stands in for a survey of each trial.
    return mated(b, d, b.influence.comCheckMarks,
                 [](BoardState& t) { return 詰めかMAN_COM移動(t) == flagYes; });
}

std::int16_t 詰めかCOM(BoardState& b) {
    const Defender d{comPawn,        comKing,       comHandColumn, &b.comHand,
                     b.comHandTotal, b.comKingFile, b.comKingRank, &b.influence.manInfluence};
    return mated(b, d, b.influence.manCheckMarks, [&d](BoardState& t) {
        勢力調査(t);
        return t.influence.manInfluence[d.kingFile][d.kingRank] != 0;
    });
}

}  // namespace nobakuza
