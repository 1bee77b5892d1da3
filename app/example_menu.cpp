#include "app/example_menu.h"

#include <QEvent>

#include "panel/panel_controls.h"
#include "platform/qt/text.h"

namespace yurana::app {

ExampleMenu::ExampleMenu(QMenuBar* menus, QWidget* panel)
    : menu_(new QMenu(QStringLiteral("例題(&X)"), menus)) {
    menu_->setObjectName("ExampleMenu");
    // Right after 表示, whatever menus the frame has by now.
    const QList<QAction*> bar = menus->actions();
    qsizetype view = 0;
    while (view < bar.size() && bar[view]->menu() != menus->findChild<QMenu*>("ViewMenu")) {
        ++view;
    }
    menus->insertMenu(bar.value(view + 1, nullptr), menu_);
    for (const Example& e : examples()) {
        QAction* item = menu_->addAction(QString::fromUtf8(e.title.data(), e.title.size()));
        connect(item, &QAction::triggered, this, [this, &e] { emit chosen(e); });
        items_.append(item);
    }
    auto* start = panel->findChild<QWidget*>(qt::toQ(findButton(PanelAction::StartStop).name));
    setItemsEnabled(start->isEnabled());
    start->installEventFilter(this);
}

bool ExampleMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        setItemsEnabled(static_cast<QWidget*>(watched)->isEnabled());
    }
    return QObject::eventFilter(watched, event);
}

void ExampleMenu::setItemsEnabled(bool enabled) {
    for (QAction* item : items_) {
        item->setEnabled(enabled);
    }
}

}  // namespace yurana::app
