#include "records/archive.h"

#include <algorithm>
#include <regex>
#include <utility>
#include <vector>

#include "files/file_system.h"
#include "records/record_file.h"

namespace nobakuza {

namespace {

const std::regex& archiveName() {
    // The extension's leading dot taken literally; the count kept short enough to read.
    static const std::regex name(std::string(R"((\d{4}-\d{2}-\d{2}_\d{4})(?:-(\d{1,6}))?\)") +
                                 recordFileExtension);
    return name;
}

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

}  // namespace

std::string archiveStamp(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H%M", &local);
    return text;
}

std::string archiveTitle(const std::string& stamp) {
    if (stamp.size() < 15) return stamp;
    return stamp.substr(0, 10) + ' ' + stamp.substr(11, 2) + ':' + stamp.substr(13, 2);
}

std::string archivePathFor(const std::string& folder, const std::string& stamp) {
    for (int n = 1;; ++n) {
        std::string name = stamp;
        if (n > 1) name += '-' + std::to_string(n);
        const std::string path = inFolder(folder, name + recordFileExtension);
        if (!fileExists(path)) return path;
    }
}

void pruneArchive(const std::string& folder, int limit) {
    // Oldest first: by the minute, then by the number within the minute.
    std::vector<std::pair<std::pair<std::string, int>, std::string>> kept;
    for (const std::string& name : regularFileNames(folder)) {
        std::smatch m;
        if (!std::regex_match(name, m, archiveName())) continue;
        kept.push_back({{m[1].str(), m[2].matched ? std::stoi(m[2].str()) : 1}, name});
    }
    if (static_cast<int>(kept.size()) <= limit) return;
    std::sort(kept.begin(), kept.end());
    for (std::size_t i = 0; i + static_cast<std::size_t>(limit) < kept.size(); ++i)
        removeFile(inFolder(folder, kept[i].second));
}

}  // namespace nobakuza
