#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "board/board_model.h"
#include "settings/text_file.h"

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("nobakuza_settings_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / settingsFileName).string();
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }

    // The file as UTF-8 lines; fails the test when it is not CR LF Shift-JIS.
    std::vector<std::string> fileLines() const {
        const auto bytes = readWholeFile(path_);
        EXPECT_TRUE(bytes.has_value());
        if (!bytes) return {};
        const auto text = sjisToUtf8(*bytes);
        EXPECT_TRUE(text.has_value());
        std::vector<std::string> lines;
        size_t pos = 0;
        while (text && pos < text->size()) {
            const size_t end = text->find("\r\n", pos);
            EXPECT_NE(end, std::string::npos) << "line without CR LF";
            if (end == std::string::npos) break;
            lines.push_back(text->substr(pos, end - pos));
            pos = end + 2;
        }
        return lines;
    }
    void writeUtf8(const std::string& text) const {
        ASSERT_EQ(writeFileAtomically(path_, *utf8ToSjis(text)), "");
    }

    fs::path dir_;
    std::string path_;
};

const std::vector<std::string> defaultLines = {"背景画=緑", "移動指導=OFF", "経過時間=ON",
                                               "BGM=ON"};

TEST_F(SettingsFileTest, MissingOrUnreadableFileIsReplacedByTheDefaults) {
    // Missing.
    SettingsLoad load = 読込_環境設定ファイル(path_);
    EXPECT_TRUE(load.usedDefaults);
    EXPECT_EQ(load.settings, Settings{});
    EXPECT_FALSE(load.startMusic);  // checked, but the music waits for the next start
    EXPECT_EQ(fileLines(), defaultLines);
    EXPECT_EQ(guideColorFor(load.settings), squareFrameColor);

    // Not Shift-JIS (a cut-off lead byte): unreadable, so the defaults again.
    ASSERT_EQ(writeFileAtomically(path_, "BGM=OFF\r\n\x81"), "");
    load = 読込_環境設定ファイル(path_);
    EXPECT_TRUE(load.usedDefaults);
    EXPECT_TRUE(load.settings.bgm);
    EXPECT_EQ(fileLines(), defaultLines);

    // Reading a good file leaves it as it was.
    writeUtf8("背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n");
    load = 読込_環境設定ファイル(path_);
    EXPECT_FALSE(load.usedDefaults);
    EXPECT_EQ(load.settings, (Settings{5, true, false, true}));
    EXPECT_TRUE(load.startMusic);
    EXPECT_EQ(guideColorFor(load.settings), paletteWhite);
    EXPECT_EQ(fileLines(),
              (std::vector<std::string>{"背景画=宇宙", "移動指導=ON", "経過時間=OFF", "BGM=ON"}));
}

TEST_F(SettingsFileTest, ReadingComparesExactlyAndSkipsWhatItDoesNotKnow) {
    // Only the music line: everything else keeps its default.
    writeUtf8("BGM=OFF\r\n");
    SettingsLoad load = 読込_環境設定ファイル(path_);
    EXPECT_FALSE(load.usedDefaults);
    EXPECT_EQ(load.settings, (Settings{2, false, true, false}));
    EXPECT_FALSE(load.startMusic);

    // Lower-case "on" is OFF; unknown keys, unknown backgrounds and lines without "=" change
    // nothing and reading goes on; a value may itself hold "=".
    writeUtf8(
        "背景画=竹\r\nnonsense\r\n移動指導=on\r\n背景画=青\r\n色=赤\r\n経過時間=ON=1\r\n"
        "BGM=On\r\n");
    load = 読込_環境設定ファイル(path_);
    EXPECT_FALSE(load.usedDefaults);
    EXPECT_EQ(load.settings, (Settings{4, false, false, false}));
    EXPECT_FALSE(load.startMusic);

    // Bare LF endings, no final line end, and each background name.
    const std::vector<std::pair<std::string, int>> names = {
        {"緑", 2}, {"畳", 3}, {"竹", 4}, {"宇宙", 5}, {"煉瓦", 6}};
    for (const auto& [name, code] : names) {
        writeUtf8("移動指導=ON\n背景画=" + name);
        load = 読込_環境設定ファイル(path_);
        EXPECT_EQ(load.settings.backgroundCode, code) << name;
        EXPECT_TRUE(load.settings.moveGuidance);
    }

    // An empty file: the defaults, but nothing asks for the music and nothing is rewritten.
    writeUtf8("");
    load = 読込_環境設定ファイル(path_);
    EXPECT_FALSE(load.usedDefaults);
    EXPECT_EQ(load.settings, Settings{});
    EXPECT_FALSE(load.startMusic);
    EXPECT_TRUE(fileLines().empty());
}

TEST_F(SettingsFileTest, EveryMenuItemRewritesTheWholeFile) {
    Settings s;
    struct Step {
        OptionItem item;
        OptionAction action;
        std::vector<std::string> lines;
    };
    const std::vector<Step> steps = {
        {OptionItem::tatami,
         OptionAction::redrawWindow,
         {"背景画=畳", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
        {OptionItem::take,
         OptionAction::redrawWindow,
         {"背景画=竹", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
        {OptionItem::uchu,
         OptionAction::redrawWindow,
         {"背景画=宇宙", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
        {OptionItem::renga,
         OptionAction::redrawWindow,
         {"背景画=煉瓦", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
        {OptionItem::renga,
         OptionAction::redrawWindow,  // already checked: still rewritten
         {"背景画=煉瓦", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
        {OptionItem::sidou,
         OptionAction::guidanceOn,
         {"背景画=煉瓦", "移動指導=ON", "経過時間=ON", "BGM=ON"}},
        {OptionItem::keika,
         OptionAction::clocksOff,
         {"背景画=煉瓦", "移動指導=ON", "経過時間=OFF", "BGM=ON"}},
        {OptionItem::bgm,
         OptionAction::musicOff,
         {"背景画=煉瓦", "移動指導=ON", "経過時間=OFF", "BGM=OFF"}},
        {OptionItem::sidou,
         OptionAction::guidanceOff,
         {"背景画=煉瓦", "移動指導=OFF", "経過時間=OFF", "BGM=OFF"}},
        {OptionItem::keika,
         OptionAction::clocksOn,
         {"背景画=煉瓦", "移動指導=OFF", "経過時間=ON", "BGM=OFF"}},
        {OptionItem::bgm,
         OptionAction::musicOn,
         {"背景画=煉瓦", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
        {OptionItem::midori, OptionAction::redrawWindow, defaultLines},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        const OptionEffect e = chooseOption(s, steps[i].item, path_);
        EXPECT_EQ(e.action, steps[i].action) << "step " << i;
        EXPECT_TRUE(e.saved) << "step " << i;
        EXPECT_EQ(fileLines(), steps[i].lines) << "step " << i;
        // What was written reads back as the same settings.
        EXPECT_EQ(読込_環境設定ファイル(path_).settings, s) << "step " << i;
    }

    // A folder that cannot be written: the choice still takes effect, the old file stays whole
    // and no temporary file is left behind.
    if (::geteuid() != 0) {
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        const OptionEffect e = chooseOption(s, OptionItem::take, path_);
        fs::permissions(dir_, fs::perms::owner_all);
        EXPECT_FALSE(e.saved);
        EXPECT_EQ(e.action, OptionAction::redrawWindow);
        EXPECT_EQ(s.backgroundCode, 4);
        EXPECT_EQ(fileLines(), defaultLines);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    }
}

}  // namespace
}  // namespace nobakuza
