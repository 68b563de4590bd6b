// The position as the game-tree search keeps it: both boards in padded arrays, the four hands,
// the side to move and a hash key of all of it, with a move made and taken back in place.
#pragma once

#include <array>
#include <cstdint>

#include "board/board_model.h"

namespace nobakuza {

// Squares. Each board is 11 files (0 and 10 are walls) of 16 cells: ranks 1..9 at cells 3..11,
// walls around them, so that any step or knight jump from a square lands inside the array.
inline constexpr int cellsPerFile = 16;
inline constexpr int boardCells = 11 * cellsPerFile;

constexpr int squareAt(int file, int rank) {
    return file * cellsPerFile + rank + 2;
}
constexpr int fileOfSquare(int sq) {
    return sq / cellsPerFile;
}
constexpr int rankOfSquare(int sq) {
    return sq % cellsPerFile - 2;
}
constexpr int squareDelta(int df, int dr) {
    return df * cellsPerFile + dr;
}

// The 81 squares in file-major order, the order the move test's callers walk them in.
inline constexpr std::array<std::uint8_t, 81> boardSquares = [] {
    std::array<std::uint8_t, 81> s{};
    int i = 0;
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r) s[i++] = static_cast<std::uint8_t>(squareAt(f, r));
    return s;
}();

// Sides: the top pieces (the computer's, positive codes, moving toward rank 9) and the bottom ones.
inline constexpr int topSide = 0;
inline constexpr int bottomSide = 1;

// Pieces: a type 1..14 and the bit of its side. The wall carries both side bits, so "own piece
// or wall" is one test for either side.
enum PieceType : std::uint8_t {
    noType = 0,
    pawnType = 1,  // 1..7 are the hand kinds
    lanceType,
    knightType,
    silverType,
    goldType,
    bishopType,
    rookType,
    kingType,
    promotedPawnType,
    promotedLanceType,
    promotedKnightType,
    promotedSilverType,
    horseType,
    dragonType,
};
inline constexpr int pieceTypes = 15;

using Piece = std::uint8_t;
inline constexpr Piece topBit = 0x20;
inline constexpr Piece bottomBit = 0x40;
inline constexpr Piece wallCell = topBit | bottomBit;
inline constexpr int pieceCodes = 0x80;

constexpr Piece sideBit(int side) {
    return side == topSide ? topBit : bottomBit;
}
constexpr int typeOf(Piece p) {
    return p & 0x0F;
}
constexpr Piece makePiece(int type, int side) {
    return static_cast<Piece>(type | sideBit(side));
}
// Whether `p` is a piece of `side` (not empty, not the wall).
constexpr bool ownedBy(Piece p, int side) {
    return (p & wallCell) == sideBit(side);
}
// The hand kind a captured piece becomes (the king's slot 8 is never dropped from).
constexpr int handKindOf(int type) {
    constexpr std::array<std::uint8_t, pieceTypes> kinds = {0, 1, 2, 3, 4, 5, 6, 7,
                                                            8, 1, 2, 3, 4, 6, 7};
    return kinds[static_cast<std::size_t>(type)];
}
constexpr int promotedTypeOf(int type) {
    constexpr std::array<std::uint8_t, pieceTypes> promoted = {0,
                                                               promotedPawnType,
                                                               promotedLanceType,
                                                               promotedKnightType,
                                                               promotedSilverType,
                                                               0,
                                                               horseType,
                                                               dragonType,
                                                               0,
                                                               0,
                                                               0,
                                                               0,
                                                               0,
                                                               0,
                                                               0};
    return promoted[static_cast<std::size_t>(type)];
}

// The game's code of a piece (0 for empty and the wall) and the piece of a game code.
Code gameCodeOf(Piece p);
Piece pieceOfGameCode(Code c);

// A move of the tree: the board, the destination, and the origin square or the dropped kind.
using TreeMove = std::uint32_t;
inline constexpr TreeMove noTreeMove = 0;

constexpr TreeMove boardMove(int board, int from, int to, bool promote) {
    return static_cast<TreeMove>(to | from << 8 | (promote ? 1u << 17 : 0u) |
                                 static_cast<unsigned>(board) << 18);
}
constexpr TreeMove dropMove(int board, int kind, int to) {
    return static_cast<TreeMove>(to | kind << 8 | 1u << 16 | static_cast<unsigned>(board) << 18);
}
constexpr int moveTo(TreeMove m) {
    return static_cast<int>(m & 0xFF);
}
constexpr int moveFrom(TreeMove m) {  // the square, or the kind of a drop
    return static_cast<int>(m >> 8 & 0xFF);
}
constexpr bool isDrop(TreeMove m) {
    return (m >> 16 & 1u) != 0;
}
constexpr bool isPromotion(TreeMove m) {
    return (m >> 17 & 1u) != 0;
}
constexpr int moveBoard(TreeMove m) {
    return static_cast<int>(m >> 18 & 1u);
}

// Material values of the search's evaluation, on the board and in the hand.
int boardValueOf(int type);
int handValueOf(int kind);

struct SearchPosition {
    std::array<std::array<Piece, boardCells>, 2> cells{};  // [0] the left board, [1] the right
    std::array<std::array<std::array<std::uint8_t, 16>, 2>, 2> hands{};  // [board][side][kind]
    std::array<std::array<std::uint16_t, 2>, 2> pawnFiles{};  // [board][side], bit f: a pawn on f
    std::array<std::array<std::uint8_t, 2>, 2> kings{};       // [board][side]; 0 when none
    int sideToMove = topSide;
    std::uint64_t key = 0;
    int material = 0;  // top's material less bottom's, boards and hands

    // What a move changed, for taking it back.
    struct Undo {
        std::uint64_t key;
        int material;
        std::array<std::array<std::uint16_t, 2>, 2> pawnFiles;
        std::array<std::array<std::uint8_t, 2>, 2> kings;
        Piece moved;
        Piece capturedHere;
        Piece capturedAcross;
    };

    void makeMove(TreeMove m, Undo& u);
    void unmakeMove(TreeMove m, const Undo& u);
    // The side to move passes; passing again gives the move back.
    void passMove();

    // Whether some piece of `side` on `board` may move to `sq`, whatever stands there.
    bool attacks(int board, int sq, int side) const;
    // Whether `side` could take the other side's king on either board with its next move, here
    // or across.
    bool canTakeKing(int side) const;

    // The key, material, pawn files and kings recomputed from the squares and hands.
    std::uint64_t computeKey() const;
    void recompute();
};

// The game's position with `side` to move.
void loadPosition(const GameState& g, int side, SearchPosition& p);
// The boards and hands of `p` written into the game's state (hand totals, kings' squares and
// two-pawn flags found again, all the game's mate test reads besides its own survey; the rest of
// `g` is left as it was).
void storePosition(const SearchPosition& p, GameState& g);

}  // namespace nobakuza
