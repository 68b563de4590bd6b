// The movement of every piece of the search, read from the board's one movement table and turned
// into square deltas of the padded boards: the steps and slides a piece makes, and the masks the
// attack test reads backwards from a square.
#pragma once

#include <array>
#include <cstdint>

#include "board/piece_movement.h"
#include "search/search_position.h"

namespace nobakuza::search_tables {

inline constexpr std::array<Code, pieceTypes> gameMagnitude = {0,   10, 20, 30, 100, 110, 800, 900,
                                                               950, 11, 21, 31, 101, 801, 901};

constexpr Code gameCode(Piece p) {
    if (p == wallCell || (p & wallCell) == 0) return 0;
    const Code m = gameMagnitude[static_cast<std::size_t>(typeOf(p))];
    return static_cast<Code>((p & topBit) ? m : -m);
}

struct DeltaList {
    std::array<std::int8_t, 8> delta{};
    std::uint8_t count = 0;
};

struct PieceMoves {
    DeltaList steps;
    DeltaList slides;
};

inline constexpr std::array<PieceMoves, pieceCodes> pieceMoves = [] {
    std::array<PieceMoves, pieceCodes> t{};
    for (int side : {topSide, bottomSide})
        for (int type = 1; type < pieceTypes; ++type) {
            const Piece p = makePiece(type, side);
            const Movement& m = movementOf(gameCode(p));
            PieceMoves& pm = t[p];
            for (const Offset& o : m.steps())
                pm.steps.delta[pm.steps.count++] =
                    static_cast<std::int8_t>(squareDelta(o.df, o.dr));
            for (const Offset& o : m.slides())
                pm.slides.delta[pm.slides.count++] =
                    static_cast<std::int8_t>(squareDelta(o.df, o.dr));
        }
    return t;
}();

// The eight directions of one square's neighbours, and masks of which of them each piece steps
// or slides along.
inline constexpr std::array<int, 8> directions = {
    squareDelta(-1, -1), squareDelta(0, -1), squareDelta(1, -1), squareDelta(-1, 0),
    squareDelta(1, 0),   squareDelta(-1, 1), squareDelta(0, 1),  squareDelta(1, 1)};

struct AttackMasks {
    std::uint8_t steps = 0;
    std::uint8_t slides = 0;
};

inline constexpr std::array<AttackMasks, pieceCodes> attackMasks = [] {
    std::array<AttackMasks, pieceCodes> t{};
    for (int side : {topSide, bottomSide})
        for (int type = 1; type < pieceTypes; ++type) {
            const Piece p = makePiece(type, side);
            for (std::size_t d = 0; d < directions.size(); ++d) {
                for (int i = 0; i < pieceMoves[p].steps.count; ++i)
                    if (pieceMoves[p].steps.delta[i] == directions[d])
                        t[p].steps = static_cast<std::uint8_t>(t[p].steps | 1u << d);
                for (int i = 0; i < pieceMoves[p].slides.count; ++i)
                    if (pieceMoves[p].slides.delta[i] == directions[d])
                        t[p].slides = static_cast<std::uint8_t>(t[p].slides | 1u << d);
            }
        }
    return t;
}();

// A knight of `side` standing `knightJumps[side][i]` away from a square jumps onto it.
inline constexpr std::array<std::array<int, 2>, 2> knightJumps = [] {
    std::array<std::array<int, 2>, 2> j{};
    for (int side : {topSide, bottomSide}) {
        const PieceMoves& m = pieceMoves[makePiece(knightType, side)];
        for (int i = 0; i < 2; ++i) j[side][i] = m.steps.delta[i];
    }
    return j;
}();

// Bit r set: `piece` on rank r could never move again, so it may not stay there unpromoted.
inline constexpr std::array<std::uint16_t, pieceCodes> stuckRanks = [] {
    std::array<std::uint16_t, pieceCodes> t{};
    for (int side : {topSide, bottomSide})
        for (int type = 1; type < pieceTypes; ++type) {
            const Piece p = makePiece(type, side);
            for (int r = 1; r <= boardSize; ++r)
                if (stuckOnRank(gameCode(p), r)) t[p] = static_cast<std::uint16_t>(t[p] | 1u << r);
        }
    return t;
}();

// The promotion zone of each side: the three ranks nearest the other side.
constexpr bool inPromotionZone(int side, int rank) {
    return side == topSide ? rank > 6 : rank < 4;
}

// Whether a move of `type` may promote: pawn, lance and knight by landing in the zone; silver,
// bishop and rook also by leaving it.
constexpr bool mayPromote(int side, int type, int fromRank, int toRank) {
    switch (type) {
        case pawnType:
        case lanceType:
        case knightType:
            return inPromotionZone(side, toRank);
        case silverType:
        case bishopType:
        case rookType:
            return inPromotionZone(side, toRank) || inPromotionZone(side, fromRank);
        default:
            return false;
    }
}

}  // namespace nobakuza::search_tables
