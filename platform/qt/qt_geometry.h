#pragma once

#include <QFrame>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include "platform/geometry.h"

namespace yurana::qt {

// Pixels per unit of a container: twips, or the panel's own units. A value set is remembered, so
// reading it back gives exactly what was set as long as the widget still has the pixel size it was
// given.
struct UnitScale {
    double x;
    double y;
};
inline constexpr UnitScale kTwips{1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel};
inline constexpr UnitScale kPanelUnits{kPanelUnitX / kTwipsPerPixel, kPanelUnitY / kTwipsPerPixel};

// A widget's geometry in the units of its container.
class QtGeometry : public virtual Geometry {
  public:
    QtGeometry(QWidget* widget, UnitScale scale) : widget_(widget), scale_(scale) {}

    double left() const override;
    double top() const override;
    double width() const override;
    double height() const override;
    void setLeft(double v) override;
    void setTop(double v) override;
    void setWidth(double v) override;
    void setHeight(double v) override;
    bool visible() const override;
    void setVisible(bool v) override;

  protected:
    QWidget* widget() const { return widget_; }

  private:
    // Remembered units of Left, Top, Width, Height.
    struct Remembered {
        double units = 0;
        int px = -1;
    };
    double read(int i, int px, double perUnit) const;
    int write(int i, double units, double perUnit);

    QPointer<QWidget> widget_;
    UnitScale scale_;
    Remembered remembered_[4];
};

// A window: outer geometry in twips (a QMdiSubWindow, or the frame itself) and the
// inner size of its client widget in its own scale.
class QtWindowGeometry : public QtGeometry, public WindowGeometry {
  public:
    QtWindowGeometry(QWidget* outer, QWidget* client, UnitScale innerScale)
        : QtGeometry(outer, kTwips), client_(client), innerScale_(innerScale) {}

    double scaleWidth() const override;
    double scaleHeight() const override;
    void setScaleTop(double) override {}

  private:
    QPointer<QWidget> client_;
    UnitScale innerScale_;
};

// A scroll bar of the panel, in panel units.
class QtScrollBar : public QtGeometry, public ScrollBar {
  public:
    explicit QtScrollBar(QScrollBar* bar) : QtGeometry(bar, kPanelUnits), bar_(bar) {}
    QScrollBar* bar() const { return bar_; }

    int max() const override { return bar_->maximum(); }
    void setMax(int v) override { bar_->setMaximum(v); }
    int value() const override { return bar_->value(); }
    int largeChange() const override { return bar_->pageStep(); }
    void setLargeChange(int v) override;
    int smallChange() const override { return bar_->singleStep(); }
    void setSmallChange(int v) override;

  private:
    QScrollBar* bar_;
};

// The panel's line Line2, drawn as a thin horizontal rule between its end points.
class QtLine : public LineGeometry {
  public:
    QtLine(QWidget* line, double x1, double y1, double x2, double y2);
    double x1() const override { return x1_; }
    double y1() const override { return y1_; }
    double x2() const override { return x2_; }
    double y2() const override { return y2_; }
    void setPoints(double x1, double y1, double x2, double y2) override;

  private:
    QPointer<QWidget> line_;
    double x1_, y1_, x2_, y2_;
};

}  // namespace yurana::qt
