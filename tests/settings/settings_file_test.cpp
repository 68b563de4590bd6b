#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "ui/screen.h"

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

// "a|b" -> "a\r\nb\r\n", the file's lines as they are on disk (before Shift-JIS).
std::string crlf(const std::string& lines) {
    std::string out;
    for (const char c : lines + "|") out += c == '|' ? std::string("\r\n") : std::string(1, c);
    return out;
}
const std::string defaults = crlf("背景画=緑|移動指導=OFF|経過時間=ON|BGM=ON");

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
    // The file decoded from Shift-JIS; "?" when it is missing or not Shift-JIS.
    std::string file() const {
        const auto bytes = readWholeFile(path_);
        const auto text = bytes ? sjisToUtf8(*bytes) : std::nullopt;
        return text.value_or("?");
    }
    SettingsLoad load(const std::string& utf8) const {
        EXPECT_EQ(writeFileAtomically(path_, *utf8ToSjis(utf8)), "");
        return 読込_環境設定ファイル(path_);
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(SettingsFileTest, MissingOrUnreadableFileIsReplacedByTheDefaults) {
    SettingsLoad l = 読込_環境設定ファイル(path_);  // missing
    EXPECT_TRUE(l.usedDefaults);
    EXPECT_EQ(l.settings, Settings{});
    EXPECT_FALSE(l.startMusic);  // checked, but the music waits for the next start
    EXPECT_EQ(file(), defaults);
    EXPECT_EQ(guideColorFor(l.settings), squareFrameColor);

    // A file one byte larger than any settings file is not read but replaced; at the limit it
    // is read.
    const std::string off = "BGM=OFF\r\n";
    ASSERT_EQ(writeFileAtomically(path_, off + std::string(maxSettingsFileBytes - off.size(), ' ')),
              "");
    l = 読込_環境設定ファイル(path_);
    EXPECT_FALSE(l.usedDefaults || l.settings.bgm);
    ASSERT_EQ(
        writeFileAtomically(path_, off + std::string(maxSettingsFileBytes + 1 - off.size(), ' ')),
        "");
    l = 読込_環境設定ファイル(path_);
    EXPECT_TRUE(l.usedDefaults);
    EXPECT_TRUE(l.settings.bgm);
    EXPECT_EQ(file(), defaults);

    const std::string good = crlf("背景画=宇宙|移動指導=ON|経過時間=OFF|BGM=ON");
    l = load(good);
    EXPECT_FALSE(l.usedDefaults);
    EXPECT_EQ(l.settings, (Settings{5, true, false, true, {}, {}, {}}));
    EXPECT_TRUE(l.startMusic);
    EXPECT_EQ(guideColorFor(l.settings), colorGuide);
    EXPECT_EQ(file(), good);  // reading never rewrites a good file
}

TEST_F(SettingsFileTest, ReadingComparesExactlyAndSkipsWhatItDoesNotKnow) {
    SettingsLoad l = load("BGM=OFF\r\n");  // only the music item changes
    EXPECT_EQ(l.settings, (Settings{2, false, true, false, {}, {}, {}}));
    EXPECT_FALSE(l.startMusic);

    // Lower-case "on" is OFF; unknown keys and backgrounds and lines without "=" change nothing
    // and reading goes on; a value may itself hold "=".
    l = load(crlf("背景画=竹|nonsense|移動指導=on|背景画=青|色=赤|経過時間=ON=1|BGM=On"));
    EXPECT_FALSE(l.usedDefaults);
    EXPECT_EQ(l.settings, (Settings{4, false, false, false, {}, {}, {}}));
    EXPECT_EQ(load("形勢表示=ON").settings.showEvaluation, true);
    EXPECT_EQ(load("形勢表示=on").settings.showEvaluation, false);

    // Bare LF, no final line end, every background name.
    const std::vector<std::pair<std::string, int>> names = {
        {"緑", 2}, {"畳", 3}, {"竹", 4}, {"宇宙", 5}, {"煉瓦", 6}};
    for (const auto& [name, code] : names) {
        l = load("移動指導=ON\n背景画=" + name);
        EXPECT_EQ(l.settings.backgroundCode, code) << name;
        EXPECT_TRUE(l.settings.moveGuidance);
    }

    l = load("");  // empty: the defaults, no music asked for, nothing rewritten
    EXPECT_EQ(l.settings, Settings{});
    EXPECT_FALSE(l.usedDefaults || l.startMusic);
    EXPECT_EQ(file(), "");
}

TEST_F(SettingsFileTest, ABadLineCostsOnlyItselfAndANameThatIsNoFileNeverWaits) {
    // One byte that is not Shift-JIS spoils its own line only; the file is left as it is.
    const std::string mixed =
        *utf8ToSjis("背景画=竹\r\n") + "BGM=\x81\r\n" + *utf8ToSjis("移動指導=ON\r\nBGM=OFF\r\n");
    ASSERT_EQ(writeFileAtomically(path_, mixed), "");
    SettingsLoad l = 読込_環境設定ファイル(path_);
    EXPECT_FALSE(l.usedDefaults);
    EXPECT_EQ(l.settings, (Settings{4, true, true, false, {}, {}, {}}));
    EXPECT_EQ(readWholeFile(path_), mixed);

    // A pipe or a folder by that name: the defaults at once, and the reason the default file
    // could not take its place.
    fs::remove(path_);
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    l = 読込_環境設定ファイル(path_);
    EXPECT_TRUE(l.usedDefaults);
    EXPECT_EQ(l.writeError, "「" + path_ + "」に書き込めません。ファイルではなくパイプです。");
    EXPECT_TRUE(fs::is_fifo(path_));
    fs::remove(path_);
    fs::create_directory(path_);
    l = 読込_環境設定ファイル(path_);
    EXPECT_TRUE(l.usedDefaults);
    EXPECT_EQ(l.settings, Settings{});
    EXPECT_NE(l.writeError.find("フォルダです"), std::string::npos);
    Settings s;
    const OptionEffect e = chooseOption(s, OptionItem::bgm, path_);
    EXPECT_FALSE(e.saved);
    EXPECT_EQ(e.error, l.writeError);
    EXPECT_EQ(e.action, OptionAction::musicOff);
}

TEST_F(SettingsFileTest, EveryMenuItemRewritesTheWholeFile) {
    struct Step {
        OptionItem item;
        OptionAction action;
        std::string lines;
    };
    using I = OptionItem;
    using A = OptionAction;
    const std::vector<Step> steps = {
        {I::tatami, A::redrawWindow, "背景画=畳|移動指導=OFF|経過時間=ON|BGM=ON"},
        {I::take, A::redrawWindow, "背景画=竹|移動指導=OFF|経過時間=ON|BGM=ON"},
        {I::uchu, A::redrawWindow, "背景画=宇宙|移動指導=OFF|経過時間=ON|BGM=ON"},
        {I::renga, A::redrawWindow, "背景画=煉瓦|移動指導=OFF|経過時間=ON|BGM=ON"},
        {I::renga, A::redrawWindow, "背景画=煉瓦|移動指導=OFF|経過時間=ON|BGM=ON"},
        {I::sidou, A::guidanceOn, "背景画=煉瓦|移動指導=ON|経過時間=ON|BGM=ON"},
        {I::keika, A::clocksOff, "背景画=煉瓦|移動指導=ON|経過時間=OFF|BGM=ON"},
        {I::bgm, A::musicOff, "背景画=煉瓦|移動指導=ON|経過時間=OFF|BGM=OFF"},
        {I::sidou, A::guidanceOff, "背景画=煉瓦|移動指導=OFF|経過時間=OFF|BGM=OFF"},
        {I::keika, A::clocksOn, "背景画=煉瓦|移動指導=OFF|経過時間=ON|BGM=OFF"},
        {I::bgm, A::musicOn, "背景画=煉瓦|移動指導=OFF|経過時間=ON|BGM=ON"},
        {I::midori, A::redrawWindow, "背景画=緑|移動指導=OFF|経過時間=ON|BGM=ON"},
        // 成りを確認 is written once chosen, never before.
        {I::askPromotion, A::marksOnly, "背景画=緑|移動指導=OFF|経過時間=ON|BGM=ON|成りを確認=ON"},
        {I::askPromotion, A::marksOnly, "背景画=緑|移動指導=OFF|経過時間=ON|BGM=ON|成りを確認=OFF"},
        // 形勢表示 has its line once chosen, and keeps it when switched off again.
        {I::keisei, A::evaluation,
         "背景画=緑|移動指導=OFF|経過時間=ON|BGM=ON|成りを確認=OFF|形勢表示=ON"},
        {I::keisei, A::evaluation,
         "背景画=緑|移動指導=OFF|経過時間=ON|BGM=ON|成りを確認=OFF|形勢表示=OFF"},
    };
    Settings s;
    for (size_t i = 0; i < steps.size(); ++i) {
        const OptionEffect e = chooseOption(s, steps[i].item, path_);
        EXPECT_EQ(e.action, steps[i].action) << "step " << i;
        EXPECT_TRUE(e.saved) << "step " << i;
        EXPECT_EQ(file(), crlf(steps[i].lines)) << "step " << i;
        EXPECT_EQ(読込_環境設定ファイル(path_).settings, s) << "step " << i;
    }

    // A folder that cannot be written: the choice still takes effect, the old file stays whole
    // and no temporary file is left behind.
    if (::geteuid() != 0) {
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        const OptionEffect e = chooseOption(s, OptionItem::take, path_);
        fs::permissions(dir_, fs::perms::owner_all);
        EXPECT_FALSE(e.saved);
        EXPECT_EQ(s.backgroundCode, 4);
        EXPECT_EQ(file(), defaults);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    }
}

}  // namespace
}  // namespace nobakuza
