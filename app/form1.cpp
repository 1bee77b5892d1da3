#include "app/form1.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>

#include "app/units.h"
#include "panel/control_names.h"
#include "panel/panel_controls.h"
#include "platform/qt/fitted_label.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text.h"

namespace yurana::app {

using qt::toQ;

namespace {

// The font of a panel control.
QFont controlFont(ControlFont font) {
    switch (font) {
        case ControlFont::PGothic12:
            return qt::programFont(qt::kPGothic, 12);
        case ControlFont::Gothic9Bold:
            return qt::programFont(qt::kGothic, 9, true);
        case ControlFont::Gothic9:
            return qt::programFont(qt::kGothic, 9);
        case ControlFont::PGothic9:
        case ControlFont::Default:
            break;
    }
    return qt::programFont(qt::kPGothic, 9);
}

QRect panelRect(const ControlDef& c) {
    int x = units::panelXToPx(c.left);
    int y = units::panelYToPx(c.top);
    return {x, y, units::panelXToPx(c.left + c.width) - x, units::panelYToPx(c.top + c.height) - y};
}

QWidget* makeControl(const ControlDef& c, QWidget* parent) {
    switch (c.kind) {
        case ControlKind::TextBox:
            return new QLineEdit(toQ(c.text), parent);
        case ControlKind::CaptionLabel:
        case ControlKind::Label:
            // Captions are plain text (a loaded value must never be read as markup), drawn
            // condensed where the box was made for narrower fonts.
            return new qt::FittedLabel(toQ(c.text), parent);
        case ControlKind::ResultField: {
            auto* label = new qt::FittedLabel(toQ(c.text), parent);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAutoFillBackground(true);
            label->setBackgroundRole(QPalette::Base);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            return label;
        }
        case ControlKind::Button:
            return new QPushButton(toQ(c.text), parent);
        case ControlKind::CheckBox:
            return new QCheckBox(toQ(c.text), parent);
        case ControlKind::Frame:
            return new QGroupBox(toQ(c.text), parent);
        case ControlKind::VScrollBar:
        case ControlKind::HScrollBar: {
            auto* bar = new QScrollBar(
                c.kind == ControlKind::VScrollBar ? Qt::Vertical : Qt::Horizontal, parent);
            bar->setRange(0, 100);
            return bar;
        }
        case ControlKind::Line: {
            auto* line = new QFrame(parent);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            return line;
        }
    }
    return nullptr;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(ctl::Form1);
    setWindowTitle(QStringLiteral("初期設定"));
    setFont(controlFont(ControlFont::Default));
    resize(units::twipsToPx(kPanelDesignWidthTwips), units::twipsToPx(kPanelDesignHeightTwips));

    for (const ControlDef& c : panelControls()) {
        QWidget* parentWidget = c.parent.empty() ? this : control(std::string(c.parent).c_str());
        QWidget* w = makeControl(c, parentWidget);
        w->setObjectName(toQ(c.name));
        w->setFont(controlFont(c.font));
        if (c.kind == ControlKind::Line) {
            // A line from (X1, Y1) to (X2, Y2): a horizontal rule two pixels high.
            int x1 = units::panelXToPx(c.left);
            int x2 = units::panelXToPx(c.width);
            w->setGeometry(x1, units::panelYToPx(c.top) - 1, x2 - x1, 2);
        } else {
            w->setGeometry(panelRect(c));
        }
        if (c.color != 0xFFFFFFFF) {
            QPalette pal = w->palette();
            pal.setColor(QPalette::WindowText, QColor::fromRgb(c.color));
            pal.setColor(QPalette::ButtonText, QColor::fromRgb(c.color));
            w->setPalette(pal);
        }
    }

    // Accessibility: a text box is named by its caption label (its buddy); a result
    // field keeps its value as name and carries the caption as description.
    for (const ControlDef& c : panelControls()) {
        if (c.kind != ControlKind::CaptionLabel || c.buddy.empty()) {
            continue;
        }
        auto* label = static_cast<QLabel*>(control(std::string(c.name).c_str()));
        QWidget* field = control(std::string(c.buddy).c_str());
        if (qobject_cast<QLineEdit*>(field) != nullptr) {
            label->setBuddy(field);
        } else {
            field->setAccessibleDescription(label->text());
        }
    }
    control(ctl::Texttest)->setAccessibleName(QString::fromLatin1(ctl::Texttest));
}

QSize Form1::sizeHint() const {
    return {units::twipsToPx(kPanelDesignWidthTwips), units::twipsToPx(kPanelDesignHeightTwips)};
}

QWidget* Form1::control(const char* name) const {
    return findChild<QWidget*>(QString::fromUtf8(name));
}

}  // namespace yurana::app
