// The folders of src/ depend on each other in one direction only: every `#include "..."` of
// another folder must be an arrow the table below allows, and only the window and the sound
// library may include Qt or SDL.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, std::set<std::string>>& allowedArrows() {
    static const std::map<std::string, std::set<std::string>> table = [] {
        std::map<std::string, std::set<std::string>> t;
        t["board"] = {};
        t["text"] = {};
        t["influence"] = {"board"};
        t["mate"] = {"influence", "board"};
        t["computer"] = {"mate", "influence", "board"};
        t["search"] = {"computer", "mate", "influence", "board"};
        t["files"] = {"text"};
        t["records"] = {"files", "board", "text"};
        // The review of a game: its record searched position by position.
        t["review"] = {"search",    "records", "computer", "mate",
                       "influence", "board",   "files",    "text"};
        t["settings"] = {"files", "text"};
        t["clock"] = {"files", "text"};
        t["sound"] = {"files", "text"};
        t["ui"] = {"board", "records", "settings", "clock", "sound", "text"};
        std::set<std::string> belowGame;
        for (const auto& [folder, arrows] : t) belowGame.insert(folder);
        t["game"] = belowGame;
        belowGame.insert("game");
        t["app"] = belowGame;
        t["sound_library"] = {};
        return t;
    }();
    return table;
}

bool mayUseWindowSystem(const std::string& folder) {
    return folder == "app" || folder == "sound_library";
}

// "file:line: text" for every include that breaks the table, in the tree under `src`.
std::vector<std::string> wrongArrows(const fs::path& src) {
    const std::regex quoted(R"(^\s*#\s*include\s*"([^"/]+)/[^"]*")");
    const std::regex windowSystem(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt|SDL))");
    std::vector<std::string> faults;
    for (const auto& folderEntry : fs::directory_iterator(src)) {
        if (!folderEntry.is_directory()) continue;
        const std::string folder = folderEntry.path().filename().string();
        const auto allowed = allowedArrows().find(folder);
        if (allowed == allowedArrows().end()) {
            faults.push_back(folderEntry.path().string() + ": a folder the table does not know");
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(folderEntry.path())) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                const std::string where =
                    entry.path().string() + ":" + std::to_string(number) + ": " + line;
                std::smatch m;
                if (std::regex_search(line, m, quoted)) {
                    const std::string target = m[1].str();
                    if (target != folder && allowed->second.count(target) == 0)
                        faults.push_back(where + "  (" + folder + " may not include " + target +
                                         ")");
                }
                if (!mayUseWindowSystem(folder) && std::regex_search(line, windowSystem))
                    faults.push_back(where + "  (only app and sound_library use Qt or SDL)");
            }
        }
    }
    return faults;
}

TEST(Layering, EveryIncludeArrowPointsDown) {
    const fs::path src = fs::path(NOBAKUZA_SOURCE_DIR) / "src";
    ASSERT_TRUE(fs::is_directory(src / "board"));
    std::string report;
    for (const std::string& fault : wrongArrows(src)) report += fault + "\n";
    EXPECT_TRUE(report.empty()) << report;
}

}  // namespace
}  // namespace nobakuza
