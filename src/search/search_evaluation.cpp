#include "search/search_evaluation.h"

#include <array>

namespace nobakuza {

namespace {

// A piece near the enemy king presses it; a gold or silver near its own king shields it. Only the
// squares within two steps of a king count.
constexpr std::array<int, pieceTypes> attackWeight = {0, 3,  5,  8,  10, 10, 6, 7,
                                                      0, 10, 10, 10, 10, 11, 13};
constexpr std::array<int, pieceTypes> shieldWeight = {0, 1, 0, 0, 8, 10, 2, 0, 0, 6, 6, 6, 6, 4, 2};
constexpr std::array<int, 3> attackByDistance = {0, 8, 5};
constexpr std::array<int, 3> shieldByDistance = {0, 5, 2};
// A piece in the enemy's hand can be dropped beside the king at any time.
constexpr std::array<int, 8> handThreat = {0, 2, 4, 5, 7, 8, 7, 9};

// The king of `side` on `board`: how much danger it is in, from the top side's point of view.
int kingScore(const SearchPosition& p, int board, int side) {
    const int king = p.kings[board][side];
    if (king == 0) return 0;
    const auto& cell = p.cells[board];
    const int kf = fileOfSquare(king);
    const int kr = rankOfSquare(king);
    int pressure = 0;
    int shield = 0;
    for (int f = kf > 2 ? kf - 2 : 1; f <= kf + 2 && f <= boardSize; ++f)
        for (int r = kr > 2 ? kr - 2 : 1; r <= kr + 2 && r <= boardSize; ++r) {
            const Piece piece = cell[squareAt(f, r)];
            if (piece == 0) continue;
            const int df = f > kf ? f - kf : kf - f;
            const int dr = r > kr ? r - kr : kr - r;
            const int d = df > dr ? df : dr;
            if (ownedBy(piece, side))
                shield += shieldWeight[typeOf(piece)] * shieldByDistance[d];
            else
                pressure += attackWeight[typeOf(piece)] * attackByDistance[d];
        }
    int threat = 0;
    for (int kind = 1; kind <= handKinds; ++kind)
        threat += handThreat[kind] * p.hands[board][side ^ 1][kind];
    // Danger grows faster than the pieces that make it: one weak king loses the game.
    int danger = pressure + threat - shield;
    if (danger < 0) danger = 0;
    const int score = shield - danger * danger / 64 - danger;
    return side == topSide ? score : -score;
}

}  // namespace

int evaluate(const SearchPosition& p) {
    int score = p.material;
    for (int board = 0; board < 2; ++board)
        score += kingScore(p, board, topSide) + kingScore(p, board, bottomSide);
    return p.sideToMove == topSide ? score : -score;
}

}  // namespace nobakuza
