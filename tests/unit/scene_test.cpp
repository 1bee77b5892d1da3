// The scene composed on software surfaces: nearest-neighbour stretching, black source
// key, and a log of every copy and text, so that frames can be checked pixel by pixel.

#include "animation/scene.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/calc_error.h"
#include "support/fake_panel.h"

namespace yurana {
namespace {

using Pixel = std::uint32_t;  // 0xRRGGBB

struct CopyRecord {
    std::string source;
    Rect dest, src;
    CopyKind kind;
};

struct TextRecord {
    int x, y;
    std::string text;
    TextFont font;
    Colour colour;
};

class RasterSurface : public Surface {
  public:
    RasterSurface(std::string name, int w, int h, const std::function<Pixel(int, int)>& paint)
        : name(std::move(name)), w_(w), h_(h), px_(std::size_t(w) * h) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                px_[std::size_t(y) * w + x] = paint(x, y);
            }
        }
    }

    int width() const override { return w_; }
    int height() const override { return h_; }
    void setBlackColorKey() override { keyed = true; }

    void copy(const Rect& d, const Surface& source, const Rect& s, CopyKind kind) override {
        const auto& from = dynamic_cast<const RasterSurface&>(source);
        copies.push_back({from.name, d, s, kind});
        if (!fitsInside(d, w_, h_) || !fitsInside(s, from.w_, from.h_)) {
            return;
        }
        const int dw = d.Right - d.Left, dh = d.Bottom - d.Top;
        const int sw = s.Right - s.Left, sh = s.Bottom - s.Top;
        for (int y = 0; y < dh; ++y) {
            for (int x = 0; x < dw; ++x) {
                Pixel p = from.at(s.Left + x * sw / dw, s.Top + y * sh / dh);
                if (kind == CopyKind::Keyed && from.keyed && p == 0) {
                    continue;
                }
                px_[std::size_t(d.Top + y) * w_ + d.Left + x] = p;
            }
        }
    }

    void drawText(int x, int y, std::string_view text, const TextFont& font,
                  Colour colour) override {
        texts.push_back({x, y, std::string(text), font, colour});
    }

    Pixel at(int x, int y) const { return px_[std::size_t(y) * w_ + x]; }
    const std::vector<Pixel>& pixels() const { return px_; }

    std::string name;
    bool keyed = false;
    std::vector<CopyRecord> copies;
    std::vector<TextRecord> texts;

  private:
    int w_, h_;
    std::vector<Pixel> px_;
};

// Sprite colours; each encodes its source row where the tests need to see which part
// of a sprite landed where.
Pixel background(int, int y) {
    return 0xB00000 | Pixel(y);
}
constexpr Pixel kRod = 0x00FF00;
constexpr Pixel kFarSide = 0x804000;
Pixel wallRow(int y) {
    return 0x300000 | Pixel(y);
}
Pixel springRow(int y) {
    return 0x00C000 | Pixel(y);
}
// The mass: four bands of 50 rows, with a transparent 10 × 10 corner.
Pixel massBand(int band) {
    return 0xE00000 | Pixel(band);
}
Pixel mass(int x, int y) {
    return x < 10 && y < 10 ? 0 : massBand(y / 50);
}

struct BitmapDef {
    int w, h;
    std::function<Pixel(int, int)> paint;
};

class RasterFactory : public SurfaceFactory {
  public:
    std::map<std::string, BitmapDef> files{
        {"back1.bmp", {640, 480, background}},
        {"m3.bmp", {200, 200, mass}},
        {"kabe.bmp", {640, 144, [](int, int y) { return wallRow(y); }}},
        {"bou.bmp", {6, 48, [](int, int) { return kRod; }}},
        // One spring period, its 8 left columns transparent.
        {"k.bmp", {64, 40, [](int x, int y) { return x < 8 ? 0 : springRow(y); }}},
        {"kabeoku.bmp", {640, 48, [](int, int) { return kFarSide; }}},
    };
    std::vector<std::string> loaded;  // paths, in order
    std::vector<RasterSurface*> made;

    std::unique_ptr<Surface> load(const std::string& path) override {
        return make(path, std::nullopt);
    }
    std::unique_ptr<Surface> load(const std::string& path, int w, int h) override {
        return make(path, PixelSize{w, h});
    }

  private:
    std::unique_ptr<Surface> make(const std::string& path, std::optional<PixelSize> size) {
        loaded.push_back(path);
        auto it = files.find(path.substr(path.find_last_of('/') + 1));
        if (it == files.end()) {
            throw calc_error(calc_error::Kind::InvalidCall, "no bitmap " + path);
        }
        const BitmapDef& def = it->second;
        auto s = std::make_unique<RasterSurface>(it->first, size ? size->width : def.w,
                                                 size ? size->height : def.h, def.paint);
        made.push_back(s.get());
        return s;
    }
};

class RecordingPresenter : public FramePresenter {
  public:
    void present(const Surface& canvas, const Rect& src) override {
        ++presented;
        last = &canvas;
        lastSrc = src;
    }
    void canvasReleased() override {
        ++released;
        last = nullptr;
    }
    int presented = 0;
    int released = 0;
    const Surface* last = nullptr;
    Rect lastSrc;
};

class SceneTest : public testing::Test {
  protected:
    Scene& scene(SceneVariant variant = {}) {
        scene_.emplace(factory, "/opt/yurana", SceneInputs{step, run, record, clock}, presenter,
                       std::move(variant));
        return *scene_;
    }

    // A frame of the window at the given displacements, stopped.
    const RasterSurface& frame(double xpix, float kabepix) {
        if (!scene_) {
            scene().init();
        }
        step.xpix = xpix;
        step.kabepix = kabepix;
        scene_->blt();
        return canvas();
    }

    const RasterSurface& canvas() const {
        return dynamic_cast<const RasterSurface&>(*scene_->canvas());
    }

    // Whether any pixel of the canvas satisfies pred.
    bool anywhere(const std::function<bool(Pixel)>& pred) const {
        for (Pixel p : canvas().pixels()) {
            if (pred(p)) {
                return true;
            }
        }
        return false;
    }

    RasterFactory factory;
    RecordingPresenter presenter;
    StepValues step;
    RunState run{kStopped};
    ModelRecord record;
    test::ManualClock clock;
    std::optional<Scene> scene_;
};

bool isSpring(Pixel p) {
    return (p & 0xFFFF00) == 0x00C000;
}
bool isMass(Pixel p) {
    return (p & 0xFFFF00) == 0xE00000;
}

TEST_F(SceneTest, BltBeforeInitDrawsNothing) {
    Scene& s = scene();
    run.jikan = 7;
    clock.t = 100;
    s.blt();
    EXPECT_FALSE(s.shokika());
    EXPECT_EQ(presenter.presented, 0);
    EXPECT_EQ(run.jikan, 7);  // the clock was not advanced
    EXPECT_EQ(s.canvas(), nullptr);
    EXPECT_EQ(s.textLine(), "");
}

TEST_F(SceneTest, InitLoadsTheSevenSurfacesAndKeysTheSprites) {
    scene().init();
    EXPECT_TRUE(scene_->shokika());
    EXPECT_EQ(factory.loaded,
              (std::vector<std::string>{"/opt/yurana/back1.bmp", "/opt/yurana/back1.bmp",
                                        "/opt/yurana/m3.bmp", "/opt/yurana/kabe.bmp",
                                        "/opt/yurana/bou.bmp", "/opt/yurana/k.bmp",
                                        "/opt/yurana/kabeoku.bmp"}));
    std::vector<bool> keyed;
    for (RasterSurface* s : factory.made) {
        keyed.push_back(s->keyed);
    }
    // canvas, haikei, omori, kabe, bou, bane, kabeoku
    EXPECT_EQ(keyed, (std::vector<bool>{false, false, true, true, true, true, false}));
}

TEST_F(SceneTest, AMissingBitmapFailsInitAndLeavesBltIdle) {
    factory.files.erase("k.bmp");
    Scene& s = scene();
    EXPECT_THROW(s.init(), calc_error);
    EXPECT_FALSE(s.shokika());
    s.blt();
    EXPECT_EQ(presenter.presented, 0);
}

TEST_F(SceneTest, AFailedReinitKeepsTheLastCanvasAliveAndASuccessfulOneReleasesIt) {
    frame(0, 0);
    const Surface* first = scene_->canvas();
    factory.files.erase("kabeoku.bmp");
    EXPECT_THROW(scene_->init(), calc_error);
    EXPECT_EQ(presenter.released, 0);
    EXPECT_EQ(scene_->canvas(), first);
    scene_->blt();
    EXPECT_EQ(presenter.presented, 1);  // idle until init succeeds

    factory.files.emplace("kabeoku.bmp", BitmapDef{640, 48, [](int, int) { return kFarSide; }});
    scene_->init();
    EXPECT_EQ(presenter.released, 1);
    scene_->blt();
    EXPECT_EQ(presenter.presented, 2);
    EXPECT_EQ(presenter.last, scene_->canvas());
}

TEST_F(SceneTest, AtRestThePiecesHangOnTheAxis) {
    const RasterSurface& c = frame(0, 0);
    // Wall band over rows 0..143, then the background.
    EXPECT_EQ(c.at(5, 0), wallRow(0));
    EXPECT_EQ(c.at(600, 143), wallRow(143));
    EXPECT_EQ(c.at(600, 144), background(600, 144));
    // Upper rod 144..191 and lower rod 296..343, 6 px wide at x 317..322.
    for (int y : {144, 191, 296, 343}) {
        EXPECT_EQ(c.at(317, y), kRod) << y;
        EXPECT_EQ(c.at(322, y), kRod) << y;
        EXPECT_EQ(c.at(316, y), background(316, y)) << y;
        EXPECT_EQ(c.at(323, y), background(323, y)) << y;
    }
    // Spring 192..295, 64 px wide at x 288..351, its transparent columns showing through.
    EXPECT_EQ(c.at(300, 191), background(300, 191));
    EXPECT_TRUE(isSpring(c.at(300, 192)));
    EXPECT_TRUE(isSpring(c.at(351, 295)));
    EXPECT_EQ(c.at(300, 296), background(300, 296));
    EXPECT_EQ(c.at(290, 250), background(290, 250));
    // The spring starts a quarter period (row 10 of 40) into its bitmap and ends there.
    EXPECT_EQ(c.at(300, 192), springRow(10));
    EXPECT_LT(c.at(300, 295) & 0xFF, 10u);
    // Mass 80 × 80 centred at (320, 384): rows 344..423, columns 280..359.
    EXPECT_EQ(c.at(320, 343), kRod);
    EXPECT_EQ(c.at(320, 344), massBand(0));
    EXPECT_EQ(c.at(320, 423), massBand(3));
    EXPECT_EQ(c.at(320, 424), background(320, 424));
    EXPECT_EQ(c.at(279, 384), background(279, 384));
    EXPECT_EQ(c.at(280, 384), massBand(2));
    EXPECT_EQ(c.at(359, 384), massBand(2));
    EXPECT_EQ(c.at(360, 384), background(360, 384));
    // Its black corner is transparent.
    EXPECT_EQ(c.at(281, 345), background(281, 345));
    EXPECT_EQ(c.at(284, 345), massBand(0));
}

TEST_F(SceneTest, AtRestTheTextLineAndThePresentedFrame) {
    frame(0, 0);
    const RasterSurface& c = canvas();
    ASSERT_EQ(c.texts.size(), 1u);
    const TextRecord& t = c.texts[0];
    EXPECT_EQ(t.text, "0.00秒1   +0m");
    EXPECT_EQ(t.x, 19);
    EXPECT_EQ(t.y, 432);
    EXPECT_EQ(t.font.family, "ＭＳ ゴシック");
    EXPECT_EQ(t.font.points, 20);
    EXPECT_TRUE(t.font.bold);
    EXPECT_EQ(t.colour.r + t.colour.g + t.colour.b, 3 * 255);
    EXPECT_EQ(scene_->textLine(), t.text);
    EXPECT_EQ(presenter.presented, 1);
    EXPECT_EQ(presenter.last, &c);
    EXPECT_EQ(presenter.lastSrc, (Rect{0, 0, 640, 480}));
}

TEST_F(SceneTest, CopiesComeInOrderWithTheirKinds) {
    const RasterSurface& c = frame(0, 0);
    std::vector<std::string> sources;
    std::vector<CopyKind> kinds;
    for (const CopyRecord& r : c.copies) {
        sources.push_back(r.source);
        kinds.push_back(r.kind);
    }
    EXPECT_EQ(sources,
              (std::vector<std::string>{"back1.bmp", "m3.bmp", "k.bmp", "k.bmp", "k.bmp", "k.bmp",
                                        "bou.bmp", "bou.bmp", "kabe.bmp", "kabeoku.bmp"}));
    using enum CopyKind;
    EXPECT_EQ(kinds, (std::vector<CopyKind>{Opaque, Keyed, Keyed, Keyed, Keyed, Keyed, Keyed, Keyed,
                                            Opaque, Opaque}));
    EXPECT_EQ(c.copies[0].dest, (Rect{0, 0, 640, 480}));
    EXPECT_EQ(c.copies[0].src, (Rect{0, 0, 640, 480}));
    // Spring pieces at rest: S0 192, S1 218, S2 253, S3 288, piece 4 from 287 to R 296.
    EXPECT_EQ(c.copies[2].dest, (Rect{288, 192, 352, 218}));
    EXPECT_EQ(c.copies[2].src, (Rect{0, 10, 64, 40}));
    EXPECT_EQ(c.copies[3].dest, (Rect{288, 218, 352, 253}));
    EXPECT_EQ(c.copies[4].dest, (Rect{288, 253, 352, 288}));
    EXPECT_EQ(c.copies[5].dest, (Rect{288, 287, 352, 296}));
    EXPECT_EQ(c.copies[5].src, (Rect{0, 0, 64, 10}));
    // The far side at rest has no height: refused.
    EXPECT_EQ(c.copies[9].dest, (Rect{0, 0, 640, 0}));
}

TEST_F(SceneTest, RunningTheClockAdvancesAndTheSignFollowsTheDisplacement) {
    scene().init();
    run.joutai = kRunning;
    run.timer0 = 10;
    record.tmin = 1;
    record.jikanbairitu = 2;
    clock.t = 12.5;
    step.xpix = -12.5;
    scene_->blt();
    EXPECT_DOUBLE_EQ(run.jikan, 6);
    EXPECT_EQ(scene_->textLine(), "6.00秒2   -12.5m");

    run.ichijiteishi = 1;  // paused: the time stands
    clock.t = 20;
    step.xpix = 2.25;
    scene_->blt();
    EXPECT_EQ(scene_->textLine(), "6.00秒2   +2.25m");

    run.joutai = kStopped;  // stopped: the time reads 0
    step.xpix = -0.0;
    scene_->blt();
    EXPECT_EQ(scene_->textLine(), "0.00秒1   +0m");
}

TEST_F(SceneTest, AMassCrossingTheBottomShowsItsUpperPartUndistorted) {
    // Top at 424; band boundaries at 40 % every 20 rows: 444, 464, 484 (hidden).
    const RasterSurface& c = frame(80, 0);
    EXPECT_EQ(c.at(320, 424), massBand(0));
    EXPECT_EQ(c.at(320, 443), massBand(0));
    EXPECT_EQ(c.at(320, 444), massBand(1));
    EXPECT_EQ(c.at(320, 463), massBand(1));
    EXPECT_EQ(c.at(320, 464), massBand(2));
    EXPECT_EQ(c.at(320, 479), massBand(2));
    EXPECT_EQ(c.copies[1].dest, (Rect{280, 424, 360, 480}));
    EXPECT_EQ(c.copies[1].src, (Rect{0, 0, 200, 140}));
}

TEST_F(SceneTest, AWallBandMovedUpIsCutAtTheTopUndistortedWithoutFarSide) {
    const RasterSurface& c = frame(0, -50);
    EXPECT_EQ(c.at(10, 0), wallRow(50));
    EXPECT_EQ(c.at(10, 93), wallRow(143));
    EXPECT_EQ(c.at(10, 94), background(10, 94));
    // Everything hangs 50 px higher: upper rod from 94, the mass centred at 334.
    EXPECT_EQ(c.at(320, 94), kRod);
    EXPECT_EQ(c.at(320, 294), massBand(0));
    EXPECT_EQ(c.at(320, 293), kRod);
    EXPECT_FALSE(anywhere([](Pixel p) { return p == kFarSide; }));
}

TEST_F(SceneTest, AWallBandMovedDownShowsTheFarSideAboveIt) {
    const RasterSurface& c = frame(0, 30);
    EXPECT_EQ(c.at(10, 0), kFarSide);
    EXPECT_EQ(c.at(630, 29), kFarSide);
    EXPECT_EQ(c.at(10, 30), wallRow(0));
    EXPECT_EQ(c.at(10, 173), wallRow(143));
    EXPECT_EQ(c.at(10, 174), background(10, 174));
    EXPECT_EQ(c.at(320, 174), kRod);
    EXPECT_EQ(c.at(320, 374), massBand(0));
}

TEST_F(SceneTest, WallPositionsRoundHalvesToEven) {
    const RasterSurface& c = frame(0, 12.5f);
    EXPECT_EQ(c.copies[8].dest, (Rect{0, 12, 640, 156}));  // nint(12.5), nint(156.5)
    EXPECT_EQ(c.copies[9].dest, (Rect{0, 0, 640, 12}));
}

TEST_F(SceneTest, AMassRisingAboveTheSpringsTopDrawsNoSpringButBothRods) {
    // T = 194, R = 146 above S0 = 192: the spring's length is negative.
    const RasterSurface& c = frame(-150, 0);
    EXPECT_FALSE(anywhere(isSpring));
    EXPECT_EQ(c.at(320, 144), kRod);
    EXPECT_EQ(c.at(320, 193), kRod);
    EXPECT_EQ(c.copies[7].dest, (Rect{317, 146, 323, 194}));
    EXPECT_EQ(c.at(320, 194), massBand(0));
}

TEST_F(SceneTest, AMassWhoseTopPassesTheCanvasTopLosesTheLowerRod) {
    // Mass from −56 to 24, clipped to 0..24; T = 0 so the lower rod has no height.
    const RasterSurface& c = frame(-400, 0);
    EXPECT_EQ(c.copies[1].dest, (Rect{280, 0, 360, 24}));
    EXPECT_EQ(c.copies[1].src, (Rect{0, 140, 200, 200}));
    EXPECT_EQ(c.copies[7].dest.Bottom, 0);
    EXPECT_GE(c.copies[7].dest.Top, c.copies[7].dest.Bottom);
    EXPECT_FALSE(anywhere(isSpring));
    EXPECT_EQ(c.at(320, 150), kRod);  // the upper rod still hangs from the band
}

TEST_F(SceneTest, AMassWhollyBelowTheCanvasIsNotDrawn) {
    const RasterSurface& c = frame(600, 0);
    EXPECT_FALSE(anywhere(isMass));
    EXPECT_EQ(c.copies[1].dest, (Rect{280, 944, 360, 480}));
    // The spring runs down to the canvas's edge; the lower rod is off it.
    EXPECT_TRUE(isSpring(c.at(300, 479)));
}

TEST_F(SceneTest, AFailedFrameLeavesTheCanvasUntouched) {
    frame(0, 0);
    const std::vector<Pixel> before = canvas().pixels();
    const std::size_t copies = canvas().copies.size();
    step.xpix = 1e300;
    EXPECT_THROW(scene_->blt(), calc_error);
    EXPECT_EQ(canvas().pixels(), before);
    EXPECT_EQ(canvas().copies.size(), copies);
    EXPECT_EQ(presenter.presented, 1);
    EXPECT_EQ(scene_->textLine(), "0.00秒1   +0m");
}

TEST_F(SceneTest, TheLayoutFollowsTheBackgroundsSizeButTheCanvasLimitsStay) {
    factory.files["back1.bmp"] = {800, 600, background};
    const RasterSurface& c = frame(0, 0);
    // xc 400, y0 180, yc 480, a 60, sw 80.
    EXPECT_EQ(c.copies[0].src, (Rect{0, 0, 640, 480}));
    EXPECT_EQ(c.copies[1].dest, (Rect{360, 440, 440, 480}));
    EXPECT_EQ(c.copies[2].dest.Left, 360);
    EXPECT_EQ(c.copies[2].dest.Right, 440);
    EXPECT_EQ(c.copies[2].dest.Top, 240);
    EXPECT_EQ(c.copies[6].dest, (Rect{317, 180, 323, 240}));
    EXPECT_EQ(c.copies[8].dest, (Rect{0, 0, 640, 180}));
    EXPECT_EQ(c.texts[0].x, 19);
    EXPECT_EQ(c.texts[0].y, 432);
    EXPECT_EQ(presenter.lastSrc, (Rect{0, 0, 800, 600}));
}

void holdAt42(RunState& run, double, const ModelRecord&) {
    run.jikan = 42;
}

TEST_F(SceneTest, AVariantFixesTheSizeTheBandAndTheTimeRule) {
    factory.files["back1.bmp"] = {800, 600, background};
    SceneVariant fixed;
    fixed.fixedSize = PixelSize{640, 480};
    fixed.y0 = 24;
    fixed.secondsUnit = " 秒";
    fixed.advance = holdAt42;
    scene(fixed).init();
    EXPECT_EQ(factory.made[1]->width(), 640);  // the background loaded at the fixed size
    run.joutai = kFullScreen;
    scene_->blt();
    const RasterSurface& c = canvas();
    EXPECT_EQ(c.copies[1].dest, (Rect{280, 224, 360, 304}));  // centred at (320, 264)
    EXPECT_EQ(c.copies[8].dest, (Rect{0, 0, 640, 24}));
    EXPECT_EQ(scene_->textLine(), "42.00 秒3   +0m");
    EXPECT_EQ(presenter.lastSrc, (Rect{0, 0, 640, 480}));
}

}  // namespace
}  // namespace yurana
