#pragma once

#include <QColor>

// Colours of the analysis charts: curves dark enough on white, markers set apart from them.
namespace yurana::charts::palette {

inline const QColor kCurve{0x1f, 0x5f, 0xbf};       // the main curve; E
inline const QColor kSteady{0xe0, 0x7b, 0x00};      // the steady-state ellipse; W_in
inline const QColor kNatural{0x70, 0x70, 0x70};     // the ωn marker
inline const QColor kCurrent{0xd0, 0x10, 0x30};     // the current state, operating point, time
inline const QColor kKinetic{0x2a, 0xa0, 0x4a};     // T
inline const QColor kPotential{0x8e, 0x44, 0xad};   // U
inline const QColor kDissipated{0x50, 0x30, 0x20};  // W_d
inline const QColor kFamily{0xa8, 0xa8, 0xa8};      // the ζ family of the normalised view
inline const QColor kMeasured{0x00, 0x86, 0x8b};    // measured data points
inline const QColor kFitted{0x11, 0x11, 0x11};      // a curve fitted to them
inline const QColor kPeak{0xc0, 0x00, 0xa0};        // peaks measured on a decay
inline const QColor kEnvelope{0x6b, 0x8e, 0x23};    // the envelope through them

}  // namespace yurana::charts::palette
