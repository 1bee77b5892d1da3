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

}  // namespace yurana::charts::palette
