// The game in progress as it is kept on disk after every move, so that a game cut off (Escape,
// the window closed, a crash, the power gone) can be put back exactly: `自動保存.状態`, beside
// the settings file. A ".棋譜" record cannot hold a game after a handicap or 反転, nor the mode,
// the turn, the level or the names, so this file holds the whole game:
//
//   Nobakuza 自動保存 1
//   対局=0|1  人間=1|-1  手番=-1..1  手数=0..500  レベル=1..3  ハンデ=-10..10  ハンデ設定=0|1
//   棋譜モード=0|1  反転=0|1  再開待ち=0|1  向き=0|1  時間=<human ms> <computer ms> [<move ms>]
//   対局名=… 上側=… 下側=…  現在=<snapshot shown>
//   局面=<162 board codes> <28 hand counts> <4 clock totals, ms> <turned 0|1>   (per snapshot)
//   盤面=<162 board codes> <28 hand counts>                                     (the boards now)
//
// one "key=value" line each, in this order, Shift-JIS with CR LF. Board codes run file 1..9
// (outer), rank 1..9 (inner), left board then right; hand counts kind 1..7 of the human's left,
// the computer's left, the human's right and the computer's right hand. <move ms> is the time
// spent on the move under way when the game was left in the middle of one (else not written).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "records/game_record.h"
#include "records/record_file.h"
#include "text/translation.h"

namespace nobakuza {

inline constexpr const char* savedGameFileName = "自動保存.状態";
inline constexpr const char* savedRecordFileName = "自動保存.棋譜";
inline constexpr std::size_t maxSavedGameBytes = 2 * 1024 * 1024;

// The game-state values kept are the mode, the human's side (the computer has the other), whose
// turn, the move number, the level, the handicap and the three modes; the winner is always none.
struct SavedGame : GameValues {
    bool turned = false;  // the boards stand turned around, as far as the labels go
    float manTotalSeconds = 0;
    float comTotalSeconds = 0;
    // The seconds the side to move had spent on the move under way when the game was left, so
    // the clocks go on from what they showed (written at the way out, 0 after a move).
    float moveSeconds = 0;
    RecordHeader header;  // the names of a loaded record
    GameRecord record;    // snapshots 0..lastRecordIndex, recordIndex the one shown
    std::array<bool, recordSlots> snapshotTurned{};
    // The boards and hands as they stand (after 反転 they differ from the snapshot shown).
    Table leftBoard{};
    Table rightBoard{};
    Hand manHandLeft{}, comHandLeft{}, manHandRight{}, comHandRight{};
};

// The bytes of the file. Empty when a name has no Shift-JIS form.
std::string formatSavedGame(const SavedGame& game);

// Reads and checks the whole file into `out` (a scratch object: on a refusal its contents are
// of no use). Every value must be in its range, every position must hold one king of each side
// on each board and every piece the handicap left, between the squares and the hands.
std::optional<RecordError> parseSavedGame(std::string_view bytes, SavedGame& out,
                                          const TranslateText& translate = {});

// The pieces of each kind (index = kind index) a handicap level takes off each board.
Hand handicapRemoved(int handicapLevel);

}  // namespace nobakuza
