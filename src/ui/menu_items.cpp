#include "ui/menu_items.h"

#include <array>

namespace nobakuza {

namespace {

using enum MenuItem;

constexpr std::array<MenuEntry, menuItemCount> entries = {{
    {TAIKYOKU, "対局", TAIKYOKU, true, false},
    {MATCH_MAN, "対局(人間)", TAIKYOKU, true, false},
    {START, "スタート", MATCH_MAN, false, false},
    {START2, "対局(COM)", TAIKYOKU, true, false},
    {SENTE, "先手", START2, false, false},
    {GOTE, "後手", START2, false, false},
    {LEVEL, "COM対局ﾚﾍﾞﾙ", START2, true, false},
    {LEVEL1, "LEVEL1", LEVEL, false, true},
    {LEVEL2, "LEVEL2", LEVEL, false, true},
    {LEVEL3, "LEVEL3", LEVEL, false, true},
    {LEVEL4, "LEVEL4", LEVEL, false, true},
    {LEVEL5, "LEVEL5", LEVEL, false, true},
    {OWARI, "終わり", TAIKYOKU, false, false},
    {STOP, "局面", STOP, true, false},
    {CANCEL, "最初", STOP, false, false},
    {REVERSE, "反転", STOP, false, false},
    {HINT, "ヒント", STOP, false, false},
    {MATTA, "待った", STOP, false, false},
    {KENTOU, "検討", STOP, false, false},
    {REPLAY, "戻", REPLAY, false, false},
    {AFTER, "進", AFTER, false, false},
    {LBEL_UP, "△", LBEL_UP, false, false},
    {LEBEL_DOWN, "▽", LEBEL_DOWN, false, false},
    {KIFU, "棋譜", KIFU, true, false},
    {KIFU_READ, "読込", KIFU, false, false},
    {KIFU_WRITE, "書込", KIFU, false, false},
    {OPTION, "ｵﾌﾟｼｮﾝ", OPTION, true, false},
    {HAIKEI, "背景画", OPTION, true, false},
    {MIDORI, "緑", HAIKEI, false, true},
    {TATAMI, "畳", HAIKEI, false, true},
    {TAKE, "竹", HAIKEI, false, true},
    {UCHU, "宇宙", HAIKEI, false, true},
    {RENGA, "煉瓦", HAIKEI, false, true},
    {SIDOU, "移動指導", OPTION, false, true},
    {KEIKA, "経過時間", OPTION, false, true},
    {BGM, "BGM", OPTION, false, true},
    {TEJUN, "指し手一覧", OPTION, false, true},
    {BAN_MAWASU, "盤を回す", OPTION, false, true},
    {NARI, "成りを確認", OPTION, false, true},
    {KEISEI, "形勢表示", OPTION, false, true},
    {GENGO, "言語", OPTION, true, false},
    {NIHONGO, "日本語", GENGO, false, true},
    {EIGO, "English", GENGO, false, true},
    {SONOTA, "その他", SONOTA, true, false},
    {KAISETU, "解説", SONOTA, false, false},
    {VER, "バージョン情報", SONOTA, false, false},
}};

// The table is in enum order, so an item is its own index.
constexpr bool inEnumOrder() {
    for (int i = 0; i < menuItemCount; ++i)
        if (static_cast<int>(entries[i].item) != i) return false;
    return true;
}
static_assert(inEnumOrder());

}  // namespace

std::span<const MenuEntry> menuEntries() {
    return entries;
}

const MenuEntry& menuEntry(MenuItem item) {
    return entries[static_cast<int>(item)];
}

}  // namespace nobakuza
