#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <map>
#include <string>

#include "platform/panel.h"

namespace yurana::qt {

// The panel interface over a widget whose children carry the control names as
// objectName. A QLineEdit's textChanged is its change notification: it fires inside
// setText, so writes from code raise the change handling synchronously. A write of the
// text a box already holds notifies too, as every write is an edit. showPanel emits
// showRequested: the window around the panel is its owner's.
class QtPanel : public QObject, public Panel {
    Q_OBJECT
  public:
    explicit QtPanel(QWidget* root);

    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    int value(std::string_view control) const override;
    void setValue(std::string_view control, int value) override;
    bool isVisible(std::string_view control) const override;
    void setVisible(std::string_view control, bool visible) override;
    bool isEnabled(std::string_view control) const override;
    void setEnabled(std::string_view control, bool enabled) override;
    void showPanel() override;
    void beginPass() override { inPass_ = true; }
    void endPass() override;

    QWidget* widget(std::string_view control) const;

  signals:
    void showRequested();

  private:
    // A control with its kind resolved once: the loop reads and writes some of them on
    // every frame.
    struct Control {
        QWidget* widget = nullptr;
        QLineEdit* edit = nullptr;
        QLabel* label = nullptr;
        QAbstractButton* button = nullptr;
        QCheckBox* check = nullptr;
        QGroupBox* box = nullptr;
        std::string name;
    };

    const Control& control(std::string_view name) const;
    void writeAfterPass(const Control& c, const QString& text);

    std::map<std::string, Control, std::less<>> controls_;
    bool inPass_ = false;
    QHash<QLineEdit*, QString> afterPass_;  // values not yet in their boxes
};

}  // namespace yurana::qt
