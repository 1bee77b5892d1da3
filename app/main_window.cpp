#include "app/main_window.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "app/units.h"
#include "panel/control_names.h"

namespace yurana::app {

namespace {
// Design client area of the frame, twips, and its place on the screen.
constexpr int kFrameWidthTwips = 14385;
constexpr int kFrameHeightTwips = 10260;
constexpr int kFrameLeftTwips = 450;
constexpr int kFrameTopTwips = 735;

// Owned windows open this many pixels right of and below the one before, and start
// again at the client area's corner after a few.
constexpr int kCascadeStepPx = 32;
constexpr int kCascadeLength = 6;

const char* const kPlaced = "yuranaPlaced";

// `g` moved into `area`, and cut to it if need be; a window of fixed size is only moved.
QRect within(QRect g, const QRect& area, bool resizable) {
    if (resizable) {
        g.setWidth(std::min(g.width(), area.width()));
        g.setHeight(std::min(g.height(), area.height()));
    }
    g.moveRight(std::min(g.right(), area.right()));
    g.moveBottom(std::min(g.bottom(), area.bottom()));
    g.moveLeft(std::max(g.left(), area.left()));
    g.moveTop(std::max(g.top(), area.top()));
    return g;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)) {
    setObjectName(ctl::MDIForm1);
    setWindowTitle(QStringLiteral("ユラナ"));
    mdi_->setObjectName("MDIClient");
    setCentralWidget(mdi_);
    move(units::twipsToPx(kFrameLeftTwips), units::twipsToPx(kFrameTopTwips));
    resize(designClientSize());
}

QSize MainWindow::designClientSize() {
    return units::twipsSize(kFrameWidthTwips, kFrameHeightTwips);
}

void MainWindow::sizeToDesign() {
    // The menu bar sits above the client area, so the frame is taller by its height,
    // as the frame's layout will give it at that width.
    const QSize client = designClientSize();
    int bar = menuBar()->heightForWidth(client.width());
    if (bar < 0) {
        bar = menuBar()->sizeHint().height();
    }
    resize(client.width(), client.height() + bar);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished) {
        auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
        if (child != nullptr &&
            (child->windowType() == Qt::Window || child->windowType() == Qt::Dialog)) {
            child->installEventFilter(this);  // once, however often it is installed
        }
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !event->spontaneous() && watched->parent() == this) {
        place(static_cast<QWidget*>(watched));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::place(QWidget* window) {
    if (window->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)) {
        return;
    }
    const QRect was = window->frameGeometry();
    QRect g = was;
    const QPoint client = mdi_->mapToGlobal(QPoint(0, 0));
    if (window->windowType() == Qt::Window && !window->property(kPlaced).toBool()) {
        g.moveTopLeft(client +
                      QPoint(kCascadeStepPx, kCascadeStepPx) * (cascaded_++ % kCascadeLength));
        window->setProperty(kPlaced, true);
    }
    const QScreen* screen = this->screen();
    QRect area = screen != nullptr ? screen->availableGeometry() : g;
    const QRect bar(menuBar()->mapToGlobal(QPoint(0, 0)), menuBar()->size());
    if (menuBar()->isVisible() && g.left() <= bar.right() && g.right() >= bar.left()) {
        area.setTop(std::max(area.top(), bar.bottom() + 1));
    }
    const bool resizable = window->minimumSize() != window->maximumSize();
    const QRect placed = within(g, area, resizable);
    if (placed != was) {
        window->move(placed.topLeft());
        window->resize(window->size() - (was.size() - placed.size()));
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    emit resized();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloaded();
}

}  // namespace yurana::app
