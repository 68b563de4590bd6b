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
    // Ranks counted from the side's own far edge: 1 is the last rank, 2 the one before it.
    for (const int to : boardSquares) {
        if (cell[to] != 0) continue;
        const int rank = rankOfSquare(to);
        const int fromLast = side == topSide ? 10 - rank : rank;
        for (int i = 0; i < kindCount; ++i) {
            const int kind = kinds[static_cast<std::size_t>(i)];
            if (kind == pawnType) {
                if (fromLast == 1 || (pawnFiles >> fileOfSquare(to) & 1u) != 0) continue;
            } else if (kind == lanceType) {
                if (fromLast == 1) continue;
            } else if (kind == knightType) {
                if (fromLast <= 2) continue;
            }
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
    for (const int from : boardSquares) {
        const Piece piece = cell[from];
        if ((piece & wallCell) != own) continue;
        const PieceMoves& m = pieceMoves[piece];
        for (int i = 0; i < m.steps.count; ++i) {
            const int to = from + m.steps.delta[i];
            const Piece target = cell[to];
            if (target & own) continue;  // a piece of the mover's own, or the wall
            if (all || takes(p, board, to, target, enemy))
                addBoardMove(list, board, side, piece, from, to);
        }
        for (int i = 0; i < m.slides.count; ++i) {
            const int delta = m.slides.delta[i];
            for (int to = from + delta;; to += delta) {
                const Piece target = cell[to];
                if (target & own) break;
                if (all || takes(p, board, to, target, enemy))
                    addBoardMove(list, board, side, piece, from, to);
                if (target != 0) break;
            }
        }
    }
    if (all) generateDrops(p, board, list);
}

bool isNeedlessNonPromotion(const SearchPosition& p, TreeMove m) {
    if (isDrop(m) || isPromotion(m)) return false;
    const int from = moveFrom(m);
    const int type = typeOf(p.cells[moveBoard(m)][from]);
    if (type != pawnType && type != bishopType && type != rookType) return false;
    return mayPromote(p.sideToMove, type, rankOfSquare(from), rankOfSquare(moveTo(m)));
}

}  // namespace nobakuza
