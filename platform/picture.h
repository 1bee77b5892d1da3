#pragma once

#include <span>
#include <string_view>

#include "platform/rgb.h"

namespace yurana {

// A point on a picture, px.
struct PlotPoint {
    float x = 0;
    float y = 0;

    friend bool operator==(PlotPoint, PlotPoint) = default;
};

// A picture surface a window draws on: the plot area of the graph window, its summary
// panel. Coordinates are pixels from the top-left corner of the client area, x to the
// right, y downwards; they arrive as Singles and the surface rounds them to pixels.
class Picture {
  public:
    virtual ~Picture() = default;

    // The drawing colour (ForeColor): used by line() without a colour and by print().
    virtual void setDrawColor(Rgb color) = 0;
    // A one-pixel solid line, both end points included, in the drawing colour or in the
    // given colour (which leaves the drawing colour as it was).
    virtual void line(float x1, float y1, float x2, float y2) = 0;
    virtual void line(float x1, float y1, float x2, float y2, Rgb color) = 0;
    // The lines from each point to the next, in the drawing colour: as many line() calls,
    // which a surface may draw at once.
    virtual void polyline(std::span<const PlotPoint> points) {
        for (std::size_t i = 1; i < points.size(); ++i) {
            line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
        }
    }
    // Fills the rectangle with corners (x1, y1) and (x2, y2), both included.
    virtual void fillRect(float x1, float y1, float x2, float y2, Rgb color) = 0;
    // The text position (CurrentX, CurrentY): the top-left corner of the next print.
    virtual void setTextPos(float x, float y) = 0;
    // Prints one line of text (UTF-8) at the text position in the surface's font and the
    // drawing colour; the text position then moves to the start of the next line.
    virtual void print(std::string_view text) = 0;
    // Size of the client area, pixels.
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // Sets the surface's outer width, pixels (the summary panel's Width).
    virtual void setWidth(int px) = 0;
};

}  // namespace yurana
