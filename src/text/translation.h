// The program's texts and the player's language. The texts are written in Japanese, and
// Japanese is shown unless the player chooses English; English comes from the gettext catalogue
// "nobakuza" (po/en.po, compiled at build time), found relative to the program.
//
// A text that reaches the player goes through Translator: `tr("対局")` is "対局" in Japanese and
// the catalogue's "Game" in English. A text missing from the catalogue stays Japanese, which the
// tests look for. Composed texts use numbered places: tr.format("{0}の勝ちです", {name}).
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace nobakuza {

// The language of the window's texts; Japanese unless the player chose English.
enum class Language { japanese, english };

// Turns a Japanese source text into the player's language; empty: the Japanese text itself.
using TranslateText = std::function<const char*(const char*)>;

// "{0}", "{1}", ... of a pattern replaced by the arguments; other text is left alone.
std::string fillPlaces(std::string_view pattern, std::initializer_list<std::string_view> args);

inline constexpr const char* textDomain = "nobakuza";

// Where the compiled catalogues are: <program folder>/locale in the build tree, the installed
// share/locale relative to the program once installed. Empty when neither holds the English
// catalogue.
std::string findLocaleFolder();

class Translator {
  public:
    Language language() const { return language_; }
    // Switches the language at once. English needs the catalogue in `localeFolder`; false, with
    // the language left as it was, when it cannot be opened.
    bool setLanguage(Language language, const std::string& localeFolder);

    // The text in the current language. `japanese` must live as long as the program (a literal).
    const char* operator()(const char* japanese) const;
    // Replaces "{0}", "{1}", ... of the translated pattern with the arguments.
    std::string format(const char* pattern, std::initializer_list<std::string_view> args) const;

  private:
    Language language_ = Language::japanese;
};

// Whether a text holds a Japanese character (kana, kanji, full-width or half-width forms).
bool hasJapanese(std::string_view utf8);

}  // namespace nobakuza
