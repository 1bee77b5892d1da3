#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "examples/examples.h"
#include "model/run_state.h"

namespace yurana::app {

// The frame's 例題 menu: one item per classic case. Choosing one hands the case to
// `load`; the items are disabled while the About window is open, as the run buttons are.
class ExampleMenu {
  public:
    ExampleMenu(QMenuBar* menus, std::function<void(const Example&)> load);

    // Once per frame: enables the items unless the About window is open.
    void follow(const RunState& run);

    QMenu* menu() const { return menu_; }
    const QList<QAction*>& items() const { return items_; }

  private:
    QMenu* menu_;
    QList<QAction*> items_;
};

}  // namespace yurana::app
