#include "platform/qt/fonts.h"

#include <QFontDatabase>

namespace yurana::qt {

void installFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8(kGothic), "IPAGothic");
    QFont::insertSubstitution(QString::fromUtf8(kPGothic), "IPAPGothic");
    QFont::insertSubstitution("System",
                              QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
}

QFont programFont(const char* name, double points, bool bold) {
    QFont font(QString::fromUtf8(name));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont controlFont(ControlFont font) {
    switch (font) {
        case ControlFont::PGothic12:
            return programFont(kPGothic, 12);
        case ControlFont::Gothic9Bold:
            return programFont(kGothic, 9, true);
        case ControlFont::Gothic9:
            return programFont(kGothic, 9);
        case ControlFont::PGothic9:
        case ControlFont::Default:
            break;
    }
    return programFont(kPGothic, 9);
}

}  // namespace yurana::qt
