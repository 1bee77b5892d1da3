#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>

#include "examples/examples.h"

namespace yurana::app {

// The frame's 例題 menu: one item per classic case. Choosing one emits `chosen`; the
// items are enabled whenever the panel's 開始 button is (not in the About state).
class ExampleMenu : public QObject {
    Q_OBJECT
  public:
    ExampleMenu(QMenuBar* menus, QWidget* panel);

    QMenu* menu() const { return menu_; }
    const QList<QAction*>& items() const { return items_; }

  signals:
    void chosen(const yurana::Example& example);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setItemsEnabled(bool enabled);

    QMenu* menu_;
    QList<QAction*> items_;
};

}  // namespace yurana::app
