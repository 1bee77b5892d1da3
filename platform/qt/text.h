#pragma once

#include <QString>
#include <string_view>

namespace yurana::qt {

// The core's texts are UTF-8.
inline QString toQ(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

}  // namespace yurana::qt
