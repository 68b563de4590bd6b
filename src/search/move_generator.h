// Every move the side to move may make, on both boards: board moves (promoting where allowed, and
// only promoting where the piece could never move again) and drops under the two-pawn and
// last-rank rules. Exactly the moves the move test accepts; a move that leaves the mover's king
// attacked is one of them.
#pragma once

#include <array>
#include <cstdint>

#include "search/search_position.h"

namespace nobakuza {

struct ScoredMove {
    TreeMove move;
    std::int32_t score;
};

// Room for every move of any position: per board at most 40 pieces' moves and 7 kinds' drops.
struct MoveList {
    static constexpr int capacity = 1600;
    std::array<ScoredMove, capacity> moves;
    int count = 0;

    void add(TreeMove m) {
        if (count < capacity) moves[static_cast<std::size_t>(count++)] = {m, 0};
    }
};

enum class MoveKinds {
    all,       // every move
    captures,  // board moves that take a piece here or across
    quiets,    // the others: board moves that take nothing, and drops
};

// Appends the moves of the side to move on `board` (0 left, 1 right) to `list`.
void generateMoves(const SearchPosition& p, int board, MoveKinds kinds, MoveList& list);

// Both boards, the left board first.
inline void generateMoves(const SearchPosition& p, MoveKinds kinds, MoveList& list) {
    generateMoves(p, 0, kinds, list);
    generateMoves(p, 1, kinds, list);
}

// Whether the generator would make `m` in `p`: a move remembered from another position (the
// table's, a killer) is tried only if so.
bool isPseudoLegal(const SearchPosition& p, TreeMove m);

// A pawn, bishop or rook left unpromoted where it could promote: legal, and never better than the
// promotion, so the search passes it by.
bool isNeedlessNonPromotion(const SearchPosition& p, TreeMove m);

}  // namespace nobakuza
