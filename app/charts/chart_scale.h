#pragma once

#include <QWidget>

namespace yurana::charts {

// The size of everything in the chart windows, for reading from the back of a lecture hall:
// percent of the design size, in steps of 25 from 75 to 300.
inline constexpr int kScaleStep = 25;
inline constexpr int kSmallestScale = 75;
inline constexpr int kLargestScale = 300;
inline constexpr int kDesignScale = 100;

// The scale one step up (+1) or down (−1) from `percent`, held to the range.
int steppedScale(int percent, int steps);

// Scales the window's fonts (and so its read-outs and buttons), and in each of its charts
// the title, legend and axis fonts, the line widths and marker sizes of the series, and the
// moving markers; from the sizes the window was designed with, however often it is called.
// The percentage is kept in the window's property "chartScale" for widgets that paint
// themselves.
void applyScale(QWidget* window, int percent);

}  // namespace yurana::charts
