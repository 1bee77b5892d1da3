#pragma once

// Test doubles of window, scroll-bar and line geometry: plain values, with a log of
// the writes so tests can check their order.

#include <functional>
#include <string>
#include <vector>

#include "model/calc_error.h"
#include "platform/geometry.h"

namespace yurana::test {

class FakeGeometry : public virtual Geometry {
  public:
    double left() const override { return l; }
    double top() const override { return t; }
    double width() const override { return w; }
    double height() const override { return h; }
    void setLeft(double v) override {
        l = v;
        log.push_back("L" + std::to_string(v));
    }
    void setTop(double v) override {
        t = v;
        log.push_back("T" + std::to_string(v));
    }
    void setWidth(double v) override { resize(w, v, "W"); }
    void setHeight(double v) override { resize(h, v, "H"); }
    bool visible() const override { return shown; }
    void setVisible(bool v) override { shown = v; }

    double l = 0, t = 0, w = 0, h = 0;
    bool shown = true;
    std::vector<std::string> log;
    std::function<void()> onResize;

  private:
    void resize(double& side, double v, const char* tag) {
        if (v < 0) {
            throw calc_error(calc_error::Kind::InvalidCall, "invalid property value");
        }
        side = v;
        log.push_back(tag + std::to_string(v));
        if (onResize) {
            onResize();
        }
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
    void setLargeChange(int v) override {
        check(v);
        large = v;
    }
    int smallChange() const override { return small; }
    void setSmallChange(int v) override {
        check(v);
        small = v;
    }

    int maxV = 32767, val = 0, large = 1, small = 1;

  private:
    static void check(int v) {
        if (v < 1 || v > 32767) {
            throw calc_error(calc_error::Kind::InvalidCall, "invalid property value");
        }
    }
};

}  // namespace yurana::test
