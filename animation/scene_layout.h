#pragma once

// Where the pieces of the hanging system go in one frame: the wall band across the top,
// the upper rod, the coil spring, the lower rod and the mass, all on the vertical axis.

#include <array>
#include <optional>

#include "platform/surface.h"

namespace yurana {

// The canvas limits used by every copy, px, whatever the background's size.
inline constexpr int kCanvasWidth = 640;
inline constexpr int kCanvasHeight = 480;

struct PixelSize {
    int width = 0;
    int height = 0;

    bool operator==(const PixelSize&) const = default;
};

// Layout quantities from the layout size W × H, px.
struct SceneLayout {
    int xc = 0;     // the vertical axis, nint(0.5 W)
    int y0 = 0;     // height of the wall band at rest, nint(0.3 H) unless given
    int yc = 0;     // centre of the mass at rest, nint(0.5 H + y0)
    double a = 0;   // length of each rod, 0.1 H
    double sw = 0;  // drawn width of the spring, 0.1 W
};

SceneLayout sceneLayout(int W, int H, std::optional<int> y0 = std::nullopt);

enum class Sprite { Omori, Bane, Bou, Kabe, Kabeoku };

// Bitmap sizes of the sprites, px.
struct SpriteSizes {
    PixelSize omori;    // the mass (mW × mH)
    PixelSize bane;     // one period of the spring (sW × sH)
    PixelSize bou;      // a rod (rW × rH)
    PixelSize kabe;     // the wall band (kW × kH)
    PixelSize kabeoku;  // the wall's far side (oW × oH)
};

// One copy of a frame: src of the sprite stretched onto dest of the canvas.
struct Piece {
    Sprite sprite;
    Rect src;
    Rect dest;
    CopyKind kind;

    bool operator==(const Piece&) const = default;
};

inline constexpr int kPieceCount = 9;

// The copies of one frame in drawing order, each clipped to the canvas rows with
// cliprect: mass, spring pieces 1 to 4, upper rod, lower rod, wall band, far side.
// X = xpix (the mass relative to the wall), D = kabepix (the wall), px. The mass is
// placed and clipped first; with T its clipped top,
//   S0 = nint(y0 + a + D)  spring top,   R = nint(T − a)  spring bottom,   L = R − S0,
//   S1 = nint(0.75 L/3 + S0), S2 = nint(L/3 + S1), S3 = nint(L/3 + S2),
// so the spring shows three periods starting a quarter period into the bitmap.
// Fails (calc_error) when a coordinate leaves the 32-bit range.
std::array<Piece, kPieceCount> framePieces(const SceneLayout& layout, const SpriteSizes& sizes,
                                           double X, double D);

}  // namespace yurana
