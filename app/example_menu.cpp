#include "app/example_menu.h"

namespace yurana::app {

ExampleMenu::ExampleMenu(QMenuBar* menus, std::function<void(const Example&)> load)
    : menu_(menus->addMenu(QStringLiteral("例題(&X)"))) {
    menu_->setObjectName("ExampleMenu");
    for (const Example& e : examples()) {
        QAction* item = menu_->addAction(QString::fromUtf8(e.title.data(), e.title.size()));
        QObject::connect(item, &QAction::triggered, menu_, [load, &e] { load(e); });
        items_.append(item);
    }
}

void ExampleMenu::follow(const RunState& run) {
    const bool about = run.joutai == kAboutResumed || run.joutai == kAboutPaused;
    for (QAction* item : items_) {
        item->setEnabled(!about);
    }
}

}  // namespace yurana::app
