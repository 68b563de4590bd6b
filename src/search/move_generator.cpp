#include "search/move_generator.h"

#include "search/search_tables.h"

namespace nobakuza {

namespace {

using namespace search_tables;

// One board move, in each form the rules allow: promoted where it may promote, unpromoted unless
// the piece could never move again from there.
inline void addBoardMove(MoveList& list, int board, int side, Piece p, int from, int to) {
    const int type = typeOf(p);
    const int toRank = rankOfSquare(to);
    if (mayPromote(side, type, rankOfSquare(from), toRank))
        list.add(boardMove(board, from, to, true));
    if ((stuckRanks[p] >> toRank & 1u) == 0) list.add(boardMove(board, from, to, false));
}

// Whether a board move to `to` takes something: an enemy here, or one across on the other board.
inline bool takes(const SearchPosition& p, int board, int to, Piece target, int enemy) {
    return target != 0 || ownedBy(p.cells[board ^ 1][to], enemy);
}

// Whether a drop of `kind` on `rank` keeps the piece able to move: pawn and lance not on the last
// rank, knight not on the last two.
inline bool dropMayStand(int side, int kind, int rank) {
    const int fromLast = side == topSide ? 10 - rank : rank;
    if (kind == pawnType || kind == lanceType) return fromLast > 1;
    if (kind == knightType) return fromLast > 2;
    return true;
}

void generateDrops(const SearchPosition& p, int board, MoveList& list) {
    const int side = p.sideToMove;
    const auto& hand = p.hands[board][side];
    std::array<int, handKinds> kinds{};
    int kindCount = 0;
    for (int kind = 1; kind <= handKinds; ++kind)
        if (hand[kind] > 0) kinds[static_cast<std::size_t>(kindCount++)] = kind;
    if (kindCount == 0) return;
    const auto& cell = p.cells[board];
    const std::uint16_t pawnFiles = p.pawnFiles[board][side];
    for (const int to : boardSquares) {
        if (cell[to] != 0) continue;
        const int rank = rankOfSquare(to);
        for (int i = 0; i < kindCount; ++i) {
            const int kind = kinds[static_cast<std::size_t>(i)];
            if (!dropMayStand(side, kind, rank)) continue;
            if (kind == pawnType && (pawnFiles >> fileOfSquare(to) & 1u) != 0) continue;
            list.add(dropMove(board, kind, to));
        }
    }
}

}  // namespace

void generateMoves(const SearchPosition& p, int board, MoveKinds kinds, MoveList& list) {
    const int side = p.sideToMove;
    const int enemy = side ^ 1;
    const Piece own = sideBit(side);
    const auto& cell = p.cells[board];
    const bool all = kinds == MoveKinds::all;
    // Which moves to keep: those that take (captures), those that do not (quiets), or both.
    const bool keepTaking = kinds != MoveKinds::quiets;
    const bool keepQuiet = kinds != MoveKinds::captures;
    for (const int from : boardSquares) {
        const Piece piece = cell[from];
        if ((piece & wallCell) != own) continue;
        const PieceMoves& m = pieceMoves[piece];
        for (int i = 0; i < m.steps.count; ++i) {
            const int to = from + m.steps.delta[i];
            const Piece target = cell[to];
            if (target & own) continue;  // a piece of the mover's own, or the wall
            if (all || (takes(p, board, to, target, enemy) ? keepTaking : keepQuiet))
                addBoardMove(list, board, side, piece, from, to);
        }
        for (int i = 0; i < m.slides.count; ++i) {
            const int delta = m.slides.delta[i];
            for (int to = from + delta;; to += delta) {
                const Piece target = cell[to];
                if (target & own) break;
                if (all || (takes(p, board, to, target, enemy) ? keepTaking : keepQuiet))
                    addBoardMove(list, board, side, piece, from, to);
                if (target != 0) break;
            }
        }
    }
    if (keepQuiet) generateDrops(p, board, list);
}

bool isPseudoLegal(const SearchPosition& p, TreeMove m) {
    const int board = moveBoard(m);
    const int to = moveTo(m);
    const int side = p.sideToMove;
    const auto& cell = p.cells[board];
    if (to >= boardCells || cell[to] == wallCell) return false;
    if (isDrop(m)) {
        const int kind = moveFrom(m);
        if (kind < 1 || kind > handKinds || isPromotion(m) || p.hands[board][side][kind] == 0 ||
            cell[to] != 0 || !dropMayStand(side, kind, rankOfSquare(to)))
            return false;
        return kind != pawnType || (p.pawnFiles[board][side] >> fileOfSquare(to) & 1u) == 0;
    }
    const int from = moveFrom(m);
    if (from >= boardCells) return false;
    const Piece piece = cell[from];
    if (!ownedBy(piece, side) || (cell[to] & sideBit(side)) != 0) return false;
    const int type = typeOf(piece);
    if (isPromotion(m) ? !mayPromote(side, type, rankOfSquare(from), rankOfSquare(to))
                       : (stuckRanks[piece] >> rankOfSquare(to) & 1u) != 0)
        return false;
    const PieceMoves& moves = pieceMoves[piece];
    for (int i = 0; i < moves.steps.count; ++i)
        if (from + moves.steps.delta[i] == to) return true;
    for (int i = 0; i < moves.slides.count; ++i) {
        const int delta = moves.slides.delta[i];
        for (int sq = from + delta; cell[sq] != wallCell; sq += delta) {
            if (sq == to) return true;
            if (cell[sq] != 0) break;
        }
    }
    return false;
}

bool isNeedlessNonPromotion(const SearchPosition& p, TreeMove m) {
    if (isDrop(m) || isPromotion(m)) return false;
    const int from = moveFrom(m);
    const int type = typeOf(p.cells[moveBoard(m)][from]);
    if (type != pawnType && type != bishopType && type != rookType) return false;
    return mayPromote(p.sideToMove, type, rankOfSquare(from), rankOfSquare(moveTo(m)));
}

}  // namespace nobakuza
