// Game-record files (".棋譜"): three Shift-JIS header lines (game name, the top side's player,
// the bottom side's player), then one fixed-width line per snapshot, CR LF line ends.
//
// A record line is 724 characters, every number right-aligned in its field:
//   162 x 4  for file 1..9 (outer), rank 1..9 (inner): left board, then right board
//    14 x 4  for kind 1..7: the computer's count in hand on the left board, then on the right
//     4 x 5  manTimeBefore, manTimeAfter, comTimeBefore, comTimeAfter (whole seconds)
// The human's hands are not stored: each board always holds the full set of pieces, so they
// follow from the rest (deriveManHand).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/translation.h"
#include "records/game_record.h"

namespace nobakuza {

// The extension of a record file's name.
inline constexpr const char* recordFileExtension = ".棋譜";
inline constexpr int recordLineLength = 724;
inline constexpr int headerLines = 3;
inline constexpr int maxTimeField = 99999;
// A header line in Shift-JIS, without its line end: 128 full-width characters. The save panel's
// fields take no more, so a longer line is no record of ours.
inline constexpr int maxHeaderBytes = 256;
// The largest record there can be: three header lines and 501 record lines with their CR LF, and
// the empty last line some editors add. Anything larger is refused before it is read.
inline constexpr std::size_t maxRecordFileBytes =
    headerLines * (maxHeaderBytes + 2) + recordSlots * (recordLineLength + 2) + 2;

// The three header lines, in UTF-8.
struct RecordHeader {
    std::string gameName;
    std::string topPlayerName;     // the computer's side
    std::string bottomPlayerName;  // the human's side
};

// Header lines for saving: the first player's name goes to the side the first player sits on.
RecordHeader headerForSave(std::string gameName, std::string senteName, std::string goteName,
                           std::int16_t manSide);

// A file read and checked in full. The record holds snapshots 0..lastRecordIndex, with
// recordIndex 0 and the human's hands derived.
struct LoadedRecord {
    RecordHeader header;
    GameRecord record;
};

// Reads and checks the bytes of a record file into `out` (a scratch object: on a refusal its
// contents are of no use, so the caller's game is only changed once the whole file is good).
// Lines may end in CR LF, LF or CR alone; empty lines at the end are no lines.
// Refusals are worded through `translate`.
std::optional<RecordError> parseRecordFile(std::string_view bytes, LoadedRecord& out,
                                           const TranslateText& translate = {});
std::optional<RecordError> readRecordFile(const std::string& path, LoadedRecord& out,
                                          const TranslateText& translate = {});

// The record line of snapshot n, exactly 724 characters, without the line end.
std::string formatRecordLine(const GameRecord& record, int n);

// The whole file for snapshots 0..recordIndex. Refused when a header line has no Shift-JIS form,
// a line break or more than maxHeaderBytes, or a snapshot would not read back as it is (a piece
// code that is not a board piece, a hand count outside 0..18, or a position without the full set of
// pieces).
std::optional<RecordError> formatRecordFile(const RecordHeader& header, const GameRecord& record,
                                            std::string& bytes,
                                            const TranslateText& translate = {});

// formatRecordFile, then written through a temporary file renamed over `path`, so a failed write
// leaves any old file as it was.
std::optional<RecordError> writeRecordFile(const std::string& path, const RecordHeader& header,
                                           const GameRecord& record,
                                           const TranslateText& translate = {});

}  // namespace nobakuza
