#pragma once

// The drawing surface of the scene: off-screen pictures loaded from bitmap files,
// stretched copies with a black source colour key, and text.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "model/calc_error.h"
#include "platform/rgb.h"

namespace yurana {

// A rectangle in pixels, Right and Bottom exclusive.
struct Rect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool operator==(const Rect&) const = default;
};

// Whether r is non-empty, upright and wholly inside a width × height surface: the
// only rectangles a copy accepts.
inline bool fitsInside(const Rect& r, int width, int height) {
    return r.Left < r.Right && r.Top < r.Bottom && r.Left >= 0 && r.Top >= 0 && r.Right <= width &&
           r.Bottom <= height;
}

// Keyed copies skip the source's key colour (black); opaque copies take every pixel.
enum class CopyKind { Opaque, Keyed };

struct TextFont {
    std::string family;  // the program's face name, e.g. "ＭＳ ゴシック"
    double points = 0;   // size, pt
    bool bold = false;
};

class Surface {
  public:
    virtual ~Surface() = default;

    virtual int width() const = 0;   // px
    virtual int height() const = 0;  // px

    // Source colour key black..black: keyed copies from this surface skip pure black.
    virtual void setBlackColorKey() = 0;

    // Stretches srcRect of src onto dest of this surface. Refused, leaving this surface
    // unchanged, unless both rectangles fit inside their surfaces (see fitsInside).
    virtual void copy(const Rect& dest, const Surface& src, const Rect& srcRect, CopyKind kind) = 0;

    // Draws one line of text whose top-left corner is (x, y), without a background.
    virtual void drawText(int x, int y, std::string_view text, const TextFont& font,
                          Rgb colour) = 0;

    // From now on copies and text change only pixels inside these rectangles; an empty
    // list lifts the limit.
    virtual void setClip(std::span<const Rect> rects) = 0;
};

// A bitmap file that cannot be read as a bitmap (missing, truncated, another format).
class bitmap_error : public calc_error {
  public:
    explicit bitmap_error(std::string file)
        : calc_error(Kind::InvalidCall, "cannot load bitmap " + file), file_(std::move(file)) {}
    // The file's name without its folder, as the user finds it ("k.bmp").
    const std::string& file() const { return file_; }

  private:
    std::string file_;
};

class SurfaceFactory {
  public:
    virtual ~SurfaceFactory() = default;

    // A surface holding the bitmap file at its own size; fails (bitmap_error) when the
    // file cannot be read as a bitmap.
    virtual std::unique_ptr<Surface> load(const std::string& path) = 0;

    // The same, stretched to width × height.
    virtual std::unique_ptr<Surface> load(const std::string& path, int width, int height) = 0;
};

}  // namespace yurana
