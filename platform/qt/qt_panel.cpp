#include "platform/qt/qt_panel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <stdexcept>
#include <utility>

#include "platform/qt/text.h"

namespace yurana::qt {

namespace {}  // namespace

QtPanel::QtPanel(QWidget* root, std::function<void()> showWindow)
    : showWindow_(std::move(showWindow)) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty()) {
            controls_.insert(w->objectName(), w);
        }
    }
    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
        if (auto* edit = qobject_cast<QLineEdit*>(it.value())) {
            std::string name = it.key().toStdString();
            QObject::connect(
                edit, &QLineEdit::textChanged, edit, [this, edit, name](const QString&) {
                    afterPass_.remove(edit);  // the user's typing wins over a value not yet shown
                    notifyChange(name);
                });
        }
        if (auto* check = qobject_cast<QCheckBox*>(it.value())) {
            // A loaded 2 shows greyed; the user's click makes it two-state again, so a
            // box that looks ticked holds 1.
            QObject::connect(check, &QCheckBox::clicked, check,
                             [check] { check->setTristate(false); });
        }
    }
}

QWidget* QtPanel::widget(std::string_view control) const {
    QWidget* w = controls_.value(toQ(control), nullptr);
    if (w == nullptr) {
        throw std::logic_error("no panel control " + std::string(control));
    }
    return w;
}

void QtPanel::writeAfterPass(QLineEdit* edit, const std::string& name, const QString& text) {
    const bool changed =
        (afterPass_.contains(edit) ? afterPass_.value(edit) : edit->text()) != text;
    afterPass_.insert(edit, text);
    if (changed) {
        notifyChange(name);
    }
}

void QtPanel::endPass() {
    inPass_ = false;
    const auto pending = std::exchange(afterPass_, {});
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        if (it.key()->text() != it.value()) {
            QSignalBlocker quiet(it.key());  // notified when written
            it.key()->setText(it.value());
        }
    }
}

std::string QtPanel::text(std::string_view control) const {
    QWidget* w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        auto pending = afterPass_.constFind(edit);
        return (pending != afterPass_.cend() ? *pending : edit->text()).toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text().toStdString();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text().toStdString();
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        return box->title().toStdString();
    }
    return {};
}

void QtPanel::setText(std::string_view control, std::string_view text) {
    QWidget* w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (inPass_) {
            writeAfterPass(edit, std::string(control), toQ(text));
        } else {
            edit->setText(toQ(text));
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(toQ(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(toQ(text));
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(toQ(text));
    }
}

int QtPanel::value(std::string_view control) const {
    if (auto* check = qobject_cast<QCheckBox*>(widget(control))) {
        switch (check->checkState()) {
            case Qt::Checked:
                return 1;
            case Qt::PartiallyChecked:
                return 2;
            case Qt::Unchecked:
                break;
        }
    }
    return 0;
}

void QtPanel::setValue(std::string_view control, int value) {
    if (auto* check = qobject_cast<QCheckBox*>(widget(control))) {
        check->setCheckState(value == 1   ? Qt::Checked
                             : value == 2 ? Qt::PartiallyChecked
                                          : Qt::Unchecked);
    }
}

bool QtPanel::isVisible(std::string_view control) const {
    return !widget(control)->isHidden();
}

void QtPanel::setVisible(std::string_view control, bool visible) {
    widget(control)->setVisible(visible);
}

bool QtPanel::isEnabled(std::string_view control) const {
    return widget(control)->isEnabled();
}

void QtPanel::setEnabled(std::string_view control, bool enabled) {
    widget(control)->setEnabled(enabled);
}

void QtPanel::showPanel() {
    if (showWindow_) {
        showWindow_();
    }
}

}  // namespace yurana::qt
