#include "settings/settings_file.h"

#include <optional>

#include "files/text_file.h"

namespace nobakuza {
namespace {

std::string_view onOff(bool on) {
    return on ? "ON" : "OFF";
}

std::optional<int> backgroundCodeOf(std::string_view name) {
    for (const auto& b : backgroundChoices)
        if (b.name == name) return b.code;
    return std::nullopt;
}

std::string_view backgroundNameOf(int code) {
    for (const auto& b : backgroundChoices)
        if (b.code == code) return b.name;
    return {};
}

std::optional<std::string> encodedFile(const Settings& s) {
    std::string text;
    for (const auto& line : settingsFileLines(s)) {
        if (line.empty()) continue;
        text += line;
        text += "\r\n";
    }
    return utf8ToSjis(text);
}

}  // namespace

std::array<std::string, 7> settingsFileLines(const Settings& s) {
    // An out-of-range code has no menu item checked, so it writes no background line.
    const std::string_view background = backgroundNameOf(s.backgroundCode);
    std::array<std::string, 7> lines;
    if (!background.empty()) lines[0] = "背景画=" + std::string(background);
    lines[1] = "移動指導=" + std::string(onOff(s.moveGuidance));
    lines[2] = "経過時間=" + std::string(onOff(s.elapsedTime));
    lines[3] = "BGM=" + std::string(onOff(s.bgm));
    if (s.language) lines[4] = *s.language == Language::english ? "言語=English" : "言語=日本語";
    if (s.askPromotion) lines[5] = "成りを確認=" + std::string(onOff(*s.askPromotion));
    if (s.showEvaluation) lines[6] = "形勢表示=" + std::string(onOff(*s.showEvaluation));
    return lines;
}

namespace {

void readSettingsLines(const std::string* bytes, SettingsLoad& load) {
    Settings& s = load.settings;
    size_t pos = 0;
    while (pos < bytes->size()) {
        // Lines end in CR LF; a bare LF or CR is accepted as well. Shift-JIS never uses these
        // bytes inside a character, so the lines are cut before they are decoded, and a line
        // that does not decode costs only itself.
        size_t end = bytes->find_first_of("\r\n", pos);
        if (end == std::string::npos) end = bytes->size();
        const std::optional<std::string> line =
            sjisToUtf8(std::string_view(*bytes).substr(pos, end - pos));
        pos = end;
        if (pos < bytes->size() && (*bytes)[pos] == '\r') ++pos;
        if (pos < bytes->size() && (*bytes)[pos] == '\n') ++pos;
        if (!line) continue;

        const size_t eq = line->find('=');
        if (eq == std::string::npos) continue;
        const std::string_view key = std::string_view(*line).substr(0, eq);
        const std::string_view value = std::string_view(*line).substr(eq + 1);
        if (key == "背景画") {
            if (const auto code = backgroundCodeOf(value)) s.backgroundCode = *code;
        } else if (key == "移動指導") {
            s.moveGuidance = value == "ON";
        } else if (key == "経過時間") {
            s.elapsedTime = value == "ON";
        } else if (key == "BGM") {
            s.bgm = value == "ON";
            load.startMusic = s.bgm;
        } else if (key == "言語") {
            if (value == "日本語") s.language = Language::japanese;
            if (value == "English") s.language = Language::english;
        } else if (key == "成りを確認") {
            s.askPromotion = value == "ON";
        } else if (key == "形勢表示") {
            s.showEvaluation = value == "ON";
        }
    }
}

}  // namespace

SettingsLoad 読込_環境設定ファイル(const std::string& path) {
    SettingsLoad load;
    const std::optional<std::string> bytes = readWholeFile(path, maxSettingsFileBytes);
    if (!bytes) {
        load.usedDefaults = true;
        書込_環境設定ファイル(path, load.settings, &load.writeError);
        return load;
    }
    readSettingsLines(&*bytes, load);
    return load;
}

Language languageInSettingsFile(const std::string& path) {
    SettingsLoad load;
    if (const std::optional<std::string> bytes = readWholeFile(path, maxSettingsFileBytes))
        readSettingsLines(&*bytes, load);
    return languageOf(load.settings);
}

bool 書込_環境設定ファイル(const std::string& path, const Settings& s, std::string* why,
                           const TranslateText& translate) {
    const std::optional<std::string> bytes = encodedFile(s);
    if (!bytes) return false;  // every text of the file has a Shift-JIS form
    const std::string error = writeFileAtomically(path, *bytes, translate);
    if (why != nullptr) *why = error;
    return error.empty();
}

OptionEffect chooseOption(Settings& s, OptionItem item, const std::string& path,
                          const TranslateText& translate) {
    OptionAction action = OptionAction::redrawWindow;
    switch (item) {
        case OptionItem::sidou:
            s.moveGuidance = !s.moveGuidance;
            action = s.moveGuidance ? OptionAction::guidanceOn : OptionAction::guidanceOff;
            break;
        case OptionItem::keika:
            s.elapsedTime = !s.elapsedTime;
            action = s.elapsedTime ? OptionAction::clocksOn : OptionAction::clocksOff;
            break;
        case OptionItem::bgm:
            s.bgm = !s.bgm;
            action = s.bgm ? OptionAction::musicOn : OptionAction::musicOff;
            break;
        case OptionItem::japanese:
        case OptionItem::english:
            s.language = item == OptionItem::english ? Language::english : Language::japanese;
            action = OptionAction::language;
            break;
        case OptionItem::askPromotion:
            s.askPromotion = !asksPromotion(s);
            action = OptionAction::marksOnly;
            break;
        case OptionItem::keisei:
            s.showEvaluation = !evaluationShown(s);
            action = OptionAction::evaluation;
            break;
        default:
            // The background items come first, in the menu's order.
            s.backgroundCode = backgroundChoices[static_cast<std::size_t>(item)].code;
            break;
    }
    OptionEffect effect{action, false, {}};
    effect.saved = 書込_環境設定ファイル(path, s, &effect.error, translate);
    return effect;
}

}  // namespace nobakuza
