#pragma once

// Conversions between the system's units and pixels, made only at the boundary to
// the windowing layer: 15 twips per logical pixel; a panel unit is 0.991367 twips
// horizontally and 0.941392 twips vertically.

#include "model/numbers.h"
#include "panel/panel_controls.h"

namespace yurana::units {

inline int twipsToPx(double twips) {
    return num::nint(twips / kTwipsPerPixel);
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
inline double pxToPanelX(int px) {
    return px * kTwipsPerPixel / kPanelUnitX;
}
inline double pxToPanelY(int px) {
    return px * kTwipsPerPixel / kPanelUnitY;
}

}  // namespace yurana::units
