#include "app/charts/analysis_window.h"

#include <QKeyEvent>

namespace yurana::charts {

AnalysisWindow::AnalysisWindow(const QString& objectName, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(objectName);
    setWindowTitle(title);
}

void AnalysisWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11) {
        isFullScreen() ? showNormal() : showFullScreen();
    } else if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        emit shownChanged(true);
    }
}

void AnalysisWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        emit shownChanged(false);
    }
}

}  // namespace yurana::charts
