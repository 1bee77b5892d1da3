#include "app/form2.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/program_setup.h"
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

Form2::Form2(FullScreenInputs inputs, FullScreenWindows& windows, QScreen* screen,
             Form2Options options)
    : ScenePicture(nullptr),
      screen_(screen),
      show_(options.show ? std::move(options.show) : showFullScreenOn),
      view_(options.factory != nullptr ? *options.factory : ownFactory_,
            (options.folder.isEmpty() ? programDataFolder() : options.folder).toStdString(), inputs,
            *this, windows) {
    setObjectName(ctl::Form2);
    setWindowFlag(Qt::Window);
    setFocusPolicy(Qt::StrongFocus);
    keepAspect = true;
    setScene(&view_.scene());
    connect(this, &ScenePicture::systemRepaint, this, &Form2::Form2_Paint);
}

void Form2::load() {
    show_(*this, screen_);
    view_.init();
}

void Form2::pass() {
    view_.frame();
}

void Form2::leave() {
    if (left_) {
        return;
    }
    left_ = true;
    view_.Click();
}

QString Form2::textLine() const {
    return QString::fromStdString(view_.scene().textLine());
}

void Form2::Form2_Paint() {
    try {
        view_.frame();
    } catch (const calc_error&) {
        // The last frame stays; the pump's next pass meets the same failure and leaves.
    }
}

void Form2::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    event->accept();
}

void Form2::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (pressed_) {
        pressed_ = false;
        leave();
    }
}

void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        ScenePicture::keyPressEvent(event);
        return;
    }
    event->accept();
    leave();
}

void Form2::closeEvent(QCloseEvent* event) {
    // Closing the window by the system's means leaves full screen like a click.
    event->accept();
    leave();
}

}  // namespace yurana::app
