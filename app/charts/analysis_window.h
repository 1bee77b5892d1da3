#pragma once

#include <QHideEvent>
#include <QShowEvent>
#include <QString>
#include <QWidget>

namespace yurana::charts {

// An analysis window: top level even with a parent (it closes with its owner and stays out
// of any layout), non-modal, and telling when the user or the program shows or hides it, so
// a checkable menu item can follow it. Minimising is not hiding.
class AnalysisWindow : public QWidget {
    Q_OBJECT

  public:
    AnalysisWindow(const QString& objectName, const QString& title, QWidget* parent);

  signals:
    void shownChanged(bool shown);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

}  // namespace yurana::charts
