#include "files/text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>

namespace nobakuza {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("nobakuza_text_file_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        ::umask(022);
        fs::remove_all(dir_);
    }
    std::string at(const std::string& name) const { return (dir_ / name).string(); }
    int entries() const {
        return static_cast<int>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    static unsigned permissionsOf(const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    }
    // Runs `work` in a child process and gives back what it returned; "" when the child could
    // not run it (it then returns "skip: why").
    static std::string inChild(const std::function<std::string()>& work) {
        int out[2];
        if (::pipe(out) != 0) return "pipe failed";
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(out[0]);
            const std::string text = work();
            (void)!::write(out[1], text.data(), text.size());
            ::_exit(0);
        }
        ::close(out[1]);
        std::string text;
        char buffer[512];
        for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        ::close(out[0]);
        ::waitpid(pid, nullptr, 0);
        return text;
    }

    fs::path dir_;
};

TEST_F(TextFileTest, Cp932RoundTripAndRefusals) {
    const std::string text = "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人　７六歩";
    const auto sjis = utf8ToSjis(text);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_NE(*sjis, text);
    EXPECT_EQ(sjis->substr(0, 1), "\xCA");  // half-width katakana is one byte in CP932
    EXPECT_EQ(sjisToUtf8(*sjis), text);
    EXPECT_FALSE(sjisToUtf8("\x81").has_value());              // cut-off lead byte
    EXPECT_FALSE(utf8ToSjis("\xF0\x9F\x98\x80").has_value());  // no CP932 form
}

TEST_F(TextFileTest, ReadingTakesRegularFilesOnlyWithoutWaitingAndUpToTheLimit) {
    ASSERT_EQ(writeFileAtomically(at("a.txt"), "0123456789"), "");
    EXPECT_EQ(readFile(at("a.txt"), 10).bytes, "0123456789");
    const FileRead large = readFile(at("a.txt"), 9);
    EXPECT_FALSE(large.bytes);
    EXPECT_EQ(large.error,
              "「" + at("a.txt") + "」を読み込めません。ファイルが大きすぎます（9 バイトまで）。");
    // A file that tells no size (st_size 0) stops at the limit too, as it is read.
    const std::string cmdline = "/proc/self/cmdline";
    const auto whole = readWholeFile(cmdline);
    ASSERT_TRUE(whole && whole->size() > 1);
    EXPECT_EQ(readWholeFile(cmdline, whole->size()), whole);
    EXPECT_NE(readFile(cmdline, whole->size() - 1).error.find("大きすぎます"), std::string::npos);

    // A pipe with no writer is refused at once; were it opened to be read, the read would wait.
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    auto pending = std::async(std::launch::async, [&] { return readFile(at("pipe")); });
    if (pending.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "reading a pipe waits for a writer";
        std::ofstream(at("pipe")) << "x";  // lets it go
    }
    const FileRead pipe = pending.get();
    EXPECT_FALSE(pipe.bytes);
    EXPECT_NE(pipe.error.find("パイプです"), std::string::npos) << pipe.error;

    EXPECT_NE(readFile(dir_.string()).error.find("フォルダです"), std::string::npos);
    EXPECT_NE(readFile("/dev/zero").error.find("装置です"), std::string::npos);
    EXPECT_EQ(readFile(at("missing")).error,
              "「" + at("missing") + "」を読み込めません。ファイルがありません。");
    EXPECT_FALSE(readWholeFile(at("missing")));

    // A file over the limit is refused from its size, before a byte of it is read.
    {
        std::ofstream(at("huge")).close();
        fs::resize_file(at("huge"), defaultReadLimit + 1);  // sparse: no room taken
    }
    auto bytesRead = [] {
        std::ifstream io("/proc/self/io");
        std::string key;
        long long value = 0;
        while (io >> key >> value)
            if (key == "rchar:") return value;
        return -1LL;
    };
    const long long before = bytesRead();
    EXPECT_FALSE(readWholeFile(at("huge")));
    EXPECT_LT(bytesRead() - before, 1 << 20);
}

TEST_F(TextFileTest, WritingReplacesThroughLinksKeepingPermissionsAndLeavesNothingBehind) {
    const std::string path = at("a.txt");
    EXPECT_EQ(writeFileAtomically(path, "first"), "");
    EXPECT_EQ(writeFileAtomically(path, "second"), "");
    EXPECT_EQ(readWholeFile(path), "second");
    EXPECT_EQ(entries(), 1);

    // New files get the usual permissions, old ones keep theirs.
    ::umask(027);
    EXPECT_EQ(writeFileAtomically(at("new.txt"), "x"), "");
    EXPECT_EQ(permissionsOf(at("new.txt")), 0640u);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(writeFileAtomically(path, "third"), "");
    EXPECT_EQ(permissionsOf(path), 0600u);
    ::chmod(path.c_str(), 0664);
    EXPECT_EQ(writeFileAtomically(path, "fourth"), "");
    EXPECT_EQ(permissionsOf(path), 0664u);

    // A chain of links, one relative, one absolute: the links stay, the file at the end changes.
    fs::create_directories(dir_ / "sub");
    fs::create_symlink("../a.txt", dir_ / "sub" / "rel");
    fs::create_symlink(dir_ / "sub" / "rel", dir_ / "abs");
    EXPECT_EQ(writeFileAtomically(at("abs"), "through links"), "");
    EXPECT_TRUE(fs::is_symlink(dir_ / "abs"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "sub" / "rel"));
    EXPECT_EQ(readWholeFile(path), "through links");
    EXPECT_EQ(permissionsOf(path), 0664u);
    // A link to a file not there yet creates it.
    fs::create_symlink("later.txt", dir_ / "dangling");
    EXPECT_EQ(writeFileAtomically(at("dangling"), "made"), "");
    EXPECT_EQ(readWholeFile(at("later.txt")), "made");
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));
    fs::create_symlink("loop", dir_ / "loop");
    EXPECT_NE(writeFileAtomically(at("loop"), "x").find("循環"), std::string::npos);

    // A name as long as the file system allows, with the record extension, still gets saved.
    const std::string longName = std::string(242, 'n') + ".棋譜";
    ASSERT_EQ(longName.size(), 249u);
    EXPECT_EQ(writeFileAtomically(at(longName), "long"), "");
    EXPECT_EQ(readWholeFile(at(longName)), "long");
    const std::string tooLong = std::string(256, 'n');
    EXPECT_EQ(writeFileAtomically(at(tooLong), "x"),
              "「" + at(tooLong) + "」に書き込めません。名前が長すぎます。");
    EXPECT_EQ(entries(), 8);  // a.txt new.txt sub abs dangling later.txt loop and the long one
}

TEST_F(TextFileTest, WritingRefusesWhatItMustNotReplaceAndSaysWhy) {
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    fs::create_directories(dir_ / "folder");
    EXPECT_EQ(writeFileAtomically(at("pipe"), "x"),
              "「" + at("pipe") + "」に書き込めません。ファイルではなくパイプです。");
    EXPECT_TRUE(fs::is_fifo(dir_ / "pipe"));
    EXPECT_NE(writeFileAtomically(at("folder"), "x").find("フォルダです"), std::string::npos);
    EXPECT_NE(writeFileAtomically(at("missing/b.txt"), "x").find("保存先のフォルダがありません"),
              std::string::npos);
    EXPECT_EQ(entries(), 2);

    // Permissions, as a player who is not the superuser meets them.
    fs::permissions(dir_, fs::perms::all);
    const std::string refusals = inChild([&]() -> std::string {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return "skip: cannot leave the superuser";
        const std::string own = at("own.txt");
        const std::string locked = at("locked");
        if (!writeFileAtomically(own, "mine").empty() || ::mkdir(locked.c_str(), 0555) != 0)
            return "cannot prepare";
        ::chmod(own.c_str(), 0444);
        return writeFileAtomically(own, "changed") + "|" + readWholeFile(own).value_or("?") + "|" +
               writeFileAtomically(locked + "/new.txt", "x");
    });
    if (refusals.starts_with("skip")) GTEST_SKIP() << refusals;
    EXPECT_EQ(refusals,
              "「" + at("own.txt") + "」に書き込めません。書き込む許可がありません。|mine|「" +
                  at("locked") + "/new.txt」に書き込めません。書き込む許可がありません。");
}

TEST_F(TextFileTest, AFullOrReadOnlyFileSystemIsToldAsSuch) {
    // A small file system of our own, in a mount namespace of a child process.
    const std::string result = inChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return "skip: no mount namespace here";
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") != 0)
            return "skip: cannot mount a small file system here";
        const std::string path = at("a.txt");
        std::string out = writeFileAtomically(path, "kept") + "|";
        out += writeFileAtomically(path, std::string(1 << 20, 'x')) + "|";
        out += readWholeFile(path).value_or("?") + "|";
        if (::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return "skip: cannot make it read-only";
        return out + writeFileAtomically(path, "x");
    });
    if (result.starts_with("skip")) GTEST_SKIP() << result;
    const std::string file = "「" + at("a.txt") + "」に書き込めません。";
    EXPECT_EQ(result, "|" + file + "ディスクの空きが足りません。|kept|" + file +
                          "読み取り専用の場所です。");
}

}  // namespace
}  // namespace nobakuza
