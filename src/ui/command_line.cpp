#include "ui/command_line.h"

#include "ui/help_version.h"

namespace nobakuza {
namespace {

constexpr std::string_view helpText =
    "使い方: nobakuza [--help] [--version]\n"
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
    "詳しくは man nobakuza をご覧ください。\n";

constexpr std::string_view tryHelp = "（--help で使い方を表示します）";

}  // namespace

CommandLine readCommandLine(int argc, const char* const* argv) {
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
                      (arg.starts_with("-") ? "知らないオプション「" + std::string(arg) + "」です"
                                            : "引数「" + std::string(arg) + "」は受け付けません") +
                      std::string(tryHelp) + "\n";
            return c;
        }
    }
    if (help) {
        c.output = helpText;
    } else if (version) {
        c.output = std::string(programName) + " " + std::string(programVersion) + "\n";
    }
    c.startGame = !help && !version;
    return c;
}

std::string noWindowMessage(std::string_view display) {
    if (display.empty()) {
        return "nobakuza: ウィンドウを開けません: ディスプレイがありません"
               "（DISPLAY も WAYLAND_DISPLAY も設定されていません）\n";
    }
    return "nobakuza: ウィンドウを開けません: ディスプレイ「" + std::string(display) +
           "」に接続できません\n";
}

}  // namespace nobakuza
