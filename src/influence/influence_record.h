// The two record operations shared by the survey's own steps and the ray and gold-step routines
// (what happens to the tables when one piece reaches one square), and the steps and rays that
// apply them. Internal to src/influence/.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "board/board_model.h"
#include "board/geometry.h"
#include "board/piece_movement.h"

namespace nobakuza::influence_record {

inline constexpr std::int16_t checkingPieceMark = 9;
inline constexpr std::int16_t checkLineMark = 1;

// What a human piece's reach does to the tables. The step mark (9 on the checking piece) belongs
// to single steps of every kind but the king; rays mark their whole line themselves.
enum class ManMark { none, step, knight };

template <ManMark Mark>
inline void recordManReach(BoardState& b, Code c, int sf, int sr, int tf, int tr) {
    InfluenceTables& in = b.influence;
    ++in.manInfluence[tf][tr];
    const Code target = b.board[tf][tr];
    if (target < 0) {
        if (in.manTopDefender[tf][tr] > c) in.manTopDefender[tf][tr] = c;
    } else if (target > 0) {
        ++in.manAttackCount[tf][tr];
        if (in.manCheapestAttacker[tf][tr] < c) {
            in.manCheapestAttacker[tf][tr] = c;
            in.manCheapestAttackerX[tf][tr] = static_cast<std::int16_t>(sf);
            in.manCheapestAttackerY[tf][tr] = static_cast<std::int16_t>(sr);
        }
        if constexpr (Mark != ManMark::none) {
            if (target == comKing) {
                in.manCheckMarks[sf][sr] = checkingPieceMark;
                if constexpr (Mark == ManMark::knight) in.manCheckMarks[tf][tr] = checkingPieceMark;
            }
        }
    }
}

// The computer's pieces record only part of what they reach, by kind; these are the options.
enum ComOption : unsigned {
    comDefender = 1u << 0,        // cheapest defender code of an own piece
    comDefenderSquare = 1u << 1,  // ... and the defender's square
    comAttacker = 1u << 2,        // cheapest attacker code of a human piece
    comAttackerSquare = 1u << 3,  // ... and the attacker's square
    comStepMark = 1u << 4,        // 9 on the piece when it reaches the human king
    comKnightMark = 1u << 5,      // ... and 9 on the king's square too
};

// Keeps the lowest code reaching t and, where the kind records it, the square it came from.
template <bool WithSquare>
inline void keepLowest(Table& codes, Table& files, Table& ranks, Code c, int sf, int sr, int tf,
                       int tr) {
    if (codes[tf][tr] <= c) return;
    codes[tf][tr] = c;
    if constexpr (WithSquare) {
        files[tf][tr] = static_cast<std::int16_t>(sf);
        ranks[tf][tr] = static_cast<std::int16_t>(sr);
    }
}

template <unsigned Options>
inline void recordComReach(BoardState& b, Code c, int sf, int sr, int tf, int tr) {
    InfluenceTables& in = b.influence;
    ++in.comInfluence[tf][tr];
    const Code target = b.board[tf][tr];
    if (target >= 10) {
        if constexpr ((Options & comDefender) != 0) {
            keepLowest<(Options & comDefenderSquare) != 0>(
                in.comCheapestDefender, in.comCheapestDefenderX, in.comCheapestDefenderY, c, sf, sr,
                tf, tr);
        }
    } else if (target <= -10) {
        if constexpr ((Options & comAttacker) != 0) {
            keepLowest<(Options & comAttackerSquare) != 0>(
                in.comCheapestAttacker, in.comCheapestAttackerX, in.comCheapestAttackerY, c, sf, sr,
                tf, tr);
        }
    }
    if constexpr ((Options & comStepMark) != 0) {
        if (target == manKing) {
            in.comCheckMarks[sf][sr] = checkingPieceMark;
            if constexpr ((Options & comKnightMark) != 0)
                in.comCheckMarks[tf][tr] = checkingPieceMark;
        }
    }
}

// A single step of df, dr from (f, r), made only when the target is on the board.
template <int DF, int DR, ManMark Mark>
inline void manStep(BoardState& b, Code c, int f, int r) {
    if (onBoard(f + DF, r + DR)) recordManReach<Mark>(b, c, f, r, f + DF, r + DR);
}

template <int DF, int DR, unsigned Options>
inline void comStep(BoardState& b, Code c, int f, int r) {
    if (onBoard(f + DF, r + DR)) recordComReach<Options>(b, c, f, r, f + DF, r + DR);
}

// Several single steps of one piece, in the order given.
template <ManMark Mark, auto Steps>
inline void manSteps(BoardState& b, Code c, int f, int r) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (manStep<Steps[I].df, Steps[I].dr, Mark>(b, c, f, r), ...);
    }
    (std::make_index_sequence<Steps.size()>{});
}

template <unsigned Options, auto Steps>
inline void comSteps(BoardState& b, Code c, int f, int r) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (comStep<Steps[I].df, Steps[I].dr, Options>(b, c, f, r), ...);
    }
    (std::make_index_sequence<Steps.size()>{});
}

// Step lists shared by both sides, files toward 9 and ranks toward 9.
inline constexpr std::array<Offset, 8> kingSteps = {
    {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}}};
inline constexpr std::array<Offset, 4> orthogonalSteps = {{{0, -1}, {0, 1}, {-1, 0}, {1, 0}}};
inline constexpr std::array<Offset, 4> diagonalSteps = {{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}};

// A slider's line from (f, r) in direction (DF, DR). It records every square it reaches, runs on
// through the opposing king (marking the check on the way) and stops after the first other piece.
template <int DF, int DR, bool Human>
inline void ray(BoardState& b, Code c, int f, int r) {
    constexpr Code opposingKing = Human ? comKing : manKing;
    Table& marks = Human ? b.influence.manCheckMarks : b.influence.comCheckMarks;
    int tf = f + DF;
    int tr = r + DR;
    while (onBoard(tf, tr)) {
        if constexpr (Human) {
            recordManReach<ManMark::none>(b, c, f, r, tf, tr);
        } else {
            recordComReach<comDefender | comDefenderSquare | comAttacker | comAttackerSquare>(
                b, c, f, r, tf, tr);
        }
        const Code target = b.board[tf][tr];
        if (target != emptySquare && target != opposingKing) break;
        if (target == opposingKing) {
            for (int mf = f + DF, mr = r + DR; mf != tf || mr != tr; mf += DF, mr += DR)
                marks[mf][mr] = checkLineMark;
            marks[f][r] = checkingPieceMark;
        }
        tf += DF;
        tr += DR;
    }
}

}  // namespace nobakuza::influence_record
