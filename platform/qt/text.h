#pragma once

#include <QString>
#include <QStringDecoder>
#include <string_view>

namespace yurana::qt {

// The core's texts are UTF-8. A leading U+FEFF belongs to the text (a slot value may
// begin with one): it is kept, not dropped as a byte-order mark.
inline QString toQ(std::string_view s) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(QByteArrayView(s.data(), qsizetype(s.size())));
}

}  // namespace yurana::qt
