#pragma once

// A 640 × 252 picture that draws nothing: it counts the chains asked for (a plain line or a
// polyline each) and the segments they hold, coloured lines included.

#include <span>
#include <string_view>

#include "platform/picture.h"

namespace yurana::test {

class CountingPicture : public Picture {
  public:
    void setDrawColor(Rgb) override {}
    void line(float, float, float, float) override { ++chains, ++segments; }
    void line(float, float, float, float, Rgb) override { ++segments; }
    void polyline(std::span<const PlotPoint> points) override {
        ++chains;
        segments += long(points.size()) - 1;
    }
    void fillRect(float, float, float, float, Rgb) override {}
    void setTextPos(float, float) override {}
    void print(std::string_view) override {}
    int clientWidth() const override { return 640; }
    int clientHeight() const override { return 252; }
    void setWidth(int) override {}
    int chains = 0;
    long segments = 0;
};

}  // namespace yurana::test
