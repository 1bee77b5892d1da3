#pragma once

#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <string_view>

namespace yurana::qt {

// The core's texts are UTF-8. A leading U+FEFF belongs to the text (a slot value may
// begin with one): it is kept, not dropped as a byte-order mark.
inline QString toQ(std::string_view s) {
    if (std::ranges::all_of(s, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return QString::fromLatin1(s.data(), qsizetype(s.size()));  // ASCII, as most are
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(QByteArrayView(s.data(), qsizetype(s.size())));
}

}  // namespace yurana::qt
