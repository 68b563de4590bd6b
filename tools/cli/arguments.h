// What every subcommand of nobakuza-cli does with its arguments: plain decimal numbers, and a
// refusal on standard error with exit status 2.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace nobakuza::cli {

inline int refuse(const char* command, const std::string& why) {
    std::fprintf(stderr, "nobakuza-cli %s: %s\n", command, why.c_str());
    return 2;
}

// Digits only, at most `maxDigits` of them, so the value always fits.
inline bool parseNumber(std::string_view text, std::uint64_t& value, std::size_t maxDigits = 18) {
    if (text.empty() || text.size() > maxDigits) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

inline bool parseNumber(std::string_view text, int& value) {
    std::uint64_t v = 0;
    if (!parseNumber(text, v, 4)) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace nobakuza::cli
