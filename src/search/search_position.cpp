#include "search/search_position.h"

#include "board/geometry.h"
#include "board/move_execution.h"
#include "search/search_tables.h"

namespace nobakuza {

namespace {

using namespace search_tables;

// Zobrist keys: one per piece on each square of each board, one per hand count of each kind, side
// and board, and one for the side to move. A fixed seed makes keys the same on every run.
struct Keys {
    std::array<std::array<std::array<std::uint64_t, 32>, boardCells>, 2> piece{};
    std::array<std::array<std::array<std::array<std::uint64_t, 20>, 16>, 2>, 2> hand{};
    std::uint64_t sideToMove = 0;
};

constexpr int keyIndex(Piece p) {
    return typeOf(p) | ((p & bottomBit) ? 16 : 0);
}

const Keys& keys() {
    static const Keys k = [] {
        Keys t;
        std::uint64_t s = 0x6E6F62616B757A61ULL;
        auto next = [&s] {
            std::uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            return z ^ (z >> 31);
        };
        for (auto& board : t.piece)
            for (auto& square : board)
                for (auto& v : square) v = next();
        for (auto& board : t.hand)
            for (auto& side : board)
                for (auto& kind : side)
                    for (std::size_t n = 1; n < kind.size(); ++n) kind[n] = next();
        t.sideToMove = next();
        return t;
    }();
    return k;
}

// Counts above the table's reach share its last key; no board holds that many of one kind.
std::uint64_t handKey(int board, int side, int kind, int count) {
    return keys().hand[board][side][kind][count < 19 ? count : 19];
}

constexpr std::array<int, pieceTypes> boardValues = {0, 100, 300, 350, 500, 550,  800, 950,
                                                     0, 550, 550, 550, 550, 1050, 1250};
constexpr std::array<int, 9> handValues = {0, 110, 330, 380, 550, 600, 880, 1050, 0};

constexpr int signFor(int side) {
    return side == topSide ? 1 : -1;
}

}  // namespace

int boardValueOf(int type) {
    return boardValues[static_cast<std::size_t>(type)];
}

int handValueOf(int kind) {
    return handValues[static_cast<std::size_t>(kind)];
}

Code gameCodeOf(Piece p) {
    return gameCode(p);
}

Piece pieceOfGameCode(Code c) {
    const int m = absInt(c);
    for (int type = 1; type < pieceTypes; ++type)
        if (gameMagnitude[static_cast<std::size_t>(type)] == m)
            return makePiece(type, c > 0 ? topSide : bottomSide);
    if (m == 111) return makePiece(goldType, c > 0 ? topSide : bottomSide);
    return 0;
}

void SearchPosition::makeMove(TreeMove m, Undo& u) {
    const Keys& k = keys();
    const int s = sideToMove;
    const int e = s ^ 1;
    const int b = moveBoard(m);
    const int to = moveTo(m);
    u.key = key;
    u.material = material;
    u.pawnFiles = pawnFiles;
    u.kings = kings;
    u.capturedHere = 0;
    u.capturedAcross = 0;
    auto& cell = cells[b];
    // A piece taken on board `on` goes into the mover's hand of that board.
    auto take = [&](int on, Piece captured) {
        const int type = typeOf(captured);
        const int kind = handKindOf(type);
        std::uint8_t& count = hands[on][s][kind];
        key ^= k.piece[on][to][keyIndex(captured)] ^ handKey(on, s, kind, count) ^
               handKey(on, s, kind, count + 1);
        ++count;
        material += signFor(s) * (boardValues[type] + handValues[kind]);
        if (type == pawnType)
            pawnFiles[on][e] &= static_cast<std::uint16_t>(~(1u << fileOfSquare(to)));
        if (type == kingType) kings[on][e] = 0;
    };

    if (isDrop(m)) {
        const int kind = moveFrom(m);
        const Piece p = makePiece(kind, s);
        u.moved = p;
        std::uint8_t& count = hands[b][s][kind];
        key ^= handKey(b, s, kind, count) ^ handKey(b, s, kind, count - 1) ^
               k.piece[b][to][keyIndex(p)];
        --count;
        cell[to] = p;
        material += signFor(s) * (boardValues[kind] - handValues[kind]);
        if (kind == pawnType) pawnFiles[b][s] |= static_cast<std::uint16_t>(1u << fileOfSquare(to));
    } else {
        const int from = moveFrom(m);
        const Piece p = cell[from];
        u.moved = p;
        const Piece captured = cell[to];
        if (captured != 0) {
            u.capturedHere = captured;
            take(b, captured);
        }
        const int type = typeOf(p);
        Piece placed = p;
        if (isPromotion(m)) {
            const int promoted = promotedTypeOf(type);
            placed = makePiece(promoted, s);
            material += signFor(s) * (boardValues[promoted] - boardValues[type]);
            if (type == pawnType)
                pawnFiles[b][s] &= static_cast<std::uint16_t>(~(1u << fileOfSquare(to)));
        }
        key ^= k.piece[b][from][keyIndex(p)] ^ k.piece[b][to][keyIndex(placed)];
        cell[from] = 0;
        cell[to] = placed;
        if (type == kingType) kings[b][s] = static_cast<std::uint8_t>(to);
        // The same square of the other board loses an enemy piece standing there.
        Piece& across = cells[b ^ 1][to];
        if (ownedBy(across, e)) {
            u.capturedAcross = across;
            take(b ^ 1, across);
            across = 0;
        }
    }
    sideToMove = e;
    key ^= k.sideToMove;
}

void SearchPosition::unmakeMove(TreeMove m, const Undo& u) {
    sideToMove ^= 1;
    const int s = sideToMove;
    const int b = moveBoard(m);
    const int to = moveTo(m);
    auto& cell = cells[b];
    if (isDrop(m)) {
        cell[to] = 0;
        ++hands[b][s][moveFrom(m)];
    } else {
        cell[moveFrom(m)] = u.moved;
        cell[to] = u.capturedHere;
        if (u.capturedHere != 0) --hands[b][s][handKindOf(typeOf(u.capturedHere))];
        if (u.capturedAcross != 0) {
            cells[b ^ 1][to] = u.capturedAcross;
            --hands[b ^ 1][s][handKindOf(typeOf(u.capturedAcross))];
        }
    }
    key = u.key;
    material = u.material;
    pawnFiles = u.pawnFiles;
    kings = u.kings;
}

void SearchPosition::passMove() {
    sideToMove ^= 1;
    key ^= keys().sideToMove;
}

bool SearchPosition::attacks(int board, int sq, int side) const {
    const auto& cell = cells[board];
    const Piece own = sideBit(side);
    for (std::size_t d = 0; d < directions.size(); ++d) {
        const int delta = directions[d];
        int x = sq - delta;
        Piece p = cell[x];
        if (p != 0) {
            if ((p & wallCell) == own &&
                ((attackMasks[p].steps | attackMasks[p].slides) >> d & 1u) != 0)
                return true;
            continue;
        }
        do {
            x -= delta;
            p = cell[x];
        } while (p == 0);
        if ((p & wallCell) == own && (attackMasks[p].slides >> d & 1u) != 0) return true;
    }
    const Piece knight = makePiece(knightType, side);
    return cell[sq - knightJumps[side][0]] == knight || cell[sq - knightJumps[side][1]] == knight;
}

bool SearchPosition::canTakeKing(int side) const {
    const int e = side ^ 1;
    for (int b = 0; b < 2; ++b) {
        const int k = kings[b][e];
        if (k == 0) continue;
        if (attacks(b, k, side)) return true;
        // A move on the other board to the king's square takes it across, unless a piece of the
        // mover's own stands there.
        if (!ownedBy(cells[b ^ 1][k], side) && attacks(b ^ 1, k, side)) return true;
    }
    return false;
}

std::uint64_t SearchPosition::computeKey() const {
    const Keys& k = keys();
    std::uint64_t h = sideToMove == bottomSide ? k.sideToMove : 0;
    for (int b = 0; b < 2; ++b) {
        for (const int sq : boardSquares)
            if (cells[b][sq] != 0) h ^= k.piece[b][sq][keyIndex(cells[b][sq])];
        // Slot 8 holds a taken king, which ends the game but is still part of the position.
        for (int side = 0; side < 2; ++side)
            for (int kind = 1; kind <= kingType; ++kind)
                h ^= handKey(b, side, kind, hands[b][side][kind]);
    }
    return h;
}

void SearchPosition::recompute() {
    material = 0;
    pawnFiles = {};
    kings = {};
    for (int b = 0; b < 2; ++b) {
        for (const int sq : boardSquares) {
            const Piece p = cells[b][sq];
            if (p == 0) continue;
            const int side = (p & topBit) ? topSide : bottomSide;
            material += signFor(side) * boardValues[typeOf(p)];
            if (typeOf(p) == pawnType)
                pawnFiles[b][side] |= static_cast<std::uint16_t>(1u << fileOfSquare(sq));
            if (typeOf(p) == kingType) kings[b][side] = static_cast<std::uint8_t>(sq);
        }
        for (int side = 0; side < 2; ++side)
            for (int kind = 1; kind <= handKinds; ++kind)
                material += signFor(side) * handValues[kind] * hands[b][side][kind];
    }
    key = computeKey();
}

void loadPosition(const GameState& g, int side, SearchPosition& p) {
    for (int b = 0; b < 2; ++b) {
        const BoardState& s = b == 0 ? g.left : g.right;
        p.cells[b].fill(wallCell);
        for (int f = 1; f <= boardSize; ++f)
            for (int r = 1; r <= boardSize; ++r)
                p.cells[b][squareAt(f, r)] = pieceOfGameCode(s.board[f][r]);
        p.hands[b] = {};
        for (int kind = 1; kind <= handKinds; ++kind) {
            // A count below zero cannot be played from; it is taken as none.
            p.hands[b][topSide][kind] =
                static_cast<std::uint8_t>(s.comHand[kind] > 0 ? s.comHand[kind] : 0);
            p.hands[b][bottomSide][kind] =
                static_cast<std::uint8_t>(s.manHand[kind] > 0 ? s.manHand[kind] : 0);
        }
    }
    p.sideToMove = side;
    p.recompute();
}

void storePosition(const SearchPosition& p, GameState& g) {
    for (int b = 0; b < 2; ++b) {
        BoardState& s = b == 0 ? g.left : g.right;
        for (int f = 1; f <= boardSize; ++f)
            for (int r = 1; r <= boardSize; ++r)
                s.board[f][r] = gameCodeOf(p.cells[b][squareAt(f, r)]);
        for (int kind = 1; kind <= handKinds; ++kind) {
            s.comHand[kind] = p.hands[b][topSide][kind];
            s.manHand[kind] = p.hands[b][bottomSide][kind];
        }
        recountHandTotals(s);
        findKings(s);
        // The game's mate test reads them: a pawn may not block a check on a file that has one.
        調査_2歩フラグ設定(s);
    }
}

}  // namespace nobakuza
