#pragma once

#include "platform/surface.h"

namespace yurana {

// cliprect: clips dest to the rows 0..height of the canvas and shrinks src in the same
// proportion, so the visible part of a sprite keeps its scale:
//   dest.Top < 0:          src.Top    = nint(src.Top + (−dest.Top) / h_d · h_s), dest.Top = 0
//   dest.Bottom > height:  src.Bottom = nint(src.Top + (height − dest.Top) / h_d · h_s),
//                          dest.Bottom = height
// with h_d, h_s the heights of dest and src at that moment. Left and Right never change;
// width is unused (the clipping is vertical only). When the arithmetic fails (a dest of
// zero height) src becomes Top 0, Bottom height and dest stays as it was.
void cliprect(Rect& dest, Rect& src, int width, int height);

}  // namespace yurana
