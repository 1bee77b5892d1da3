#pragma once

// Window, scroll-bar and line geometry as plain values, with a log of the writes so tests
// can check their order.

#include <array>
#include <string>
#include <vector>

#include "model/calc_error.h"
#include "platform/geometry.h"

namespace yurana::test {

inline void refuseIf(bool invalid) {
    if (invalid) {
        throw calc_error(calc_error::Kind::InvalidCall, "invalid property value");
    }
}

class FakeGeometry : public virtual Geometry {
  public:
    double left() const override { return l; }
    double top() const override { return t; }
    double width() const override { return w; }
    double height() const override { return h; }
    void setLeft(double v) override { put(l, v, "L"); }
    void setTop(double v) override { put(t, v, "T"); }
    void setWidth(double v) override { put(w, v, "W", true); }
    void setHeight(double v) override { put(h, v, "H", true); }
    bool visible() const override { return shown; }
    void setVisible(bool v) override { shown = v; }

    double l = 0, t = 0, w = 0, h = 0;
    bool shown = true;
    std::vector<std::string> log;

  private:
    // A negative size is refused, as the platform does; a place may be anything.
    void put(double& side, double v, const char* tag, bool size = false) {
        refuseIf(size && v < 0);
        side = v;
        log.push_back(tag + std::to_string(v));
    }
};

// A window whose client is its outer size less a border, in its own scale.
class FakeWindow : public FakeGeometry, public WindowGeometry {
  public:
    double scaleWidth() const override { return (w - borderX) * scaleX; }
    double scaleHeight() const override { return (h - borderY) * scaleY; }
    void setScaleTop(double) override {}

    double borderX = 0, borderY = 0;
    double scaleX = 1, scaleY = 1;
};

class FakeScrollBar : public FakeGeometry, public ScrollBar {
  public:
    int max() const override { return maxV; }
    void setMax(int v) override { maxV = v; }
    int value() const override { return val; }
    int largeChange() const override { return large; }
    void setLargeChange(int v) override { large = checked(v); }
    int smallChange() const override { return small; }
    void setSmallChange(int v) override { small = checked(v); }

    int maxV = 32767, val = 0, large = 1, small = 1;

  private:
    static int checked(int v) {
        refuseIf(v < 1 || v > 32767);
        return v;
    }
};

// Line2 of the panel at its design place.
class FakeLine : public LineGeometry {
  public:
    double x1() const override { return p[0]; }
    double y1() const override { return p[1]; }
    double x2() const override { return p[2]; }
    double y2() const override { return p[3]; }
    void setPoints(double a, double b, double c, double d) override { p = {a, b, c, d}; }
    std::array<double, 4> p{1800, 960, 9720, 970};
};

}  // namespace yurana::test
