#pragma once

// A 640 × 252 picture that draws nothing: it counts the segments drawn and the lines in a
// colour of their own (axes and marks), and keeps the right-most end of a segment.

#include <algorithm>
#include <string_view>

#include "platform/picture.h"

namespace yurana::test {

class CountingPicture : public Picture {
  public:
    void setDrawColor(Rgb) override {}
    void line(float x1, float, float x2, float) override {
        ++segments;
        rightmost = std::max({rightmost, x1, x2});
    }
    void line(float, float, float, float, Rgb) override { ++marks; }
    void fillRect(float, float, float, float, Rgb) override {}
    void setTextPos(float, float) override {}
    void print(std::string_view) override {}
    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    void setWidth(int) override {}
    int width = 640, height = 252;  // the graph window's design client area
    long segments = 0, marks = 0;
    float rightmost = 0;
};

}  // namespace yurana::test
