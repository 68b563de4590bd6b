#include "clock/clock.h"

#include <gtest/gtest.h>

#include <cmath>

#include "board/board_model.h"

namespace nobakuza {
namespace {

TEST(Clock, Texts) {
    EXPECT_EQ(調査_時間秒追加結果(0), "00:00:00");
    EXPECT_EQ(調査_時間秒追加結果(59.9f), "00:00:59");
    EXPECT_EQ(調査_時間秒追加結果(60), "00:01:00");
    EXPECT_EQ(調査_時間秒追加結果(3599.99f), "00:59:59");
    EXPECT_EQ(調査_時間秒追加結果(3600), "01:00:00");
    EXPECT_EQ(調査_時間秒追加結果(9 * 3600 + 9 * 60 + 9), "09:09:09");
    EXPECT_EQ(調査_時間秒追加結果(10), "00:00:10");
    EXPECT_EQ(調査_時間秒追加結果(36000 + 754.5f), "10:12:34");
    EXPECT_EQ(調査_時間秒追加結果(99 * 3600 + 3599), "99:59:59");
    EXPECT_EQ(調査_時間秒追加結果(100 * 3600), ":00:00");  // no room for three digits
    EXPECT_EQ(調査_時間秒追加結果(100 * 3600 + 61), ":01:01");
    // Just under a whole minute must not show a negative seconds field.
    EXPECT_EQ(調査_時間秒追加結果(std::nextafter(120.0f, 0.0f)), "00:01:59");
}

TEST(Clock, ElapsedTimeAcrossMidnight) {
    EXPECT_FLOAT_EQ(調査_経過秒(100, 100), 0);
    EXPECT_FLOAT_EQ(調査_経過秒(100, 130.5f), 30.5f);
    EXPECT_FLOAT_EQ(調査_経過秒(86390, 5), 15);  // 23:59:50 -> 00:00:05

    // A move started before midnight and made after it counts its real length.
    ClockState c;
    startMoveClock(c, 86395, true);
    EXPECT_FLOAT_EQ(measureMoveClock(c, 10), 15);
    finishMoveClock(c, false, 10);
    EXPECT_FLOAT_EQ(c.manTotalSeconds, 15);
    EXPECT_FLOAT_EQ(c.moveStartTime, 10);
}

TEST(Clock, TickRedrawsTheSideToMoveOncePerWholeSecond) {
    const std::int16_t com = senteSide, man = goteSide;
    ClockState c;
    // Timer off (経過時間 unchecked): the tick does nothing, and the totals still count moves.
    EXPECT_FALSE(startMoveClock(c, 1000, false));
    EXPECT_FALSE(clockTick(c, 1005, man, com, man).has_value());
    EXPECT_FLOAT_EQ(measureMoveClock(c, 1007.5f), 7.5f);
    finishMoveClock(c, false, 1007.5f);
    EXPECT_FLOAT_EQ(c.manTotalSeconds, 7.5f);

    resetClock(c);
    EXPECT_EQ(c.manTotalSeconds, 0);
    c.comTotalSeconds = 100;
    c.manTotalSeconds = 50;
    EXPECT_TRUE(startMoveClock(c, 1000, true));
    EXPECT_FALSE(clockTick(c, 1000.1f, man, com, man).has_value());  // still second 0
    EXPECT_FALSE(clockTick(c, 1000.9f, man, com, man).has_value());
    auto d = clockTick(c, 1001.0f, man, com, man);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->side, man);
    EXPECT_FLOAT_EQ(d->seconds, 51);
    EXPECT_FALSE(clockTick(c, 1001.5f, man, com, man).has_value());
    d = clockTick(c, 1003.2f, man, com, man);  // a busy wait shows up as one jump
    ASSERT_TRUE(d.has_value());
    EXPECT_NEAR(d->seconds, 53.2f, 1e-3);

    // The human moves; the computer's clock now runs on from its own total.
    EXPECT_NEAR(measureMoveClock(c, 1003.25f), 3.25f, 1e-3);
    finishMoveClock(c, false, 1003.25f);
    EXPECT_NEAR(c.manTotalSeconds, 53.25f, 1e-3);
    EXPECT_EQ(c.comTotalSeconds, 100);
    d = clockTick(c, 1004.3f, com, com, man);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->side, com);
    EXPECT_NEAR(d->seconds, 101.05f, 1e-3);
    EXPECT_EQ(調査_時間秒追加結果(d->seconds), "00:01:41");

    // A replay step stops the clock.
    c.timerEnabled = false;
    EXPECT_FALSE(clockTick(c, 1010, com, com, man).has_value());
}

}  // namespace
}  // namespace nobakuza
