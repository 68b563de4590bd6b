#include "ui/texts.h"

#include <array>
#include <cstdlib>

namespace nobakuza {

namespace {

constexpr std::array<std::string_view, 10> fullWidthDigits = {"",   "１", "２", "３", "４",
                                                              "５", "６", "７", "８", "９"};
constexpr std::array<std::string_view, 10> kanjiNumerals = {"",   "一", "二", "三", "四",
                                                            "五", "六", "七", "八", "九"};

constexpr std::array<std::string_view, 21> handicapTexts = {
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"};

}  // namespace

std::string_view 文字列変換(int code) {
    if (code >= 1 && code <= 9) return fullWidthDigits[code];
    if (code >= 1001 && code <= 1009) return kanjiNumerals[code - 1000];
    switch (std::abs(code)) {
        case 10:
            return "歩";
        case 11:
            return "と";
        case 20:
            return "香";
        case 21:
            return "香成";
        case 30:
            return "桂";
        case 31:
            return "桂成";
        case 100:
            return "銀";
        case 101:
            return "銀成";
        case 110:
            return "金";
        case 800:
            return "角";
        case 801:
            return "角成";
        case 900:
            return "飛";
        case 901:
            return "飛成";
        case 950:
            return "王";
        default:
            return "";
    }
}

std::string 変換_数字から文字(long long n) {
    std::string text = std::to_string(n);
    if (text.size() == 1) return "0" + text;
    if (text.size() == 2) return text;
    return "";
}

std::string_view handicapText(int code) {
    if (code >= -10 && code <= 10) return handicapTexts[code + 10];
    if (code == 99) return "手目";
    return "";
}

std::string_view refusalText(int code) {
    switch (code) {
        case 1:
            return "棋譜ﾓｰﾄﾞではできません";
        case 2:
            return "対局途中ではできません";
        case 3:
            return "反転後ではできません";
        default:
            return "";
    }
}

std::string_view kanjiNumeral(int value) {
    return value >= 1 && value <= 9 ? kanjiNumerals[value] : std::string_view{};
}

}  // namespace nobakuza
