// The scene composed on software surfaces and checked pixel by pixel; cliprect.

#include "animation/scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "animation/cliprect.h"
#include "animation/full_screen.h"
#include "support/fake_panel.h"

namespace yurana {
namespace {

using Pixel = std::uint32_t;  // 0xRRGGBB

class RasterSurface : public Surface {
  public:
    RasterSurface(int w, int h, const std::function<Pixel(int, int)>& paint) : w_(w), h_(h) {
        for (int i = 0; i < w * h; ++i) {
            px_.push_back(paint(i % w, i / w));
        }
    }
    int width() const override { return w_; }
    int height() const override { return h_; }
    void setBlackColorKey() override { keyed_ = true; }
    void copy(const Rect& d, const Surface& source, const Rect& s, CopyKind kind) override {
        const auto& from = dynamic_cast<const RasterSurface&>(source);
        if (!fitsInside(d, w_, h_) || !fitsInside(s, from.w_, from.h_)) {
            return;
        }
        const int dw = d.Right - d.Left, dh = d.Bottom - d.Top;
        for (int i = 0; i < dw * dh; ++i) {
            const int x = i % dw, y = i / dw;
            const Pixel p =
                from.at(s.Left + x * (s.Right - s.Left) / dw, s.Top + y * (s.Bottom - s.Top) / dh);
            if (!(kind == CopyKind::Keyed && from.keyed_ && p == 0)) {
                put(d.Left + x, d.Top + y, p);
            }
        }
    }
    // Each byte of the text a 6 × 16 block of its own colour.
    void drawText(int x, int y, std::string_view text, const TextFont&, Rgb) override {
        for (int i = 0; i < 96 * int(text.size()); ++i) {
            put(x + i / 16, y + i % 16, 0xFF0000 | std::uint8_t(text[i / 96]));
        }
    }
    void setClip(std::span<const Rect> rects) override { clip_.assign(rects.begin(), rects.end()); }
    void put(int x, int y, Pixel p) {
        auto inside = [&](const Rect& r) {
            return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        };
        if (inside({0, 0, w_, h_}) && (clip_.empty() || std::ranges::any_of(clip_, inside))) {
            px_[std::size_t(y) * w_ + x] = p;
        }
    }
    Pixel at(int x, int y) const { return px_[std::size_t(y) * w_ + x]; }
    int w_, h_;
    bool keyed_ = false;
    std::vector<Pixel> px_;
    std::vector<Rect> clip_;
};

// Each sprite's colour encodes its source row (the mass: its band of 50 rows).
constexpr Pixel kBack = 0xB00000, kWall = 0x300000, kSpring = 0x00C000, kMass = 0xE00000,
                kRod = 0x00FF00, kFarSide = 0x804000;

using Px = std::tuple<int, int, Pixel>;  // x, y, the pixel wanted there
void expectAt(const RasterSurface& c, std::initializer_list<Px> pixels) {
    for (auto [x, y, want] : pixels) {
        EXPECT_EQ(c.at(x, y), want) << "at " << x << ", " << y;
    }
}

// The fixture is the bitmap loader and the presenter of the scene under test.
class SceneTest : public testing::Test, public SurfaceFactory, public FramePresenter {
  protected:
    std::map<std::string, std::pair<PixelSize, std::function<Pixel(int, int)>>> files{
        {"back1.bmp", {{640, 480}, [](int, int y) { return kBack | y; }}},
        // The mass with a transparent 10 × 10 corner; the spring's left 8 columns transparent.
        {"m3.bmp",
         {{200, 200}, [](int x, int y) { return x < 10 && y < 10 ? 0 : kMass | y / 50; }}},
        {"k.bmp", {{64, 40}, [](int x, int y) { return x < 8 ? 0 : kSpring | y; }}},
        {"kabe.bmp", {{640, 144}, [](int, int y) { return kWall | y; }}},
        {"bou.bmp", {{6, 48}, [](int, int) { return kRod; }}},
        {"kabeoku.bmp", {{640, 48}, [](int, int) { return kFarSide; }}},
    };
    std::unique_ptr<Surface> load(const std::string& path) override { return load(path, 0, 0); }
    std::unique_ptr<Surface> load(const std::string& path, int w, int h) override {
        const auto& [size, paint] = files.at(path.substr(path.find_last_of('/') + 1));
        return std::make_unique<RasterSurface>(w ? w : size.width, h ? h : size.height, paint);
    }
    void present(const Surface&, const Rect& src) override { ++presented, lastSrc = src; }
    void canvasReleased() override {}

    Scene& scene(SceneVariant variant = {}) {
        return scene_.emplace(*this, "/y", SceneInputs{step, run, record, clock}, *this, variant);
    }
    // A stopped frame of the window at the given displacements.
    const RasterSurface& frame(double xpix, float kabepix) {
        if (!scene_) {
            scene().init();
        }
        std::tie(step.xpix, step.kabepix) = std::tuple(xpix, kabepix);
        scene_->blt();
        return canvas();
    }
    const RasterSurface& canvas() const {
        return dynamic_cast<const RasterSurface&>(*scene_->canvas());
    }

    int presented = 0;
    Rect lastSrc;
    StepValues step;
    RunState run{kStopped};
    ModelRecord record;
    test::ManualClock clock;
    std::optional<Scene> scene_;
};

// Running before init, without a picture or text: bad_bitmaps_test.
TEST_F(SceneTest, TheTextLineShowsTheTimeAndTheSignedDisplacement) {
    std::tie(run.jikan, run.joutai, run.timer0, clock.t) = std::tuple(7, kRunning, 96, 99);
    std::tie(record.jikanbairitu, record.tmin) = std::tuple(2, 0.5f);
    scene().init();
    for (auto [xpix, line] : {std::pair{-12.5, "6.50秒2   -12.5m"},
                              {2.25, "6.50秒2   +2.25m"},
                              {-0.0, "6.50秒2   +0m"}}) {
        step.xpix = xpix;
        scene_->blt();
        EXPECT_EQ(scene_->textLine(), line);
    }
}

// At rest, moved past the canvas edge (cut, not squeezed), and split into the spring's
// pieces.
TEST_F(SceneTest, EachPieceStandsAtItsRowsForTheDisplacements) {
    // Band 0..143; rods 144..191, 296..343 at x 317..322; spring 192..295 from a quarter
    // period (row 10 of 40), keyed; mass 80 × 80 centred at (320, 384), keyed.
    // clang-format off
    expectAt(frame(0, 0),
             {{600, 143, kWall | 143}, {600, 144, kBack | 144}, {317, 144, kRod}, {322, 191, kRod},
              {316, 144, kBack | 144}, {323, 191, kBack | 191}, {317, 296, kRod}, {322, 343, kRod},
              {316, 343, kBack | 343}, {323, 296, kBack | 296}, {300, 192, kSpring | 10},
              {351, 295, kSpring | 8}, {290, 250, kBack | 250}, {320, 344, kMass | 0},
              {320, 423, kMass | 3}, {320, 424, kBack | 424}, {280, 384, kMass | 2},
              {359, 384, kMass | 2}, {279, 384, kBack | 384}, {360, 384, kBack | 384},
              {281, 345, kBack | 345}});
    // The mass from 424 down past 480 is cut: its bands stay 20 rows each.
    expectAt(frame(80, 0), {{320, 443, kMass | 0}, {320, 444, kMass | 1}, {320, 479, kMass | 2}});
    // Moved down by 12.5: band rows nint(12.5) = 12 .. nint(156.5) = 156, far side above.
    expectAt(frame(0, 12.5f), {{630, 11, kFarSide}, {10, 12, kWall | 0}, {10, 155, kWall | 143},
                               {10, 156, kBack | 156}});
    // X 38, D 11: T = nint(384 − 40 + 49) = 393, S0 = nint(144 + 48 + 11) = 203,
    // R = nint(393 − 48) = 345, L = 142; S1 = nint(35.5 + 203) = 238 (half to even),
    // S2 = nint(47.33 + 238) = 285, S3 = nint(47.33 + 285) = 332, piece 4 from
    // nint(345 − 11.83) = 333, so row 332 shows the background. Rows sample the source
    // as 10 + i·30/35 (piece 1), i·40/47 (pieces 2, 3), i·10/12 (piece 4).
    expectAt(frame(38, 11),
             {{300, 202, kBack | 202}, {300, 203, kSpring | 10}, {300, 237, kSpring | 39},
              {300, 238, kSpring | 0}, {300, 284, kSpring | 39}, {300, 285, kSpring | 0},
              {300, 331, kSpring | 39}, {300, 332, kBack | 332}, {300, 333, kSpring | 0},
              {300, 344, kSpring | 9}, {300, 345, kBack | 345}, {320, 202, kRod},
              {320, 345, kRod}, {320, 392, kRod}, {320, 393, kMass | 0}});
    // clang-format on
}

TEST_F(SceneTest, FramesComposedWhereTheyChangedEqualFramesComposedWhole) {
    scene().init();
    Scene whole(*this, "/y", SceneInputs{step, run, record, clock}, *this);
    whole.init();
    run.joutai = kRunning;
    record.jikanbairitu = 1.5;
    // Moves up and down, into the band and off the canvas, a wall that moves and stops,
    // text lines growing and shrinking, and a repeated frame.
    const std::pair<double, float> steps[] = {{0, 0},      {38, 11},   {41.5, 11}, {-250, -20},
                                              {-250, -20}, {80, 12.5}, {-3, 0},    {0.25, -7}};
    for (auto [xpix, kabepix] : steps) {
        clock.t += 0.37;
        std::tie(step.xpix, step.kabepix) = std::tuple(xpix, kabepix);
        scene_->blt();
        whole.invalidate();
        whole.blt();
        const auto& full = dynamic_cast<const RasterSurface&>(*whole.canvas());
        ASSERT_EQ(canvas().px_, full.px_) << "at " << xpix << ", " << kabepix;
    }
}

TEST_F(SceneTest, FullScreenLayoutIsFixedAt640x480WhateverTheBackground) {
    files["back1.bmp"].first = {800, 600};
    scene(fullScreenVariant()).init();
    run.joutai = kFullScreen;
    scene_->blt();
    ASSERT_EQ(std::pair(canvas().width(), canvas().height()), std::pair(640, 480));
    EXPECT_EQ(lastSrc, (Rect{0, 0, 640, 480}));
    // The background fills the buffer; the band (squeezed) rows 0..23; the mass at (320, 264).
    // clang-format off
    expectAt(canvas(), {{639, 479, kBack | 479}, {634, 23, kWall | 138}, {5, 24, kBack | 24},
                        {320, 24, kRod}, {320, 223, kRod}, {320, 224, kMass | 0},
                        {320, 303, kMass | 3}, {320, 304, kBack | 304}, {359, 264, kMass | 2},
                        {360, 264, kBack | 264}});
    // clang-format on
}

TEST(Cliprect, ShrinksTheSourceInProportionRoundingHalvesToEven) {
    // dest, src -> dest, src. Top; bottom; both (5 + 480/530 · 53 = 53); halves to even at the
    // top (0.5 -> 0) and bottom (1.5 -> 2); wholly below (inverted: refused); zero height
    // (fails: src 0..480, dest kept).
    Rect rows[][4] = {
        {{0, -20, 640, 80}, {0, 0, 640, 200}, {0, 0, 640, 80}, {0, 40, 640, 200}},
        {{0, 400, 10, 500}, {0, 0, 10, 100}, {0, 400, 10, 480}, {0, 0, 10, 80}},
        {{0, -50, 10, 530}, {0, 0, 10, 58}, {0, 0, 10, 480}, {0, 5, 10, 53}},
        {{0, -1, 10, 3}, {0, 0, 10, 2}, {0, 0, 10, 3}, {0, 0, 10, 2}},
        {{0, 477, 10, 481}, {0, 0, 10, 2}, {0, 477, 10, 480}, {0, 0, 10, 2}},
        {{280, 944, 360, 1024}, {0, 0, 200, 200}, {280, 944, 360, 480}, {0, 0, 200, -1160}},
        {{7, -5, 9, -5}, {1, 3, 2, 9}, {7, -5, 9, -5}, {1, 0, 2, 480}},
    };
    for (auto& r : rows) {
        cliprect(r[0], r[1], 640, 480);
        EXPECT_EQ(r[0], r[2]) << "row " << &r - rows;
        EXPECT_EQ(r[1], r[3]) << "row " << &r - rows;
    }
}

}  // namespace
}  // namespace yurana
