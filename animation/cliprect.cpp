#include "animation/cliprect.h"

#include "model/calc_error.h"
#include "model/numbers.h"

namespace yurana {

namespace {

// The source row at which a fraction `above` of dest's height begins.
std::int32_t proportionalRow(const Rect& dest, const Rect& src, double above) {
    double fraction = num::div(above, double(dest.Bottom) - dest.Top);
    return num::nint(num::add(src.Top, num::mul(fraction, double(src.Bottom) - src.Top)));
}

}  // namespace

void cliprect(Rect& dest, Rect& src, int /*width*/, int height) {
    Rect d = dest;
    Rect s = src;
    try {
        if (d.Top < 0) {
            s.Top = proportionalRow(d, s, -double(d.Top));
            d.Top = 0;
        }
        if (d.Bottom > height) {
            s.Bottom = proportionalRow(d, s, double(height) - d.Top);
            d.Bottom = height;
        }
    } catch (const calc_error&) {
        src.Top = 0;
        src.Bottom = height;
        return;
    }
    dest = d;
    src = s;
}

}  // namespace yurana
