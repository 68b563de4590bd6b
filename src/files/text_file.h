// Files as the program keeps them on disk: Shift-JIS (CP932) text with CR LF line ends, read
// whole and written through a temporary file so a failed write never destroys the old one.
//
// Every file the program touches goes through here, so the same rules hold for all of them:
// only regular files are read or replaced (a pipe, a device or a folder is refused without
// waiting on it), nothing is read past a size limit, a symbolic link is written through and kept,
// and the old file's permissions stay. What went wrong is told in Japanese, naming the file and
// saying why in words a player understands, in the player's language when a translator is
// given.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/translation.h"

namespace nobakuza {

// UTF-8 -> CP932. Empty optional when a character has no CP932 form.
std::optional<std::string> utf8ToSjis(std::string_view utf8);
// CP932 -> UTF-8. Empty optional when the bytes are not valid CP932.
std::optional<std::string> sjisToUtf8(std::string_view sjis);

// Far above anything the game reads (its largest file is a sound), far below what would hurt.
inline constexpr std::size_t defaultReadLimit = std::size_t{256} << 20;

struct FileRead {
    std::optional<std::string> bytes;  // the whole file
    std::string error;                 // without bytes: why, naming the file
};

// Reads a whole regular file of at most `maxBytes` bytes. A larger file is refused from its size
// before anything is read.
FileRead readFile(const std::string& path, std::size_t maxBytes = defaultReadLimit,
                  const TranslateText& translate = {});

// readFile without the reason: empty optional when the file cannot be opened or read, is not a
// regular file or is larger than `maxBytes`.
std::optional<std::string> readWholeFile(const std::string& path,
                                         std::size_t maxBytes = defaultReadLimit);

// Writes bytes to a temporary file in the folder of `path` (of the file it links to, when it is
// a symbolic link), flushes it and renames it over that file. An existing file keeps its
// permissions (and its owner, where that may be set); a new one gets the usual ones. Returns an
// empty string on success, otherwise the reason, naming `path`; on failure any old file is
// untouched and no temporary file is left behind. An existing target that is not a regular file
// is refused.
std::string writeFileAtomically(const std::string& path, std::string_view bytes,
                                const TranslateText& translate = {});

}  // namespace nobakuza
