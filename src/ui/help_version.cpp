#include "ui/help_version.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>

namespace nobakuza {

std::string currentDirectory() {
    std::array<char, 4096> buffer{};
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) return {};
    return buffer.data();
}

std::optional<std::string> findHelpPage(const std::string& startDirectory,
                                        std::string_view fileName) {
    if (startDirectory.empty()) return std::nullopt;
    std::string path = startDirectory;
    if (path.back() != '/') path += '/';
    path += fileName;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return path;
}

std::string fileUrlFor(const std::string& absolutePath) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : absolutePath) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

std::array<std::string, 3> versionPictureLines() {
    return {std::string(programName) + "  Version " + std::string(programVersion),
            "二面指し将棋  ― ２枚の盤で指す将棋 ―", std::string(homePageAddress)};
}

}  // namespace nobakuza
