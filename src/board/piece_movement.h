// How each kind of piece moves: its single steps and the directions in which it slides, in one
// table. The move test, the last-rank rules, the computer's move filters and any move generator
// all read it, so a kind's movement is written here and nowhere else.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "board/board_model.h"
#include "board/geometry.h"

namespace nobakuza {

// A step, or the direction of a slide: files toward file 9, ranks toward rank 9.
struct Offset {
    int df = 0;
    int dr = 0;
};

// The squares one kind reaches from where it stands: each step once, and each slide any distance
// over empty squares up to and including the first piece.
struct Movement {
    std::array<Offset, 8> stepList{};
    std::size_t stepCount = 0;
    std::array<Offset, 4> slideList{};
    std::size_t slideCount = 0;

    constexpr std::span<const Offset> steps() const { return {stepList.data(), stepCount}; }
    constexpr std::span<const Offset> slides() const { return {slideList.data(), slideCount}; }
};

namespace piece_movement {

constexpr Movement moves(std::initializer_list<Offset> steps,
                         std::initializer_list<Offset> slides) {
    Movement m;
    for (const Offset& o : steps) m.stepList[m.stepCount++] = o;
    for (const Offset& o : slides) m.slideList[m.slideCount++] = o;
    return m;
}

struct KindMovement {
    Code code;
    Movement movement;
};

// The gold and the four pieces that move like it once promoted.
inline constexpr Movement goldMoves =
    moves({{0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}}, {});

// Every code that stands on a board, written for the computer, whose forward is rank + 1; a human
// piece moves as the mirror image of the computer's (rank - 1 forward). The gold alias has no row.
inline constexpr KindMovement computerMovement[] = {
    {comPawn, moves({{0, 1}}, {})},
    {comLance, moves({}, {{0, 1}})},
    {comKnight, moves({{-1, 2}, {1, 2}}, {})},
    {comSilver, moves({{0, 1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}}, {})},
    {comGold, goldMoves},
    {comPromotedPawn, goldMoves},
    {comPromotedLance, goldMoves},
    {comPromotedKnight, goldMoves},
    {comPromotedSilver, goldMoves},
    {comBishop, moves({}, {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}})},
    {comPromotedBishop,
     moves({{0, -1}, {0, 1}, {-1, 0}, {1, 0}}, {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}})},
    {comRook, moves({}, {{0, 1}, {0, -1}, {1, 0}, {-1, 0}})},
    {comPromotedRook,
     moves({{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}, {{0, 1}, {0, -1}, {1, 0}, {-1, 0}})},
    {comKing, moves({{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}}, {})},
};

inline constexpr std::size_t kinds = std::size(computerMovement);
// Slot 0 moves nowhere; slot k is row k - 1 for the computer, slot kinds + k the same row turned
// for the human.
inline constexpr std::size_t slots = 2 * kinds + 1;
inline constexpr int largestCode = comKing;

inline constexpr std::array<std::uint8_t, 2 * largestCode + 1> slotByCode = [] {
    std::array<std::uint8_t, 2 * largestCode + 1> s{};
    for (std::size_t k = 0; k < kinds; ++k) {
        s[largestCode + computerMovement[k].code] = static_cast<std::uint8_t>(k + 1);
        s[largestCode - computerMovement[k].code] = static_cast<std::uint8_t>(kinds + k + 1);
    }
    return s;
}();

constexpr std::size_t slotOf(Code code) {
    return code < -largestCode || code > largestCode ? 0 : slotByCode[code + largestCode];
}

inline constexpr std::array<Movement, slots> movementBySlot = [] {
    std::array<Movement, slots> m{};
    for (std::size_t k = 0; k < kinds; ++k) {
        const Movement& c = computerMovement[k].movement;
        Movement h = c;
        for (Offset& o : h.stepList) o.dr = -o.dr;
        for (Offset& o : h.slideList) o.dr = -o.dr;
        m[k + 1] = c;
        m[kinds + k + 1] = h;
    }
    return m;
}();

// Every offset of -9..9 in both directions: a slide from one square off the board (an origin
// the callers should never pass) still lands on it, as the walk of the move test would.
inline constexpr int span = boardSize;
inline constexpr int width = 2 * span + 1;

constexpr int offsetIndex(int df, int dr) {
    return (df + span) * width + dr + span;
}

}  // namespace piece_movement

// The movement of `code`, turned for its side; none for a code that never stands on a board.
constexpr const Movement& movementOf(Code code) {
    return piece_movement::movementBySlot[piece_movement::slotOf(code)];
}

// How `code` reaches the square (df, dr) away from it on an empty board: not at all, by one of
// its steps, or by a slide whose squares in between must be empty.
enum class Reach : std::uint8_t { none, step, slide };

namespace piece_movement {

inline constexpr auto reachBySlot = [] {
    std::array<std::array<Reach, width * width>, slots> t{};
    for (std::size_t s = 0; s < slots; ++s) {
        const Movement& m = movementBySlot[s];
        for (const Offset& d : m.slides())
            for (int k = 1; k <= span; ++k) t[s][offsetIndex(k * d.df, k * d.dr)] = Reach::slide;
        for (const Offset& d : m.steps()) t[s][offsetIndex(d.df, d.dr)] = Reach::step;
    }
    return t;
}();

}  // namespace piece_movement

constexpr Reach reachBy(Code code, int df, int dr) {
    using namespace piece_movement;
    if (absInt(df) > span || absInt(dr) > span) return Reach::none;
    return reachBySlot[slotOf(code)][offsetIndex(df, dr)];
}

// False when `code` could never make a board move by (df, dr) whatever stands on the board: a
// cheap filter in front of the move test, which still decides every move it lets through.
constexpr bool shapeAllows(Code code, int df, int dr) {
    return reachBy(code, df, dr) != Reach::none;
}

// The offsets of a rectangle holding every square `code` reaches (empty when it reaches none):
// its steps, and its slides as far as the far edge of the board from any square.
struct ReachBox {
    int df0, df1, dr0, dr1;
};

namespace piece_movement {

inline constexpr auto reachBoxBySlot = [] {
    std::array<ReachBox, slots> boxes{};
    for (std::size_t s = 0; s < slots; ++s) {
        ReachBox box{span, -span, span, -span};
        auto include = [&box](int df, int dr) {
            box.df0 = df < box.df0 ? df : box.df0;
            box.df1 = df > box.df1 ? df : box.df1;
            box.dr0 = dr < box.dr0 ? dr : box.dr0;
            box.dr1 = dr > box.dr1 ? dr : box.dr1;
        };
        for (const Offset& d : movementBySlot[s].steps()) include(d.df, d.dr);
        for (const Offset& d : movementBySlot[s].slides()) {
            include(d.df, d.dr);
            include(d.df * span, d.dr * span);
        }
        boxes[s] = box;
    }
    return boxes;
}();

// Bit r set: a piece of that slot standing on rank r could never move again.
inline constexpr auto stuckRanksBySlot = [] {
    std::array<std::uint16_t, slots> stuck{};
    for (std::size_t s = 1; s < slots; ++s)
        for (int r = 1; r <= boardSize; ++r) {
            bool moves = false;
            auto lands = [r](const Offset& d) { return r + d.dr >= 1 && r + d.dr <= boardSize; };
            for (const Offset& d : movementBySlot[s].steps()) moves |= lands(d);
            for (const Offset& d : movementBySlot[s].slides()) moves |= lands(d);
            if (!moves) stuck[s] = static_cast<std::uint16_t>(stuck[s] | 1u << r);
        }
    return stuck;
}();

}  // namespace piece_movement

constexpr const ReachBox& reachBoxOf(Code code) {
    return piece_movement::reachBoxBySlot[piece_movement::slotOf(code)];
}

// Whether `code` standing on `rank` (1..9) could never move again: a pawn or lance on its last
// rank, a knight on its last two.
constexpr bool stuckOnRank(Code code, int rank) {
    return rank >= 1 && rank <= boardSize &&
           (piece_movement::stuckRanksBySlot[piece_movement::slotOf(code)] >> rank & 1u) != 0;
}

}  // namespace nobakuza
