#include "files/file_system.h"

#include <filesystem>

namespace nobakuza {

namespace fs = std::filesystem;

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

void removeFile(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

bool renameFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

void makeFolder(const std::string& path) {
    std::error_code ec;
    fs::create_directory(path, ec);
}

std::string absoluteFolder(const std::string& path) {
    std::error_code ec;
    const fs::path folder = fs::absolute(path, ec);
    if (ec || !fs::is_directory(folder, ec)) return {};
    return folder.string();
}

std::vector<std::string> regularFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec)) names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace nobakuza
