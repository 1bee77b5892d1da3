#pragma once

#include <QMdiArea>
#include <QPointer>

#include "platform/geometry.h"

namespace yurana::app {

// The frame MDIForm1 as the layout sees it: the MDI client area plus the border and
// caption sizes that the layout's margins (110 and 600 twips) were made for, so the
// tiled windows fill the client area whatever the window manager draws around it.
class FrameGeometry : public WindowGeometry {
  public:
    explicit FrameGeometry(QMdiArea* mdi) : mdi_(mdi) {}

    double left() const override { return 0; }
    double top() const override { return 0; }
    double width() const override;
    double height() const override;
    void setLeft(double) override {}
    void setTop(double) override {}
    void setWidth(double) override {}
    void setHeight(double) override {}
    bool visible() const override;
    void setVisible(bool v) override;
    double scaleWidth() const override { return width(); }
    double scaleHeight() const override { return height(); }
    void setScaleTop(double) override {}

    static constexpr int kBorderPx = 8;             // left and right borders together
    static constexpr int kCaptionAndBorderPx = 40;  // caption and borders, top and bottom

  private:
    QPointer<QMdiArea> mdi_;
};

}  // namespace yurana::app
