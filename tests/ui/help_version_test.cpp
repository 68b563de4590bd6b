#include "ui/help_version.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

TEST(HelpAndVersion, HelpPageIsFoundOnlyWhenItIsThere) {
    const fs::path dir =
        fs::temp_directory_path() / ("nobakuza_help_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    EXPECT_FALSE(findHelpPage(dir.string()).has_value());  // missing: 解説 does nothing
    EXPECT_FALSE(findHelpPage("").has_value());
    fs::create_directory(dir / "Nobakuza.htm");  // a folder of that name is no page
    EXPECT_FALSE(findHelpPage(dir.string()).has_value());
    fs::remove(dir / "Nobakuza.htm");
    std::ofstream(dir / "Nobakuza.htm") << "<html></html>";
    EXPECT_EQ(findHelpPage(dir.string()), (dir / "Nobakuza.htm").string());
    EXPECT_EQ(findHelpPage(dir.string() + "/"), (dir / "Nobakuza.htm").string());
    fs::remove_all(dir);

    EXPECT_EQ(fileUrlFor("/home/a b/将棋#1/Nobakuza.htm"),
              "file:///home/a%20b/%E5%B0%86%E6%A3%8B%231/Nobakuza.htm");
    EXPECT_FALSE(currentDirectory().empty());
}

TEST(HelpAndVersion, VersionMatchesTheBuildAndTheShippedPageIsSound) {
    std::ifstream cmake(NOBAKUZA_SOURCE_DIR "/CMakeLists.txt");
    std::stringstream top;
    top << cmake.rdbuf();
    std::smatch m;
    const std::string text = top.str();
    ASSERT_TRUE(std::regex_search(text, m, std::regex(R"(project\(Nobakuza VERSION ([0-9.]+))")));
    EXPECT_EQ(m[1].str(), programVersion);
    EXPECT_NE(versionPictureLines()[0].find(std::string(programVersion)), std::string::npos);

    // The page shipped beside the program: UTF-8 declared, and every menu it explains named.
    std::ifstream page(NOBAKUZA_SOURCE_DIR "/assets/Nobakuza.htm");
    ASSERT_TRUE(page.good());
    std::stringstream html;
    html << page.rdbuf();
    const std::string h = html.str();
    EXPECT_NE(h.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* word : {"対局", "局面", "棋譜", "ｵﾌﾟｼｮﾝ", "その他", "スタート", "先手", "後手",
                             "移動指導", "経過時間", "BGM", "解説", "バージョン情報"})
        EXPECT_NE(h.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace nobakuza
