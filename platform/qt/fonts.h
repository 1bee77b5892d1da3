#pragma once

#include <QFont>

namespace yurana::qt {

// Maps the program's Windows font names to the IPA fonts: "ＭＳ ゴシック" -> IPAGothic,
// "ＭＳ Ｐゴシック" -> IPAPGothic, "System" -> the default sans font.
void installFontSubstitutions();

// A font by the program's own name, point size and weight.
QFont programFont(const char* name, double points, bool bold = false);

inline constexpr const char* kGothic = "ＭＳ ゴシック";
inline constexpr const char* kPGothic = "ＭＳ Ｐゴシック";

}  // namespace yurana::qt
