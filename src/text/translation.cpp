#include "text/translation.h"

#include <libintl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>

#ifndef NOBAKUZA_LOCALE_FROM_PROGRAM
#define NOBAKUZA_LOCALE_FROM_PROGRAM "../share/locale"
#endif

namespace nobakuza {
namespace {

// A text the catalogue must translate; asking for it tells whether the catalogue was found.
constexpr const char* probeText = "対局";

bool hasEnglishCatalogue(const std::string& folder) {
    struct stat st {};
    const std::string mo = folder + "/en/LC_MESSAGES/" + textDomain + ".mo";
    return ::stat(mo.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string programFolder() {
    std::array<char, 4096> path{};
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) return {};
    std::string p(path.data(), static_cast<std::size_t>(n));
    const std::size_t slash = p.rfind('/');
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

// gettext ignores LANGUAGE while the messages locale is "C", which is what a program gets
// without a locale in its environment; C.UTF-8 is always there in the C library.
bool messagesLocaleUsable() {
    const char* current = std::setlocale(LC_MESSAGES, nullptr);
    if (current != nullptr && std::strcmp(current, "C") != 0 && std::strcmp(current, "POSIX") != 0)
        return true;
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
        if (std::setlocale(LC_MESSAGES, name) != nullptr) return true;
    return false;
}

// The process caches translations by locale, not by LANGUAGE; naming the default domain again
// tells it the catalogues changed.
void forgetCachedTranslations() {
    const char* domain = ::textdomain(nullptr);
    ::textdomain(domain != nullptr ? std::string(domain).c_str() : "messages");
}

}  // namespace

std::string fillPlaces(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
            pattern[i + 1] >= '0' && pattern[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '0');
            if (n < args.size()) {
                out += *(args.begin() + n);
                i += 2;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string findLocaleFolder() {
    const std::string here = programFolder();
    if (here.empty()) return {};
    for (const std::string& candidate :
         {here + "/locale", here + "/" + NOBAKUZA_LOCALE_FROM_PROGRAM}) {
        if (hasEnglishCatalogue(candidate)) return candidate;
    }
    return {};
}

bool Translator::setLanguage(Language language, const std::string& localeFolder) {
    if (language == Language::japanese) {
        language_ = language;
        return true;
    }
    if (localeFolder.empty() || !hasEnglishCatalogue(localeFolder) || !messagesLocaleUsable())
        return false;
    ::bindtextdomain(textDomain, localeFolder.c_str());
    ::bind_textdomain_codeset(textDomain, "UTF-8");
    ::setenv("LANGUAGE", "en", 1);
    forgetCachedTranslations();
    if (std::strcmp(::dgettext(textDomain, probeText), probeText) == 0) return false;
    language_ = language;
    return true;
}

const char* Translator::operator()(const char* japanese) const {
    if (language_ == Language::japanese || japanese == nullptr || *japanese == '\0')
        return japanese;
    return ::dgettext(textDomain, japanese);
}

std::string Translator::format(const char* pattern,
                               std::initializer_list<std::string_view> args) const {
    return fillPlaces((*this)(pattern), args);
}

bool hasJapanese(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0;
        std::size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else {
            cp = c & 0x07;
            len = 4;
        }
        for (std::size_t k = 1; k < len && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += len;
        const bool kanaOrPunctuation = cp >= 0x3000 && cp <= 0x30FF;
        const bool kanji = (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF);
        const bool wideOrHalfWidth = cp >= 0xFF00 && cp <= 0xFFEF;
        if (kanaOrPunctuation || kanji || wideOrHalfWidth) return true;
    }
    return false;
}

}  // namespace nobakuza
