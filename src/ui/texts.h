// The texts the window prints: move texts, kanji numerals, handicap grades, refusals.
#pragma once

#include <string>
#include <string_view>

namespace nobakuza {

// Move-text vocabulary: 1..9 full-width digits, 1001..1009 kanji numerals, piece codes of
// either side their names ("歩", "香成", ...). Any other code gives an empty text.
std::string_view 文字列変換(int code);

// A value printed with one digit gets a leading "0", two digits stay, any other length gives
// an empty text ("7" -> "07", "-5" -> "-5", "100" -> "").
std::string 変換_数字から文字(long long n);

// The handicap grades -10..10 and 99 "手目"; empty for any other code.
std::string_view handicapText(int code);

// The first line of the handicap refusals 1..3; empty for any other code.
std::string_view refusalText(int code);

// The kanji numeral "一" … "九" of 1..9; empty otherwise.
std::string_view kanjiNumeral(int value);

}  // namespace nobakuza
