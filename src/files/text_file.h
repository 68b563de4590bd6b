// Text files as the program keeps them on disk: Shift-JIS (CP932) with CR LF line ends,
// written through a temporary file so a failed write never destroys the old one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nobakuza {

// UTF-8 -> CP932. Empty optional when a character has no CP932 form.
std::optional<std::string> utf8ToSjis(std::string_view utf8);
// CP932 -> UTF-8. Empty optional when the bytes are not valid CP932.
std::optional<std::string> sjisToUtf8(std::string_view sjis);

// Reads a whole file as bytes. Empty optional when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes bytes to a temporary file beside `path`, flushes it and renames it over `path`.
// Returns an empty string on success, otherwise a short description of what failed; on failure
// any old file at `path` is untouched and no temporary file is left behind.
std::string writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace nobakuza
