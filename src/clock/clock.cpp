#include "clock/clock.h"

#include <cmath>

namespace nobakuza {
namespace {

// One digit gets a leading "0", two digits stay as they are, any other length gives "".
std::string twoDigitText(long long n) {
    if (n >= 0 && n <= 9) return std::string(1, '0') += std::to_string(n);
    if (n >= 10 && n <= 99) return std::to_string(n);
    return {};
}

}  // namespace

float 調査_経過秒(float start, float now) {
    if (start <= now) return now - start;
    return now + secondsPerDay - start;
}

std::string 調査_時間秒追加結果(float seconds) {
    // Split the whole seconds with integers: splitting the fraction in floating point can leave
    // a seconds field of -0.000001 (shown as "-1") when the minutes round up.
    double whole = std::floor(static_cast<double>(seconds));
    if (!(whole >= 0)) whole = 0;    // negative or NaN
    if (whole > 1e12) whole = 1e12;  // only the empty hour field changes from here on
    const long long total = static_cast<long long>(whole);
    const long long hours = total / 3600;
    const long long minutes = total % 3600 / 60;
    const long long secs = total % 60;
    return twoDigitText(hours) + ":" + twoDigitText(minutes) + ":" + twoDigitText(secs);
}

void resetClock(ClockState& c) {
    c = ClockState{};
}

bool startMoveClock(ClockState& c, float now, bool timerWanted) {
    c.carriedMoveSeconds = c.resumedMoveSeconds;
    c.resumedMoveSeconds = 0;
    c.moveSeconds = c.carriedMoveSeconds;
    c.moveStartTime = now - c.moveSeconds;
    if (c.moveStartTime < 0) c.moveStartTime += secondsPerDay;  // begun before midnight
    if (timerWanted) c.timerEnabled = true;
    return c.timerEnabled;
}

float measureMoveClock(ClockState& c, float now) {
    c.moveSeconds = 調査_経過秒(c.moveStartTime, now);
    return c.moveSeconds;
}

void finishMoveClock(ClockState& c, bool computerMoved, float now) {
    (computerMoved ? c.comTotalSeconds : c.manTotalSeconds) += c.moveSeconds;
    c.carriedMoveSeconds = 0;
    c.moveStartTime = now;
}

std::optional<ClockDisplay> clockTick(ClockState& c, float now, std::int16_t sideToMove,
                                      std::int16_t comSide, std::int16_t manSide) {
    if (!c.timerEnabled) return std::nullopt;
    c.moveSeconds = 調査_経過秒(c.moveStartTime, now);
    const int second = static_cast<int>(std::floor(c.moveSeconds));
    if (second == c.lastShownSecond) return std::nullopt;
    c.lastShownSecond = second;
    if (sideToMove == comSide) return ClockDisplay{comSide, c.moveSeconds + c.comTotalSeconds};
    if (sideToMove == manSide) return ClockDisplay{manSide, c.moveSeconds + c.manTotalSeconds};
    return std::nullopt;
}

}  // namespace nobakuza
