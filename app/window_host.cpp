#include "app/window_host.h"

#include <QCoreApplication>

#include "model/numbers.h"

namespace yurana::app {

WindowHost::WindowHost(Windows windows, std::function<void(QWidget&, QScreen*)> showFullScreen)
    : w_(windows), show_(showFullScreen ? std::move(showFullScreen) : showFullScreenOn) {}

WindowHost::~WindowHost() {
    for (const QPointer<Form2>& view : retired_) {
        delete view.data();
    }
}

void WindowHost::setShown(ProgramWindow window, bool shown) {
    QWidget* widget = nullptr;
    switch (window) {
        case ProgramWindow::Form0:
            widget = w_.form0Window;
            break;
        case ProgramWindow::Form1:
            widget = w_.form1Window;
            break;
        case ProgramWindow::Form3:
            widget = w_.form3Window;
            break;
        case ProgramWindow::Frame:
            widget = &w_.frame;
            break;
    }
    widget->setVisible(shown);
}

void WindowHost::sizePicture1(double width, double height) {
    w_.form0.picture()->resize(num::nint(width), num::nint(height));
}

FramePresenter& WindowHost::openFullScreen() {
    form2_ = std::make_unique<Form2>();
    emit fullScreenOpened(form2_.get());
    return *form2_;
}

void WindowHost::showFullScreen(const Scene& scene) {
    form2_->setScene(&scene);
    show_(*form2_, w_.frame.screen());
}

void WindowHost::hideFullScreen() {
    if (form2_ != nullptr) {
        form2_->hide();
    }
}

void WindowHost::closeFullScreen() {
    if (form2_ == nullptr) {
        return;
    }
    form2_->hide();
    form2_->setScene(nullptr);
    std::erase_if(retired_, [](const QPointer<Form2>& view) { return view.isNull(); });
    Form2* view = form2_.release();
    retired_.emplace_back(view);
    view->deleteLater();
}

void WindowHost::processEvents() {
    QCoreApplication::processEvents();
}

}  // namespace yurana::app
