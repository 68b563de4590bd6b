// The window's menu bar: every menu and item, named after its control, with its caption.
#pragma once

#include <span>
#include <string_view>

namespace nobakuza {

enum class MenuItem {
    // 対局
    TAIKYOKU,
    MATCH_MAN,
    START,
    START2,
    SENTE,
    GOTE,
    LEVEL,
    LEVEL1,
    LEVEL2,
    LEVEL3,
    LEVEL4,
    LEVEL5,
    OWARI,
    // 局面
    STOP,
    CANCEL,
    REVERSE,
    HINT,
    MATTA,   // take-back
    KENTOU,  // the review of the game
    // items of the bar itself
    REPLAY,
    AFTER,
    LBEL_UP,
    LEBEL_DOWN,
    // 棋譜
    KIFU,
    KIFU_READ,
    KIFU_WRITE,
    // ｵﾌﾟｼｮﾝ
    OPTION,
    HAIKEI,
    MIDORI,
    TATAMI,
    TAKE,
    UCHU,
    RENGA,
    SIDOU,
    KEIKA,
    BGM,
    TEJUN,       // the move list beside the picture
    BAN_MAWASU,  // both boards seen from the other side (a view only)
    NARI,        // ask before promoting
    KEISEI,      // the evaluation bar beside the boards
    GENGO,
    NIHONGO,
    EIGO,
    // その他
    SONOTA,
    KAISETU,
    VER,
};

inline constexpr int menuItemCount = static_cast<int>(MenuItem::VER) + 1;

struct MenuEntry {
    MenuItem item;
    std::string_view caption;
    // The menu it sits in; an entry that is its own parent sits on the menu bar.
    MenuItem parent;
    // Opens a menu of its own rather than being a command.
    bool opensMenu;
    // Carries a check mark.
    bool checkable;
};

// In menu-bar order, each menu's items in their order.
std::span<const MenuEntry> menuEntries();
const MenuEntry& menuEntry(MenuItem item);

}  // namespace nobakuza
