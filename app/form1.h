#pragma once

#include <QWidget>

namespace yurana::app {

// The parameter panel Form1 ("初期設定"): every control of the design table at its
// place, absolutely positioned (the scroll routines move them), named by objectName.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);

    QWidget* control(const char* name) const;

    // The design client area, 10350 × 7635 twips.
    QSize sizeHint() const override;
};

}  // namespace yurana::app
