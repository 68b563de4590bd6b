// The game record in memory: a full snapshot of both boards, all four hands and the players'
// clock totals after every move, for stepping through a game and for the record files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "board/board_model.h"

namespace nobakuza {

// Snapshots 0 (the start position) .. 500; a record therefore holds at most 500 moves.
inline constexpr int maxRecordIndex = 500;
inline constexpr int recordSlots = maxRecordIndex + 1;

// Every board holds the full set of pieces between its squares and its two hands, so a hand the
// record files do not store can be worked out from the rest (index = kind index, 0 unused).
inline constexpr Hand fullPieceSet = {0, 18, 4, 4, 4, 4, 2, 2};

// A refusal the user can cause (a bad file, a full record), ready to be shown in a message box.
struct RecordError {
    std::string message;  // UTF-8, names the line when there is one
    int line = 0;         // 1-based line of the file it concerns; 0 when it concerns no line
};

struct GameRecord {
    std::int16_t recordIndex = 0;      // the snapshot that is current
    std::int16_t lastRecordIndex = 0;  // the last snapshot stored

    // [n][file][rank], as the live boards.
    std::array<Table, recordSlots> leftBoardHistory{};
    std::array<Table, recordSlots> rightBoardHistory{};
    // [n][kind index]
    std::array<Hand, recordSlots> manHandLeftHistory{};
    std::array<Hand, recordSlots> comHandLeftHistory{};
    std::array<Hand, recordSlots> manHandRightHistory{};
    std::array<Hand, recordSlots> comHandRightHistory{};
    // The players' running clock totals before and after move n, in seconds.
    std::array<float, recordSlots> manTimeBefore{};
    std::array<float, recordSlots> manTimeAfter{};
    std::array<float, recordSlots> comTimeBefore{};
    std::array<float, recordSlots> comTimeAfter{};
};

// Starts a new record with the current position as snapshot 0 (clock totals 0).
void storeStartPosition(GameRecord& record, const GameState& game);

// Appends the current position after recordIndex; later snapshots (left by stepping back) are
// discarded. Refused, with nothing changed, when the record already holds snapshot 500.
std::optional<RecordError> 手順保存(GameRecord& record, const GameState& game, float manTimeBefore,
                                    float manTimeAfter, float comTimeBefore, float comTimeAfter);

// The square that move n changed: the last square, file 1..9 outer and rank 1..9 inner, left
// board before right, whose code differs from snapshot n - 1 and is not empty in snapshot n.
// When nothing qualifies (or n is not 1..500) the outputs keep what the caller passed in.
void 調査_移動結果(const GameRecord& record, int n, std::int16_t& boardId, Code& code,
                   std::int16_t& file, std::int16_t& rank);

// Puts snapshot n into the live boards: both boards, all four hands and their totals, and the
// king squares found on the boards (0, 0 for a king that is not there). Out-of-range n: nothing.
void restoreSnapshot(const GameRecord& record, int n, GameState& game);

// The human's hand on a board by conservation of the full set: full count, less the pieces of
// that kind on the board (either side, promoted or not), less the computer's count. A count
// below 0 means the position does not hold the full set.
Hand deriveManHand(const Table& board, const Hand& comHand);

}  // namespace nobakuza
