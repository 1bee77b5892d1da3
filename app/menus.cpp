#include "app/menus.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "platform/qt/text.h"

namespace yurana::app {

namespace {

// The shortcuts of the enabled items of `actions` and of their submenus.
bool hasShortcut(const QList<QAction*>& actions, const QKeySequence& keys) {
    for (const QAction* a : actions) {
        if (a->isEnabled() && (a->shortcuts().contains(keys) ||
                               (a->menu() && hasShortcut(a->menu()->actions(), keys)))) {
            return true;
        }
    }
    return false;
}

}  // namespace

FrameMenus::FrameMenus(QMenuBar* menus, QWidget* panel, ExportCommands& commands)
    : QObject(menus), bar_(menus) {
    file_ = new QMenu(QStringLiteral("ファイル(&F)"), menus);
    file_->setObjectName("FileMenu");
    QAction* first = menus->actions().value(0, nullptr);
    menus->insertMenu(first, file_);
    openData_ = file_->addAction(QStringLiteral("測定データを開く(&O)…"),
                                 QKeySequence(Qt::CTRL | Qt::Key_O),
                                 [&commands] { commands.openMeasuredData(); });
    file_->addSeparator();
    curves_ =
        file_->addAction(QStringLiteral("曲線をCSVで保存(&C)…"), QKeySequence(Qt::CTRL | Qt::Key_E),
                         [&commands] { commands.exportCurves(); });
    graph_ = file_->addAction(QStringLiteral("グラフを画像で保存(&G)…"),
                              [&commands] { commands.exportGraph(); });
    animation_ = file_->addAction(QStringLiteral("アニメーションを画像で保存(&A)…"),
                                  [&commands] { commands.exportAnimation(); });
    file_->addSeparator();
    quit_ = mirror(file_, QStringLiteral("終了(&X)"), panel, PanelAction::Quit);
    quit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    help_ = menus->addMenu(QStringLiteral("ヘルプ(&H)"));
    help_->setObjectName("HelpMenu");
    help_->addAction(QStringLiteral("使い方(&H)"), QKeySequence(Qt::Key_F1),
                     [&commands] { commands.openGuide(); });
    about_ = mirror(help_, QStringLiteral("バージョン情報(&A)"), panel, PanelAction::OpenAbout);

    // A text box claims some of the frame's keys for itself (Ctrl+E: end of line, on X11).
    for (QLineEdit* box : panel->findChildren<QLineEdit*>()) {
        box->installEventFilter(this);
    }
}

bool FrameMenus::isFrameShortcut(const QKeySequence& keys) const {
    return hasShortcut(bar_->actions(), keys);
}

QAction* FrameMenus::mirror(QMenu* menu, const QString& caption, QWidget* panel, PanelAction does) {
    auto* b = panel->findChild<QAbstractButton*>(qt::toQ(findButton(does).name));
    QAction* action = menu->addAction(caption, b, &QAbstractButton::click);
    action->setEnabled(b->isEnabled());
    action->setData(QVariant::fromValue<QObject*>(b));
    b->installEventFilter(this);
    return action;
}

bool FrameMenus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        isFrameShortcut(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()))) {
        event->ignore();  // not the box's: the shortcut goes to the frame's item
        return true;
    }
    if (event->type() == QEvent::EnabledChange) {
        for (QAction* a : {quit_, about_}) {
            if (a->data().value<QObject*>() == watched) {
                a->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace yurana::app
