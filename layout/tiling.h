#pragma once

// The numbers the arrangements tile the frame by, twips, single precision as the window
// sizes are held (the bars' in panel units). arrange, haichi and haichi2 share them.

namespace yurana::tiling {

// Frame height not given to form0 and the graph window.
inline constexpr float kGraphMargin = 600.0f;
// Frame width not given to form0 and the panel; the panel is widened only by more than
// kPanelMinGain.
inline constexpr float kPanelMargin = 110.0f;
inline constexpr float kPanelMinGain = 10.0f;
// form0 pulled back inside a frame it outgrew: this much narrower or lower than the frame.
inline constexpr float kForm0WidthMargin = 100.0f;
inline constexpr float kForm0HeightMargin = 500.0f;
// The bars' thickness, panel units.
inline constexpr float kBarThickness = 300.0f;

// The first arrangement: form0 this share of the frame's width, 4:3; VScroll1's right
// edge at the design panel's inner width.
inline constexpr float kForm0WidthShare = 0.5f;
inline constexpr float kForm0Aspect = 3.0f / 4.0f;
inline constexpr float kVScrollRight = 8970.0f;

// The collapsed arrangement: the panel (frame width − kCollapsedWidthMargin) wide and a
// fifth of the frame high, the graph window kCollapsedGraphMargin short of the rest; the
// bars re-placed with these offsets from the panel's edges.
inline constexpr float kCollapsedWidthMargin = 500.0f;
inline constexpr double kCollapsedPanelShare = 0.2;
inline constexpr float kCollapsedGraphMargin = 1200.0f;
inline constexpr float kCollapsedVScrollOffset = 100.0f;
inline constexpr float kCollapsedBarOverhang = 105.0f;
inline constexpr float kCollapsedHScrollShortening = 200.0f;

}  // namespace yurana::tiling
