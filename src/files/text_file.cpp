#include "files/text_file.h"

#include <fcntl.h>
#include <iconv.h>
#include <limits.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace nobakuza {
namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    std::vector<char> buffer(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), outPtr);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    if (ok) {
        // Flush any shift state.
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) ok = false;
        out.append(buffer.data(), outPtr);
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> utf8ToSjis(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> sjisToUtf8(std::string_view sjis) {
    return convert("UTF-8", "CP932", sjis);
}

namespace {

// ---- What the player is told. Every text about a file that failed is here, worded through the
// player's language.

struct Words {
    const TranslateText& translate;
    const char* operator()(const char* japanese) const {
        return translate ? translate(japanese) : japanese;
    }
};

std::string readFailure(const Words& w, const std::string& path, const std::string& why) {
    return fillPlaces(w("「{0}」を読み込めません。{1}"), {path, why});
}

std::string writeFailure(const Words& w, const std::string& path, const std::string& why) {
    return fillPlaces(w("「{0}」に書き込めません。{1}"), {path, why});
}

std::string notRegularReason(const Words& w, mode_t mode) {
    if (S_ISDIR(mode)) return w("ファイルではなくフォルダです。");
    if (S_ISFIFO(mode)) return w("ファイルではなくパイプです。");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return w("ファイルではなく装置です。");
    if (S_ISSOCK(mode)) return w("ファイルではなくソケットです。");
    return w("普通のファイルではありません。");
}

// 363728 -> "363,728"
std::string grouped(std::uintmax_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string tooLargeReason(const Words& w, std::size_t maxBytes) {
    return fillPlaces(w("ファイルが大きすぎます（{0} バイトまで）。"), {grouped(maxBytes)});
}

enum class Access { read, write };

std::string reasonFor(const Words& w, int error, Access access) {
    const bool reading = access == Access::read;
    switch (error) {
        case ENOENT:
            return reading ? w("ファイルがありません。") : w("保存先のフォルダがありません。");
        case EACCES:
        case EPERM:
            return reading ? w("読み込む許可がありません。") : w("書き込む許可がありません。");
        case EROFS:
            return w("読み取り専用の場所です。");
        case ENOSPC:
        case EDQUOT:
            return w("ディスクの空きが足りません。");
        case ENAMETOOLONG:
            return w("名前が長すぎます。");
        case ELOOP:
            return w("シンボリックリンクが多すぎるか、循環しています。");
        case ENOTDIR:
            return w("途中にフォルダでない名前があります。");
        case EISDIR:
            return notRegularReason(w, S_IFDIR);
        case EFBIG:
            return w("ファイルが大きすぎます。");
        case EIO:
            return w("装置の読み書きに失敗しました。");
        case EBUSY:
        case ETXTBSY:
            return w("ほかのプログラムが使っています。");
        case EMFILE:
        case ENFILE:
        case ENOMEM:
            return w("開いているファイルが多すぎるか、メモリが足りません。");
        default:
            return fillPlaces(w("思わぬエラーが起きました（エラー番号 {0}）。"),
                              {std::to_string(error)});
    }
}

// ---- Paths

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Where a write to `path` lands: the end of its chain of symbolic links, so the links stay. A
// link to a file that does not exist yet names the file to create.
bool followLinks(const std::string& path, std::string& target, int& error) {
    std::string p = path;
    for (int hops = 0; hops <= 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                error = errno;
                return false;
            }
            target = p;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = p;
            return true;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) {
            error = n < 0 ? errno : n == 0 ? ENOENT : ENAMETOOLONG;
            return false;
        }
        link.resize(static_cast<std::size_t>(n));
        p = link.front() == '/' ? link : inFolder(folderOf(p), link);
    }
    error = ELOOP;
    return false;
}

// A new, empty file in `folder` with a short name of its own, so that a target whose name is as
// long as the file system allows still gets one. Created with the usual permissions (the
// process's umask and the folder's default ACL apply). Threads may write at once (a match's
// games, each saved by its own thread), hence the atomic counter.
int createTemporary(const std::string& folder, std::string& name, int& error) {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::uint64_t seed = static_cast<std::uint64_t>(now.tv_nsec) ^
                         (static_cast<std::uint64_t>(::getpid()) << 32) ^
                         ((counter.fetch_add(1) + 1) * 7919u);
    constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix;
        for (int i = 0; i < 8; ++i) {
            seed = seed * 6364136223846793005u + 1442695040888963407u;
            suffix += letters[(seed >> 33) % (sizeof letters - 1)];
        }
        name = inFolder(folder, ".nobakuza-" + suffix);
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    error = errno;
    return -1;
}

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The old file's owner and group where we may set them (a player's own file always), then its
// permissions.
bool keepOwnerAndPermissions(int fd, const struct stat& old) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, -1, old.st_gid);
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// The rename itself is only safe on disk once the folder is.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

FileRead readFile(const std::string& path, std::size_t maxBytes, const TranslateText& translate) {
    const Words w{translate};
    auto fail = [&](const std::string& why) {
        return FileRead{std::nullopt, readFailure(w, path, why)};
    };
    auto fitsAsRegular = [&](const struct stat& st) -> std::optional<std::string> {
        if (!S_ISREG(st.st_mode)) return notRegularReason(w, st.st_mode);
        if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) return tooLargeReason(w, maxBytes);
        return std::nullopt;
    };
    // Looked at before it is opened: opening a device may already do something, and a pipe
    // would wait for a writer.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return fail(reasonFor(w, errno, Access::read));
    if (const auto why = fitsAsRegular(st)) return fail(*why);
    // Without blocking all the same, in case the name was given to a pipe meanwhile.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return fail(reasonFor(w, errno, Access::read));
    std::optional<std::string> why;
    if (::fstat(fd, &st) != 0) {
        why = reasonFor(w, errno, Access::read);
    } else {
        why = fitsAsRegular(st);
    }
    std::string data;
    if (!why) data.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    while (!why) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno != EINTR) why = reasonFor(w, errno, Access::read);
            continue;
        }
        // A file that grows while it is read, or one that tells no size, stops at the limit too.
        if (static_cast<std::size_t>(n) > maxBytes - data.size()) {
            why = tooLargeReason(w, maxBytes);
            continue;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (why) return fail(*why);
    return {std::move(data), {}};
}

std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    return readFile(path, maxBytes).bytes;
}

std::string writeFileAtomically(const std::string& path, std::string_view bytes,
                                const TranslateText& translate) {
    const Words w{translate};
    auto fail = [&](int error) {
        return writeFailure(w, path, reasonFor(w, error, Access::write));
    };
    if (path.empty()) return fail(ENOENT);
    std::string target;
    int error = 0;
    if (!followLinks(path, target, error)) return fail(error);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return fail(errno);
    if (exists) {
        if (!S_ISREG(old.st_mode)) return writeFailure(w, path, notRegularReason(w, old.st_mode));
        // A file the player may not write to stays as it is, even where its folder would let it
        // be replaced.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return fail(errno);
    }

    const std::string folder = folderOf(target);
    std::string temporary;
    const int fd = createTemporary(folder, temporary, error);
    if (fd < 0) return fail(error);
    bool written =
        writeAll(fd, bytes) && (!exists || keepOwnerAndPermissions(fd, old)) && ::fsync(fd) == 0;
    error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return fail(error);
    }
    syncFolder(folder);
    return {};
}

}  // namespace nobakuza
