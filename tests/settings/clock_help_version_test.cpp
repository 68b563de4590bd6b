#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "board/board_model.h"
#include "settings/clock.h"
#include "settings/help_version.h"

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

TEST(Clock, Texts) {
    EXPECT_EQ(調査_時間秒追加結果(0), "00:00:00");
    EXPECT_EQ(調査_時間秒追加結果(59.9f), "00:00:59");
    EXPECT_EQ(調査_時間秒追加結果(60), "00:01:00");
    EXPECT_EQ(調査_時間秒追加結果(3599.99f), "00:59:59");
    EXPECT_EQ(調査_時間秒追加結果(3600), "01:00:00");
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

TEST(HelpAndVersion, HelpPageIsFoundOnlyWhenItIsThere) {
    const fs::path dir =
        fs::temp_directory_path() / ("nobakuza_help_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    EXPECT_FALSE(findHelpPage(dir.string()).has_value());  // missing: 解説 does nothing
    EXPECT_FALSE(findHelpPage("").has_value());
    fs::create_directory(dir / "Nobakuza.htm");  // a folder of that name is no page
    EXPECT_FALSE(findHelpPage(dir.string()).has_value());
    fs::remove(dir / "Nobakuza.htm");
    std::ofstream(dir / "Nobakuza.htm") << "<html></html>";
    EXPECT_EQ(findHelpPage(dir.string()), (dir / "Nobakuza.htm").string());
    EXPECT_EQ(findHelpPage(dir.string() + "/"), (dir / "Nobakuza.htm").string());
    fs::remove_all(dir);

    EXPECT_EQ(fileUrlFor("/home/a b/将棋#1/Nobakuza.htm"),
              "file:///home/a%20b/%E5%B0%86%E6%A3%8B%231/Nobakuza.htm");
    EXPECT_FALSE(currentDirectory().empty());
}

TEST(HelpAndVersion, VersionMatchesTheBuildAndTheShippedPageIsSound) {
    std::ifstream cmake(NOBAKUZA_SOURCE_DIR "/CMakeLists.txt");
    std::stringstream top;
    top << cmake.rdbuf();
    std::smatch m;
    const std::string text = top.str();
    ASSERT_TRUE(std::regex_search(text, m, std::regex(R"(project\(Nobakuza VERSION ([0-9.]+))")));
    EXPECT_EQ(m[1].str(), programVersion);
    EXPECT_NE(versionPictureLines()[0].find(std::string(programVersion)), std::string::npos);

    // The page shipped beside the program: UTF-8 declared, and every menu it explains named.
    std::ifstream page(NOBAKUZA_SOURCE_DIR "/assets/Nobakuza.htm");
    ASSERT_TRUE(page.good());
    std::stringstream html;
    html << page.rdbuf();
    const std::string h = html.str();
    EXPECT_NE(h.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* word : {"対局", "局面", "棋譜", "ｵﾌﾟｼｮﾝ", "その他", "スタート", "先手", "後手",
                             "移動指導", "経過時間", "BGM", "解説", "バージョン情報"})
        EXPECT_NE(h.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace nobakuza
