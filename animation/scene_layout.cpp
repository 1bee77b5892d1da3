#include "animation/scene_layout.h"

#include "animation/cliprect.h"
#include "model/numbers.h"

namespace yurana {

namespace {

using num::nint;

Rect whole(PixelSize s) {
    return {0, 0, s.width, s.height};
}

// A copy clipped to the canvas rows. cliprect is idempotent, so the wall band, which
// the frame clips once when it is computed and again before it is copied, needs one.
Piece clipped(Sprite sprite, Rect src, Rect dest, CopyKind kind) {
    cliprect(dest, src, kCanvasWidth, kCanvasHeight);
    return {sprite, src, dest, kind};
}

// The rods are 6 px wide on the canvas's centre line.
constexpr double kRodWidth = 6;

}  // namespace

SceneLayout sceneLayout(int W, int H, std::optional<int> y0) {
    SceneLayout l;
    l.xc = nint(0.5 * W);
    l.y0 = y0 ? *y0 : nint(0.3 * H);
    l.yc = nint(0.5 * H + l.y0);
    l.a = 0.1 * H;
    l.sw = 0.1 * W;
    return l;
}

std::array<Piece, kPieceCount> framePieces(const SceneLayout& l, const SpriteSizes& s, double X,
                                           double D) {
    const PixelSize m = s.omori;
    const Piece mass = clipped(Sprite::Omori, whole(m),
                               {nint(l.xc - 0.2 * m.width), nint(l.yc - 0.2 * m.height + X + D),
                                nint(l.xc + 0.2 * m.width), nint(l.yc + 0.2 * m.height + X + D)},
                               CopyKind::Keyed);
    const std::int32_t T = mass.dest.Top;

    const std::int32_t S0 = nint(l.y0 + l.a + D);
    const std::int32_t R = nint(T - l.a);
    const double L = double(R) - S0;
    const std::int32_t S1 = nint(0.75 * L / 3 + S0);
    const std::int32_t S2 = nint(L / 3 + S1);
    const std::int32_t S3 = nint(L / 3 + S2);
    const std::int32_t left = nint(l.xc - 0.5 * l.sw);
    const std::int32_t right = nint(l.xc + 0.5 * l.sw);
    const std::int32_t rodLeft = nint((kCanvasWidth - kRodWidth) * 0.5);   // 317
    const std::int32_t rodRight = nint((kCanvasWidth + kRodWidth) * 0.5);  // 323
    const PixelSize b = s.bane;
    const std::int32_t quarter = nint(0.25 * b.height);

    return {
        mass,
        clipped(Sprite::Bane, {0, quarter, b.width, b.height}, {left, S0, right, S1},
                CopyKind::Keyed),
        clipped(Sprite::Bane, whole(b), {left, S1, right, S2}, CopyKind::Keyed),
        clipped(Sprite::Bane, whole(b), {left, S2, right, S3}, CopyKind::Keyed),
        clipped(Sprite::Bane, {0, 0, b.width, quarter}, {left, nint(R - 0.25 * L / 3), right, R},
                CopyKind::Keyed),
        clipped(Sprite::Bou, whole(s.bou), {rodLeft, nint(l.y0 + D), rodRight, S0},
                CopyKind::Keyed),
        clipped(Sprite::Bou, whole(s.bou), {rodLeft, R, rodRight, T}, CopyKind::Keyed),
        clipped(Sprite::Kabe, whole(s.kabe), {0, nint(D), kCanvasWidth, nint(l.y0 + D)},
                CopyKind::Opaque),
        clipped(Sprite::Kabeoku, whole(s.kabeoku), {0, 0, kCanvasWidth, nint(D)}, CopyKind::Opaque),
    };
}

}  // namespace yurana
