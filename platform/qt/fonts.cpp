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

}  // namespace yurana::qt
