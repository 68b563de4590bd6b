// The player's display options (the ｵﾌﾟｼｮﾝ menu) and the file that keeps them between runs,
// `Nobakuza.ini` in the current folder: Shift-JIS, CR LF, one "key=value" line per option.
//
// The menu check marks are the live state; the Game owns one `Settings` value and keeps the
// window in step with it. What the Game calls, and when:
//
//   start-up (`Form_Load`, after geometry and colours, before `初期設定`):
//       SettingsLoad load = 読込_環境設定ファイル(settingsFileName);
//       then set the check marks from load.settings (チェック設定 (backgroundCode), SIDOU, KEIKA,
//       BGM), backgroundCode, moveGuidanceOn and guideColor = guideColorFor(load.settings), and
//       start the music looping only if load.startMusic.
//   a menu item (MIDORI_Click … RENGA_Click, SIDOU_Click, KEIKA_Click, BGM_Click):
//       OptionEffect e = chooseOption(settings, item, settingsFileName);
//       then carry out e.action on the window (see OptionAction) and refresh the check marks
//       from `settings`. The file has already been rewritten.
//
// Nothing here touches the window. A file that cannot be written is the one thing the player
// hears of (once): load.writeError and e.error say why.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/translation.h"

namespace nobakuza {

inline constexpr const char* settingsFileName = "Nobakuza.ini";
// Far above the four lines of a settings file; a larger file is no settings file of ours.
inline constexpr std::size_t maxSettingsFileBytes = 64 * 1024;

// The five backgrounds of the menu, in menu order. `code` is the picture code of the window's
// background tiles (`backgroundCode`), `name` the value kept in the file.
struct BackgroundChoice {
    int code;
    std::string_view name;
    std::string_view menuItem;
};
inline constexpr std::array<BackgroundChoice, 5> backgroundChoices = {{
    {2, "緑", "MIDORI"},
    {3, "畳", "TATAMI"},
    {4, "竹", "TAKE"},
    {5, "宇宙", "UCHU"},
    {6, "煉瓦", "RENGA"},
}};
inline constexpr int defaultBackgroundCode = 2;  // 緑

struct Settings {
    int backgroundCode = defaultBackgroundCode;  // 2..6, exactly one background item checked
    bool moveGuidance = false;                   // SIDOU, 移動指導
    bool elapsedTime = true;                     // KEIKA, 経過時間: the clocks run and show
    bool bgm = true;                             // BGM: the music loops
    // 言語: kept as "言語=日本語" or "言語=English" once the player has chosen; a file without
    // the line means Japanese and gets none.
    std::optional<Language> language;
    // 成りを確認: a left-click move that may promote asks first. Kept as "成りを確認=ON" or
    // "=OFF" once the player has chosen; a file without the line means off and gets none.
    std::optional<bool> askPromotion;
    // 形勢表示, the evaluation bar: kept as "形勢表示=ON" or "形勢表示=OFF" once the player has
    // chosen it; a file without the line means off and gets none.
    std::optional<bool> showEvaluation;

    bool operator==(const Settings&) const = default;
};

// The file's lines for these settings, in file order (background, 移動指導, 経過時間, BGM, 言語,
// 成りを確認, 形勢表示); a line that is not written is empty.
std::array<std::string, 7> settingsFileLines(const Settings& s);

inline bool asksPromotion(const Settings& s) {
    return s.askPromotion.value_or(false);
}

inline Language languageOf(const Settings& s) {
    return s.language.value_or(Language::japanese);
}

inline bool evaluationShown(const Settings& s) {
    return s.showEvaluation.value_or(false);
}

struct SettingsLoad {
    Settings settings;
    // The file was missing or unreadable, so the defaults were written in its place.
    bool usedDefaults = false;
    // The file said "BGM=ON": start the music looping now. On the default path the item is
    // checked but the music waits until the next start or a toggle.
    bool startMusic = false;
    // On the default path: why the default file could not be written ("" when it was).
    std::string writeError;
};

// Reads the settings file once at start-up. Keys and values are compared exactly: a value other
// than "ON" switches an option off ("on" included), an unknown background name or key changes
// nothing, a line without "=" or one that is not Shift-JIS is skipped, and a file without a 背景画
// line keeps green. A file that cannot be read (missing, not a regular file, larger than
// maxSettingsFileBytes) is replaced by the default file.
SettingsLoad 読込_環境設定ファイル(const std::string& path);

// The language the file asks for, read as above but never written: for the program's answers
// before it has a window (--help). Japanese when there is no file or no 言語 line.
Language languageInSettingsFile(const std::string& path);

// Rewrites the whole file from `s` through a temporary file and a rename. Returns false when it
// could not be written, with the reason in `why` when given; the old file is then left exactly
// as it was.
bool 書込_環境設定ファイル(const std::string& path, const Settings& s, std::string* why = nullptr,
                           const TranslateText& translate = {});

// The items of the ｵﾌﾟｼｮﾝ menu; the five backgrounds first, in the order of backgroundChoices.
enum class OptionItem {
    midori,
    tatami,
    take,
    uchu,
    renga,
    sidou,
    keika,
    bgm,
    japanese,
    english,
    askPromotion,
    keisei,
};

// What the window must do after an option item was chosen.
enum class OptionAction {
    redrawWindow,  // a background item: 画面_再描画 (also when it was already checked)
    guidanceOff,   // outline every square of both boards and the hand cells (-1, k) and
                   // (11, k + 2), k = 1..7, of both boards in gridColor; then
                   // moveGuidanceOn = 0, guideColor = gridColor
    guidanceOn,    // moveGuidanceOn = 1, guideColor = colorWhite
    clocksOff,     // disable Timer1, 消去_所有時間 for manSide and comSide
    clocksOn,      // enable Timer1, 描画_所有時間 for comSide and manSide with their totals
    musicOff,      // dsStop of the music buffer
    musicOn,       // dsPlayLooping of the music buffer
    language,      // every text of the window again, in the language now chosen
    marksOnly,     // nothing but the check marks
    evaluation,    // the evaluation bar shown or wiped, as 形勢表示 now says
};

struct OptionEffect {
    OptionAction action;
    bool saved;         // the file now holds the new settings
    std::string error;  // when not saved: why
};

// Applies a menu item to `s` (a background item that is already checked leaves it as it is),
// rewrites the file and says what the window has to do.
OptionEffect chooseOption(Settings& s, OptionItem item, const std::string& path,
                          const TranslateText& translate = {});

}  // namespace nobakuza
