#include "ui/command_line.h"

#include "settings/settings_file.h"
#include "ui/help_version.h"

namespace nobakuza {

Translator commandLineTranslator() {
    Translator tr;
    tr.setLanguage(languageInSettingsFile(settingsFileName), findLocaleFolder());
    return tr;
}

CommandLine readCommandLine(int argc, const char* const* argv, const Translator& tr) {
    CommandLine c;
    bool help = false;
    bool version = false;
    // Every argument is looked at first: one that is not known refuses the whole line.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else {
            c.startGame = false;
            c.status = 2;
            c.error = "nobakuza: " +
                      (arg.starts_with("-") ? tr.format("知らないオプション「{0}」です", {arg})
                                            : tr.format("引数「{0}」は受け付けません", {arg})) +
                      tr("（--help で使い方を表示します）") + "\n";
            return c;
        }
    }
    if (help) {
        c.output =
            tr("使い方: nobakuza [--help] [--version]\n"
               "\n"
               "2 枚の盤で同時に指す将棋です。相手はコンピュータか、隣に座るもう 1 人です。\n"
               "操作はすべてウィンドウのメニューとマウスで行います。\n"
               "\n"
               "  -h, --help     この説明を表示して終わります\n"
               "      --version  版を表示して終わります\n"
               "\n"
               "設定（Nobakuza.ini）、効果音と解説のページは ~/.local/share/nobakuza に置かれます\n"
               "（XDG_DATA_HOME が設定されていればその下の nobakuza）。\n"
               "棋譜（.棋譜）は「棋譜」メニューから好きなフォルダに保存できます。\n"
               "詳しくは man nobakuza をご覧ください。\n");
    } else if (version) {
        c.output = std::string(programName) + " " + std::string(programVersion) + "\n";
    }
    c.startGame = !help && !version;
    return c;
}

std::string noWindowMessage(std::string_view display, const Translator& tr) {
    if (display.empty()) {
        return std::string("nobakuza: ") +
               tr("ウィンドウを開けません: ディスプレイがありません"
                  "（DISPLAY も WAYLAND_DISPLAY も設定されていません）") +
               "\n";
    }
    return "nobakuza: " +
           tr.format("ウィンドウを開けません: ディスプレイ「{0}」に接続できません", {display}) +
           "\n";
}

}  // namespace nobakuza
