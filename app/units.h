#pragma once

// Conversions between the system's units (twips, panel units) and pixels, made only
// at the boundary to the windowing layer, by the sizes in platform/geometry.h.

#include <QSize>

#include "model/numbers.h"
#include "platform/geometry.h"

namespace yurana::units {

inline int twipsToPx(double twips) {
    return num::nint(twips / kTwipsPerPixel);
}
// A design size in twips (a window's client area), in pixels.
inline QSize twipsSize(double width, double height) {
    return {twipsToPx(width), twipsToPx(height)};
}
inline double pxToTwips(int px) {
    return px * kTwipsPerPixel;
}
inline int panelXToPx(double units) {
    return num::nint(units * kPanelUnitX / kTwipsPerPixel);
}
inline int panelYToPx(double units) {
    return num::nint(units * kPanelUnitY / kTwipsPerPixel);
}

}  // namespace yurana::units
