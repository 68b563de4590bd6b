#include "files/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace nobakuza {
namespace {

TEST(TextFile, Cp932RoundTripAndRefusals) {
    const std::string text = "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人　７六歩";
    const auto sjis = utf8ToSjis(text);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_NE(*sjis, text);
    EXPECT_EQ(sjis->substr(0, 1), "\xCA");  // half-width katakana is one byte in CP932
    EXPECT_EQ(sjisToUtf8(*sjis), text);
    EXPECT_FALSE(sjisToUtf8("\x81").has_value());              // cut-off lead byte
    EXPECT_FALSE(utf8ToSjis("\xF0\x9F\x98\x80").has_value());  // no CP932 form
}

TEST(TextFile, AtomicWriteReplacesOrLeavesTheOldFileAlone) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("nobakuza_text_file_test_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "a.txt").string();
    EXPECT_EQ(writeFileAtomically(path, "first"), "");
    EXPECT_EQ(writeFileAtomically(path, "second"), "");
    EXPECT_EQ(readWholeFile(path), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // A folder we cannot write into: the write fails, says so, and the old file stays.
    if (geteuid() != 0) {
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_NE(writeFileAtomically(path, "third"), "");
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(readWholeFile(path), "second");
    }
    // A target inside a missing folder fails as well.
    EXPECT_NE(writeFileAtomically((dir / "missing" / "b.txt").string(), "x"), "");
    EXPECT_FALSE(readWholeFile((dir / "missing" / "b.txt").string()).has_value());
    EXPECT_FALSE(readWholeFile(dir.string()).has_value());  // a folder is not a file
    fs::remove_all(dir);
}

}  // namespace
}  // namespace nobakuza
