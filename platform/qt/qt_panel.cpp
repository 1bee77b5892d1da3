#include "platform/qt/qt_panel.h"

#include <QSignalBlocker>
#include <stdexcept>

#include "platform/qt/text.h"

namespace yurana::qt {

QtPanel::QtPanel(QWidget* root) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty()) {
            continue;
        }
        std::string name = w->objectName().toStdString();
        controls_.insert_or_assign(
            name, Control{w, qobject_cast<QLineEdit*>(w), qobject_cast<QLabel*>(w),
                          qobject_cast<QAbstractButton*>(w), qobject_cast<QCheckBox*>(w),
                          qobject_cast<QGroupBox*>(w), name});
    }
    for (const auto& [name, c] : controls_) {
        if (QLineEdit* edit = c.edit) {
            // The user's typing wins over a value not yet shown.
            QObject::connect(edit, &QLineEdit::textChanged, edit,
                             [this, edit, name = name](const QString&) {
                                 afterPass_.remove(edit);
                                 notifyChange(name);
                             });
        }
        if (QCheckBox* check = c.check) {
            // A loaded 2 shows greyed; the user's click makes it two-state again, so a
            // box that looks ticked holds 1.
            QObject::connect(check, &QCheckBox::clicked, check,
                             [check] { check->setTristate(false); });
        }
    }
}

const QtPanel::Control& QtPanel::control(std::string_view name) const {
    auto it = controls_.find(name);
    if (it == controls_.end()) {
        throw std::logic_error("no panel control " + std::string(name));
    }
    return it->second;
}

QWidget* QtPanel::widget(std::string_view control) const {
    return this->control(control).widget;
}

void QtPanel::writeAfterPass(const Control& c, const QString& text) {
    afterPass_.insert(c.edit, text);
    notifyChange(c.name);
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

std::string QtPanel::text(std::string_view name) const {
    const Control& c = control(name);
    if (c.edit != nullptr) {
        auto pending = afterPass_.constFind(c.edit);
        return (pending != afterPass_.cend() ? *pending : c.edit->text()).toStdString();
    }
    if (c.label != nullptr) {
        return c.label->text().toStdString();
    }
    if (c.button != nullptr) {
        return c.button->text().toStdString();
    }
    if (c.box != nullptr) {
        return c.box->title().toStdString();
    }
    return {};
}

void QtPanel::setText(std::string_view name, std::string_view text) {
    const Control& c = control(name);
    if (c.edit != nullptr) {
        const QString t = toQ(text);
        if (inPass_) {
            writeAfterPass(c, t);
        } else if (c.edit->text() == t) {
            notifyChange(c.name);  // Qt signals only a real change; a write is an edit
        } else {
            c.edit->setText(t);
        }
    } else if (c.label != nullptr) {
        c.label->setText(toQ(text));
    } else if (c.button != nullptr) {
        c.button->setText(toQ(text));
    } else if (c.box != nullptr) {
        c.box->setTitle(toQ(text));
    }
}

int QtPanel::value(std::string_view name) const {
    if (QCheckBox* check = control(name).check) {
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

void QtPanel::setValue(std::string_view name, int value) {
    if (QCheckBox* check = control(name).check) {
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
    emit showRequested();
}

}  // namespace yurana::qt
