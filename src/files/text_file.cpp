#include "files/text_file.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

std::optional<std::string> readWholeFile(const std::string& path) {
    // Plain POSIX reads: a stream would throw on a read error (a folder, a failing device).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

std::string writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string tmp = path + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0) return std::string("cannot create a temporary file: ") + std::strerror(errno);
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            const std::string why = std::string("cannot write: ") + std::strerror(errno);
            ::close(fd);
            ::unlink(tmp.c_str());
            return why;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    // mkstemp creates the file 0600; a record or settings file is an ordinary user file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string why = std::string("cannot write: ") + std::strerror(errno);
        ::unlink(tmp.c_str());
        return why;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        const std::string why = std::string("cannot replace the file: ") + std::strerror(errno);
        ::unlink(tmp.c_str());
        return why;
    }
    return {};
}

}  // namespace nobakuza
