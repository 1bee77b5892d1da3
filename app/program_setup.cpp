#include "app/program_setup.h"

#include <QApplication>

#include "app/frm_about.h"
#include "platform/qt/fonts.h"

namespace yurana::app {

void setUpProgram() {
    QApplication::setApplicationName(QStringLiteral("yurana"));
    QApplication::setWindowIcon(programIcon());
    qt::installFontSubstitutions();
}

}  // namespace yurana::app
