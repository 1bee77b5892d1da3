#include "app/main_window.h"

#include <QCloseEvent>

#include "app/units.h"

namespace yurana::app {

namespace {
// Design client area of the frame, twips, and its place on the screen.
constexpr int kFrameWidthTwips = 14385;
constexpr int kFrameHeightTwips = 10260;
constexpr int kFrameLeftTwips = 450;
constexpr int kFrameTopTwips = 735;
}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)) {
    setObjectName("MDIForm1");
    setWindowTitle(QStringLiteral("ユラナ"));
    mdi_->setObjectName("MDIClient");
    setCentralWidget(mdi_);
    move(units::twipsToPx(kFrameLeftTwips), units::twipsToPx(kFrameTopTwips));
    resize(units::twipsSize(kFrameWidthTwips, kFrameHeightTwips));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (onResize) {
        onResize();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onUnload) {
        onUnload();
    }
}

}  // namespace yurana::app
