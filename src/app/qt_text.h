// The program's texts, UTF-8 in memory, as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace nobakuza {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace nobakuza
