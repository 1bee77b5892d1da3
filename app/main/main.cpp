// Yurana: the damped, driven spring–mass oscillator hanging from a movable wall.

#include <QApplication>

#include "app/application.h"
#include "app/program_setup.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    yurana::app::setUpProgram();

    yurana::app::Application app;
    app.Main();
    return QApplication::exec();
}
