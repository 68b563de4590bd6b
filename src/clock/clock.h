// The players' clocks: each side's total thinking time, the time spent on the move under way,
// and the "hh:mm:ss" text shown at the height of board row 9 while 経過時間 is on.
//
// Clock readings are the time of day in seconds since midnight (the window system's clock
// reading). The Game owns one ClockState and calls, from its event handlers:
//
//   初期設定 (new game):           resetClock(clock)                         -- timer off, all 0
//   a game starts (対局 menu), or
//   the first click after a
//   replay step:                   startMoveClock(clock, now, timerWanted) -- timerWanted is
//                                  KEIKA's check mark (スタート, the turn gate, com_ban) or
//                                  true (先手, 後手); run the window timer every
//                                  clockTickMilliseconds while clock.timerEnabled
//   a side completes a move:       measureMoveClock(clock, now); store the record snapshot with
//                                  the totals before and the mover's total + clock.moveSeconds
//                                  after; then finishMoveClock(clock, side == comSide, now)
//   every replay step, KEIKA off:  clock.timerEnabled = false (and stop the window timer)
//   KEIKA on:                      clock.timerEnabled = true (and start the window timer)
//   Timer1_Timer (each tick, and
//   from the computer's search):   d = clockTick(clock, now, sideToMove, comSide, manSide);
//                                  if d: 描画_所有時間 (d->side, d->seconds), repaint at once
//   描画_所有時間 (side, seconds):   nothing unless KEIKA is checked; else wipe the side's area
//                                  (clockPlaceFor), print 調査_時間秒追加結果 (seconds) at the
//                                  shadow and text positions, and for the computer re-outline
//                                  left-board square (1, 9) in squareFrameColor.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nobakuza {

// Well under a second, so a clock never skips a displayed second.
inline constexpr int clockTickMilliseconds = 100;
inline constexpr float secondsPerDay = 86400.0f;

struct ClockState {
    float comTotalSeconds = 0;  // the computer's (or sente's) thinking time so far
    float manTotalSeconds = 0;  // the human's (or gote's)
    float moveStartTime = 0;    // clock reading when the current move began
    float moveSeconds = 0;      // seconds spent on the current move, as last measured
    int lastShownSecond = 0;    // whole seconds of moveSeconds at the last redraw
    bool timerEnabled = false;  // Timer1: the clock runs only while this is set
    // Seconds a resumed game's side to move had already spent on its move: the next
    // startMoveClock goes on from them, and they stay carried by the move until it is made.
    float resumedMoveSeconds = 0;
    float carriedMoveSeconds = 0;
};

// Seconds between two clock readings; a reading smaller than the start means midnight passed.
float 調査_経過秒(float start, float now);

// "hh:mm:ss" for a number of seconds, fractions dropped: 59.9 -> "00:00:59". A field that
// needs three digits or more is left empty, so 100 hours and more start with ":".
std::string 調査_時間秒追加結果(float seconds);

void resetClock(ClockState& c);

// Starts timing the side to move from `now`, less resumedMoveSeconds (used up), and switches the
// timer on when `timerWanted` (an off timer stays off otherwise); returns whether it runs.
bool startMoveClock(ClockState& c, float now, bool timerWanted);

// A side has just moved: measures the move up to `now` into moveSeconds and returns it. Measured
// at the move rather than taken from the last tick: with the clocks switched off there is no
// tick, and the totals still go into the game record.
float measureMoveClock(ClockState& c, float now);

// Adds moveSeconds (as measured) to the mover's total and starts timing the next move at `now`.
void finishMoveClock(ClockState& c, bool computerMoved, float now);

struct ClockDisplay {
    std::int16_t side;  // comSide or manSide
    float seconds;      // total plus the current move
};

// The timer tick. Measures the current move and, when its whole-second value has changed,
// says which clock to redraw with what; nothing while the timer is off.
std::optional<ClockDisplay> clockTick(ClockState& c, float now, std::int16_t sideToMove,
                                      std::int16_t comSide, std::int16_t manSide);

}  // namespace nobakuza
