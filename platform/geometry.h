#pragma once

namespace yurana {

// Sizes of the system's units, for the conversions at the windowing layer's boundary.
inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double kPanelUnitX = 0.991367;  // twips per horizontal panel unit
inline constexpr double kPanelUnitY = 0.941392;  // twips per vertical panel unit

// The place and size of a window or control in the units of its container: twips for
// the frame and its child windows, panel units for the controls of the parameter
// panel. Setting a size may raise the window's resize notification at once.
class Geometry {
  public:
    virtual ~Geometry() = default;
    virtual double left() const = 0;
    virtual double top() const = 0;
    virtual double width() const = 0;
    virtual double height() const = 0;
    virtual void setLeft(double v) = 0;
    virtual void setTop(double v) = 0;
    virtual void setWidth(double v) = 0;
    virtual void setHeight(double v) = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool v) = 0;
};

// A window: its outer geometry (twips) and its inner size in its own scale units
// (ScaleWidth, ScaleHeight: pixels for the animation and graph windows, panel units
// for the parameter panel).
class WindowGeometry : public virtual Geometry {
  public:
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    virtual void setScaleTop(double v) = 0;
};

// A scroll bar: Min 0, Max, Value, LargeChange and SmallChange. Setting a step size
// the bar cannot take (below 1 or beyond 32767) fails.
class ScrollBar : public virtual Geometry {
  public:
    virtual int max() const = 0;
    virtual void setMax(int v) = 0;
    virtual int value() const = 0;
    virtual int largeChange() const = 0;
    virtual void setLargeChange(int v) = 0;
    virtual int smallChange() const = 0;
    virtual void setSmallChange(int v) = 0;
};

// A line control: its end points X1, Y1, X2, Y2.
class LineGeometry {
  public:
    virtual ~LineGeometry() = default;
    virtual double x1() const = 0;
    virtual double y1() const = 0;
    virtual double x2() const = 0;
    virtual double y2() const = 0;
    virtual void setPoints(double x1, double y1, double x2, double y2) = 0;
};

}  // namespace yurana
