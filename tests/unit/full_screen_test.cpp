// The full-screen view without its window: its clock rule, its per-frame values, the
// frame it draws on a 640 × 480 back buffer, and leaving it.

#include "animation/full_screen.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "model/calc_error.h"
#include "support/fake_panel.h"

namespace yurana {
namespace {

// A surface that only knows its size and counts itself alive; the pixels are the Qt
// tests' business.
class SizedSurface : public Surface {
  public:
    SizedSurface(int w, int h, int& live) : w_(w), h_(h), live_(live) { ++live_; }
    ~SizedSurface() override { --live_; }

    int width() const override { return w_; }
    int height() const override { return h_; }
    void setBlackColorKey() override {}
    void copy(const Rect&, const Surface&, const Rect&, CopyKind) override {}
    void drawText(int, int, std::string_view, const TextFont&, Colour) override {}

  private:
    int w_, h_;
    int& live_;
};

class SizedFactory : public SurfaceFactory {
  public:
    std::map<std::string, PixelSize> files{
        {"back1.bmp", {800, 600}}, {"m3.bmp", {200, 200}}, {"kabe.bmp", {640, 144}},
        {"bou.bmp", {6, 48}},      {"k.bmp", {64, 40}},    {"kabeoku.bmp", {640, 48}},
    };
    struct Load {
        std::string file;
        int w, h;  // the size asked for; 0 × 0: the bitmap's own
    };
    std::vector<Load> loads;
    int live = 0;

    std::unique_ptr<Surface> load(const std::string& path) override { return make(path, 0, 0); }
    std::unique_ptr<Surface> load(const std::string& path, int w, int h) override {
        return make(path, w, h);
    }

  private:
    std::unique_ptr<Surface> make(const std::string& path, int w, int h) {
        const std::string file = path.substr(path.find_last_of('/') + 1);
        loads.push_back({file, w, h});
        auto it = files.find(file);
        if (it == files.end()) {
            throw calc_error(calc_error::Kind::InvalidCall, "no bitmap " + path);
        }
        return std::make_unique<SizedSurface>(w > 0 ? w : it->second.width,
                                              h > 0 ? h : it->second.height, live);
    }
};

class CountingPresenter : public FramePresenter {
  public:
    void present(const Surface&, const Rect& src) override {
        ++presented;
        lastSrc = src;
    }
    void canvasReleased() override { ++released; }
    int presented = 0;
    int released = 0;
    Rect lastSrc;
};

// The design defaults of the model, as the recompute sequence leaves them.
ModelRecord defaults() {
    ModelRecord r;
    r.m = 1;
    r.k = 1000;
    r.c = 1;
    r.z = 0.0158f;
    r.wn = 31.6228f;
    r.wd = 31.6189f;
    r.f = 3;
    r.w = 2;
    r.kabem = 1000;
    r.c1 = 0.05;
    r.c2 = 0.0007901;
    r.jikanbairitu = 1;
    return r;
}

TEST(FullScreenClock, RunsFromTimer0WithoutTminAndWithoutTheStoppedZero) {
    ModelRecord r;
    r.tmin = 7;
    r.jikanbairitu = 2;
    RunState run{kFullScreen};
    run.timer0 = 100;
    advanceFullScreenClock(run, 103.5, r);
    EXPECT_DOUBLE_EQ(run.jikan, 7.0);
    run.joutai = kStopped;  // the window's rule would show 0 here
    advanceFullScreenClock(run, 104, r);
    EXPECT_DOUBLE_EQ(run.jikan, 8.0);
}

TEST(FullScreenClock, PausedTheTimeStands) {
    ModelRecord r;
    r.jikanbairitu = 1;
    RunState run{kFullScreen};
    run.jikan = 4.25;
    run.ichijiteishi = 1;
    advanceFullScreenClock(run, 1000, r);
    EXPECT_DOUBLE_EQ(run.jikan, 4.25);
}

TEST(FullScreenClock, ZeroHoldsAtZeroAndNegativeRunsBackwards) {
    ModelRecord r;
    RunState run{kFullScreen};
    run.timer0 = 10;
    r.jikanbairitu = 0;
    advanceFullScreenClock(run, 20, r);
    EXPECT_DOUBLE_EQ(run.jikan, 0.0);
    r.jikanbairitu = -1;
    advanceFullScreenClock(run, 20, r);
    EXPECT_DOUBLE_EQ(run.jikan, -10.0);
}

TEST(FullScreenClock, AnOverflowFailsAndKeepsTheTime) {
    ModelRecord r;
    r.jikanbairitu = 1e308;
    RunState run{kFullScreen};
    run.jikan = 3;
    EXPECT_THROW(advanceFullScreenClock(run, 100, r), calc_error);
    EXPECT_DOUBLE_EQ(run.jikan, 3.0);
}

TEST(FullScreenResponse, HoldsXpAsASingleAndAddsThatSingle) {
    const ModelRecord r = defaults();
    for (double t : {0.0, 0.37, 1.9, 12.25}) {
        StepValues window, full;
        evaluateResponse(r, t, "1000", 1, window);
        fullScreenResponse(r, t, "1000", 1, full);
        EXPECT_DOUBLE_EQ(full.xc, window.xc);
        EXPECT_EQ(full.xp, double(float(window.xp)));
        EXPECT_DOUBLE_EQ(full.xpix, (full.xc + full.xp) * 1000);
        EXPECT_EQ(full.kabepix, window.kabepix);
        EXPECT_EQ(full.kabeheni, 0.0f);  // the view keeps no wall displacement
    }
}

TEST(FullScreenResponse, TheWallStaysStillWithoutCheck1) {
    StepValues v;
    fullScreenResponse(defaults(), 0.7, "1000", 0, v);
    EXPECT_EQ(v.kabepix, 0.0f);
    EXPECT_NE(v.xpix, 0.0);
}

TEST(FullScreenResponse, AMagnificationThatIsNoNumberFailsAfterXcAndXp) {
    StepValues v;
    v.xpix = 99;
    v.kabepix = 98;
    EXPECT_THROW(fullScreenResponse(defaults(), 0.5, "abc", 1, v), calc_error);
    EXPECT_NE(v.xc, 0.0);
    EXPECT_NE(v.xp, 0.0);
    EXPECT_EQ(v.xpix, 99.0);
    EXPECT_EQ(v.kabepix, 98.0f);
}

TEST(FullScreenResponse, AnXpBeyondTheSingleRangeFails) {
    ModelRecord r = defaults();
    r.c = 0;
    r.k = 4;  // k = m·ω²: resonance without damping divides by zero
    StepValues v;
    EXPECT_THROW(fullScreenResponse(r, 0.5, "1", 1, v), calc_error);
    r.k = 4.000001f;
    r.f = 3e38f;  // finite as a Double, beyond a Single
    EXPECT_THROW(fullScreenResponse(r, 0.5, "1", 1, v), calc_error);
}

class FullScreenViewTest : public testing::Test {
  protected:
    FullScreenViewTest() {
        run.joutai = kFullScreen;
        clock.t = 50;
        panel.setValue("Check1", 1);
    }

    FullScreenHooks hooks() {
        FullScreenHooks h;
        h.hide = [this] { log += "hide;"; };
        h.showWindows = [this] { log += "show;"; };
        h.reloadForm0 = [this] {
            log += "form0 joutai " + std::to_string(run.joutai) + ";";
            liveAtReload = factory.live;
        };
        h.unload = [this] {
            log += "unload;";
            liveAtUnload = factory.live;
        };
        return h;
    }

    FullScreenView& view() {
        if (!view_) {
            view_.emplace(factory, "/opt/yurana", FullScreenInputs{run, record, panel, clock},
                          presenter, hooks());
        }
        return *view_;
    }

    const SizedSurface& canvas() {
        return dynamic_cast<const SizedSurface&>(*view().scene().canvas());
    }

    SizedFactory factory;
    CountingPresenter presenter;
    RunState run;
    ModelRecord record = defaults();
    test::FakePanel panel;
    test::ManualClock clock;
    std::string log;
    int liveAtReload = -1;
    int liveAtUnload = -1;
    std::optional<FullScreenView> view_;
};

TEST_F(FullScreenViewTest, InitLoadsTheBackgroundAtTheBackBuffersSizeAndTheSpritesAtTheirOwn) {
    view().init();
    ASSERT_EQ(factory.loads.size(), 7u);
    EXPECT_EQ(factory.loads[0].file, "back1.bmp");  // the back buffer
    EXPECT_EQ(factory.loads[0].w, 640);
    EXPECT_EQ(factory.loads[0].h, 480);
    EXPECT_EQ(factory.loads[1].file, "back1.bmp");  // haikei
    EXPECT_EQ(factory.loads[1].w, 640);
    for (std::size_t i = 2; i < factory.loads.size(); ++i) {
        EXPECT_EQ(factory.loads[i].w, 0) << factory.loads[i].file;
    }
    EXPECT_EQ(canvas().width(), 640);
    EXPECT_EQ(canvas().height(), 480);
}

TEST_F(FullScreenViewTest, OnlyJoutai3DrawsAFrame) {
    view().init();
    for (int joutai : {kStopped, kRunning, kAboutResumed, kAboutPaused}) {
        run.joutai = joutai;
        panel.setText("Texthenibairitu", "abc");  // yurana would fail
        view().frame();
        EXPECT_EQ(presenter.presented, 0) << joutai;
    }
    run.joutai = kFullScreen;
    EXPECT_THROW(view().frame(), calc_error);
    panel.setText("Texthenibairitu", "1000");
    view().frame();
    EXPECT_EQ(presenter.presented, 1);
}

TEST_F(FullScreenViewTest, AClickSetsTheCaptionThenLeavesAndReleasesEverything) {
    run.timer0 = 12;
    view().init();
    view().frame();
    EXPECT_EQ(factory.live, 7);
    view().Click();
    EXPECT_EQ(panel.text("Command2"), "停止");
    EXPECT_EQ(log, "hide;show;form0 joutai 2;unload;");
    EXPECT_EQ(liveAtReload, 7);  // form0 comes back before the view lets go
    EXPECT_EQ(liveAtUnload, 0);
    EXPECT_EQ(presenter.released, 1);
    EXPECT_EQ(run.joutai, int(kRunning));
    EXPECT_EQ(run.timer0, 12.0);
    // No frame after the surfaces are gone.
    run.joutai = kFullScreen;
    view().frame();
    EXPECT_EQ(presenter.presented, 1);
}

TEST_F(FullScreenViewTest, AMissingBitmapFailsInitAndKeepsNothing) {
    factory.files.erase("k.bmp");
    EXPECT_THROW(view().init(), calc_error);
    EXPECT_EQ(factory.live, 0);
    EXPECT_FALSE(view().scene().shokika());
    view().frame();
    EXPECT_EQ(presenter.presented, 0);
}

}  // namespace
}  // namespace yurana
