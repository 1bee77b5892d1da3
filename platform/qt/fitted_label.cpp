#include "platform/qt/fitted_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace yurana::qt {

namespace {

constexpr int kNormalStretch = 100;

int advance(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

}  // namespace

FittedLabel::FittedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

QRect FittedLabel::textRect() const {
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    // QLabel indents a framed label's text by half an "x" unless told otherwise.
    int indent = this->indent();
    if (indent < 0 && frameWidth() > 0) {
        indent = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin();
    }
    if (indent > 0) {
        const Qt::Alignment a = QStyle::visualAlignment(layoutDirection(), alignment());
        if (a & Qt::AlignLeft) {
            r.setLeft(r.left() + indent);
        } else if (a & Qt::AlignRight) {
            r.setRight(r.right() - indent);
        }
    }
    return r;
}

QFont FittedLabel::drawnFont() const {
    QFont font = this->font();
    const int room = textRect().width();
    const int natural = advance(font, text());
    if (natural <= room || room <= 0) {
        return font;
    }
    // Narrowed in proportion, then step by step while the rounding of the glyphs' widths
    // still leaves it a pixel too wide.
    int stretch = std::max(kMinStretch, kNormalStretch * room / natural);
    font.setStretch(stretch);
    while (stretch > kMinStretch && advance(font, text()) > room) {
        font.setStretch(--stretch);
    }
    return font;
}

void FittedLabel::paintEvent(QPaintEvent* event) {
    const QFont font = drawnFont();
    if (font == this->font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(font);
    style()->drawItemText(&painter, textRect(),
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), text(), foregroundRole());
}

}  // namespace yurana::qt
