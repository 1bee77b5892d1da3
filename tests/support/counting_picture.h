#pragma once

// A 640 × 252 picture that draws nothing: it counts the chains asked for (a polyline, or a
// plain line outside one), the segments they hold, and the lines in a colour of their own
// (axes and marks), and keeps the right-most end of a segment.

#include <algorithm>
#include <span>
#include <string_view>

#include "platform/picture.h"

namespace yurana::test {

class CountingPicture : public Picture {
  public:
    void setDrawColor(Rgb) override {}
    void line(float x1, float, float x2, float) override {
        chains += inChain_ ? 0 : 1;
        ++segments;
        rightmost = std::max({rightmost, x1, x2});
    }
    void line(float, float, float, float, Rgb) override { ++marks; }
    void polyline(std::span<const PlotPoint> points) override {
        ++chains;
        inChain_ = true;
        Picture::polyline(points);
        inChain_ = false;
    }
    void fillRect(float, float, float, float, Rgb) override {}
    void setTextPos(float, float) override {}
    void print(std::string_view) override {}
    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    void setWidth(int) override {}
    int width = 640, height = 252;  // the graph window's design client area
    int chains = 0;
    long segments = 0, marks = 0;
    float rightmost = 0;

  private:
    bool inChain_ = false;
};

}  // namespace yurana::test
