#include "search/level_search.h"

namespace nobakuza {

double levelSeconds(int level) {
    if (level == quickSearchLevel) return 0.3;
    if (level == strongSearchLevel) return 1.5;
    return 0;
}

Move moveOf(const SearchPosition& p, TreeMove m) {
    Move out;
    const int b = moveBoard(m);
    out.boardId = b == 0 ? leftBoardId : rightBoardId;
    const int to = moveTo(m);
    out.toFile = static_cast<std::int16_t>(fileOfSquare(to));
    out.toRank = static_cast<std::int16_t>(rankOfSquare(to));
    const int side = p.sideToMove;
    if (isDrop(m)) {
        const int kind = moveFrom(m);
        out.fromFile = side == topSide ? comHandColumn : manHandColumn;
        out.fromRank = static_cast<std::int16_t>(side == topSide ? kind : kind + 2);
        out.placed = gameCodeOf(makePiece(kind, side));
        return out;
    }
    const int from = moveFrom(m);
    out.fromFile = static_cast<std::int16_t>(fileOfSquare(from));
    out.fromRank = static_cast<std::int16_t>(rankOfSquare(from));
    const Piece moving = p.cells[b][from];
    out.moved = gameCodeOf(moving);
    out.placed =
        gameCodeOf(isPromotion(m) ? makePiece(promotedTypeOf(typeOf(moving)), side) : moving);
    return out;
}

LevelMove searchTopMove(const GameState& g, const SearchRules& rules, const SearchLimits& limits,
                        GameTreeSearch& engine) {
    SearchPosition root;
    loadPosition(g, topSide, root);
    const TreeSearchResult r = engine.search(root, rules, limits);
    LevelMove out;
    out.score = r.score;
    out.depth = r.depth;
    out.nodes = r.nodes;
    out.milliseconds = r.milliseconds;
    if (r.move == noTreeMove) return out;
    out.move = moveOf(root, r.move);
    return out;
}

}  // namespace nobakuza
