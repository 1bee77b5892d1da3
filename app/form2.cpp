#include "app/form2.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "model/calc_error.h"
#include "panel/control_names.h"

namespace yurana::app {

namespace {

[[noreturn]] void cannotShow(const char* why) {
    throw calc_error(calc_error::Kind::InvalidCall, std::string("full screen: ") + why);
}

}  // namespace

void showFullScreenOn(QWidget& view, QScreen* screen) {
    if (screen == nullptr) {
        cannotShow("no screen");
    }
    view.setScreen(screen);
    view.setGeometry(screen->geometry());
    view.showFullScreen();
    if (!view.isVisible()) {
        cannotShow("the window cannot be shown");
    }
    view.activateWindow();
}

Form2::Form2() : ScenePicture(nullptr) {
    setObjectName(ctl::Form2);
    setWindowFlag(Qt::Window);
    setFocusPolicy(Qt::StrongFocus);
    keepAspect = true;
}

void Form2::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    event->accept();
}

void Form2::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (pressed_) {
        pressed_ = false;
        emit leaveRequested();
    }
}

void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        ScenePicture::keyPressEvent(event);
        return;
    }
    event->accept();
    emit leaveRequested();
}

void Form2::closeEvent(QCloseEvent* event) {
    // Closing the window by the system's means leaves full screen like a click.
    event->accept();
    emit leaveRequested();
}

}  // namespace yurana::app
