#pragma once

#include <QFont>

#include "model/panel_controls.h"

namespace yurana::qt {

// Maps the program's Windows font names to the IPA fonts: "ＭＳ ゴシック" -> IPAGothic,
// "ＭＳ Ｐゴシック" -> IPAPGothic, "System" -> the default sans font.
void installFontSubstitutions();

// A font by the program's own name, point size and weight.
QFont programFont(const char* name, double points, bool bold = false);

// The font of a panel control.
QFont controlFont(ControlFont font);

inline constexpr const char* kGothic = "ＭＳ ゴシック";
inline constexpr const char* kPGothic = "ＭＳ Ｐゴシック";

}  // namespace yurana::qt
