// Yurana: the damped, driven spring–mass oscillator hanging from a movable wall.

#include <QApplication>

#include "app/application.h"
#include "platform/qt/fonts.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yurana"));
    QApplication::setApplicationDisplayName(QStringLiteral("ユラナ"));
    QApplication::setWindowIcon(yurana::app::programIcon());
    yurana::qt::installFontSubstitutions();

    yurana::app::Application app;
    app.Main();
    return QApplication::exec();
}
