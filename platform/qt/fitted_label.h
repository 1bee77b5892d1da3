#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>

namespace yurana::qt {

// A plain-text label that keeps its designed box: a text wider than the box is drawn
// condensed (the font's stretch narrowed) until it fits, instead of being cut off. The
// fonts here run wider than those the boxes were designed for.
class FittedLabel : public QLabel {
    Q_OBJECT
  public:
    explicit FittedLabel(const QString& text, QWidget* parent = nullptr);

    // The font the text is drawn with: the label's own, condensed if need be.
    QFont drawnFont() const;

    // Where the text goes: the contents less the margin and QLabel's indent.
    QRect textRect() const;

    // The narrowest stretch used, percent: a text that needs more is cut after all.
    static constexpr int kMinStretch = 50;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace yurana::qt
