#include "layout/layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "layout/arrange.h"
#include "model/calc_error.h"
#include "panel/control_names.h"
#include "panel/panel_controls.h"
#include "support/design_windows.h"

namespace yurana {
namespace {

using test::FakeLine;

using V = std::vector<double>;

// The picture's size as the layout sets it; the graph background redraw can be made to fail.
struct FakeOthers : LayoutHost {
    void graph_haikei() override {
        if (failHaikei) {
            throw calc_error(calc_error::Kind::TypeMismatch, "x");
        }
    }
    void sizePicture1(double w, double h) override { picture = {w, h}; }
    std::vector<double> picture;
    bool failHaikei = false;
};

// Frame 12000 × 9000 twips, form0 4800 × 3600, the panel 10350 × 3600 with its controls.
struct LayoutTest : ::testing::Test, test::DesignWindows {
    LayoutTest() { flags = {true, true}; }
    test::FakeGeometry& c(std::string_view name) { return controls.at(std::string(name)); }
    static V box(const test::FakeGeometry& g) { return {g.l, g.t, g.w, g.h}; }
    static void size(test::FakeGeometry& g, double w, double h) { g.w = w, g.h = h; }

    TiledWindows& win = windows;
    MoveTables tables;
    LayoutFlags flags;
    FakeOthers others;
    Layout lay{win, content, tables, flags, others};
};

// The panel 7090 × 3600 twips with a 90 × 400 border: ScaleWidth = 7000 / 0.991367 =
// 7060.957, ScaleHeight = 3200 / 0.941392 = 3399.222 panel units for the bars.
TEST_F(LayoutTest, HaichiTilesPlacesTheBarsInPanelUnitsAndItsSecondConfigurationRestores) {
    form1.borderX = 90;
    form1.borderY = 400;
    form1.scaleX = 1 / 0.991367;
    form1.scaleY = 1 / 0.941392;
    haichi(lay);
    // form0's inner size in pixels; the panel 12000 − 4800 − 110 wide; the graph.
    EXPECT_EQ((std::vector{others.picture, box(form1), box(form3)}),
              (std::vector<V>{{312, 212}, {0, 0, 7090, 3600}, {0, 3600, 12000, 4800}}));
    EXPECT_EQ(std::tuple(h.shown, v.h, flags.saihaichi, flags.shukushou),
              std::tuple(true, 2000.0, false, false));
    EXPECT_NEAR(v.l, 7060.957 - 375, 0.01);  // VScroll1 by the width it had before 300
    EXPECT_EQ((V{v.t, v.w, h.l, h.h}), (V{0, 300, 0, 300}));
    EXPECT_NEAR(h.w, 7060.957 - 300, 0.01);
    EXPECT_NEAR(h.t, 3399.222 - 300, 0.01);

    for (auto [frameW, panelW] : {std::pair{4920, 7090}, std::pair{4921, 11}}) {
        frame.w = frameW;  // d = 10 keeps the width, d = 11 does not
        haichi(lay);
        EXPECT_EQ(form1.w, panelW) << frameW;
    }
}

// An outgrown form0 is pulled back (6123 − 100, 4567 − 500), one as large as the frame is
// not; the graph keeps its 4000 when no height is left (4567 − 600 − 4600 < 0, or 0).
TEST_F(LayoutTest, AnOutgrownForm0IsPulledBackAndTheGraphKeepsItsHeightWhenNoneIsLeft) {
    // name, frame w, h, form0 w, h, form0 w, h wanted
    const std::tuple<const char*, double, double, double, double, double, double> rows[] = {
        {"outgrown", 6123, 4567, 6200, 4600, 6023, 4067},
        {"as large", 6200, 4600, 6200, 4600, 6200, 4600},
        {"none left", 6300, 5200, 6200, 4600, 6200, 4600}};
    for (auto [name, fw, fh, w, h, wantW, wantH] : rows) {
        size(frame, fw, fh);
        size(form0, w, h);
        form3.h = 4000;
        haichi(lay);
        EXPECT_EQ((V{form0.w, form0.h, form3.t, form3.w, form3.h}), (V{wantW, wantH, h, fw, 4000}))
            << name;
    }
}

TEST_F(LayoutTest, CollapsedArrangementOfPanelGraphAndBarsAndWhenItIsChosen) {
    // Bars of distinct sizes, so that each formula shows which bar it reads.
    size(frame, 11737, 8643);
    v.w = 310;
    h.h = 290;
    haichi2(lay);
    // Panel 11737 − 500 = 11237 wide, 8643 · 0.2 = 1728.6 high; the graph under it,
    // 8643 − 1728.6 − 1200 = 5714.4 high.
    EXPECT_EQ((V{form1.l, form1.w, form3.l, form3.w}), (V{0, 11237, 0, 11237}));
    EXPECT_EQ((std::vector<float>{float(form1.h), float(form3.t), float(form3.h)}),
              (std::vector{1728.6f, 1728.6f, 5714.4f}));
    // 310 + 9925 fits in 11237: no HScroll1. 290 + 6400 > 1728.6: VScroll1 with
    // LargeChange nint(0.25477 · 100 / 0.74523) = 34, SmallChange 3.
    EXPECT_EQ(std::tuple(h.shown, v.shown, v.large, v.small), std::tuple(false, true, 34, 3));
    // Re-placed: VScroll1 at 11237 − 290 + 100, 1728.6 + 105 high; HScroll1 at
    // 1728.6 − 310 + 105, 11237 − 200 wide.
    EXPECT_EQ(std::pair(v.l, h.w), std::pair(11047.0, 11037.0));
    EXPECT_EQ(std::pair(float(v.h), float(h.t)), std::pair(1833.6f, 1523.6f));
    EXPECT_TRUE(flags.shukushou && form0.log.empty());  // the animation window stays as it is

    // Collapsed below 600 twips; frame resizes are ignored until form0 is resized.
    for (auto [h, left, collapsed] : {std::tuple{599, 0, true}, {600, 4800, false}}) {
        form0.h = h;
        form0Resized(lay);
        frameResized(flags);
        EXPECT_EQ(std::tuple(form1.l, flags.shukushou, flags.saihaichi),
                  std::tuple(left, collapsed, !collapsed));
    }
}

TEST_F(LayoutTest, GraphHaikeiFailureSkipsTheArrangementButClearsBothFlags) {
    others.failHaikei = true;
    form1.w = 7000;
    EXPECT_NO_THROW(haichi(lay));
    EXPECT_TRUE(others.picture.empty() && form3.log.empty());
    EXPECT_EQ(std::pair(form1.w, v.h), std::pair(7000.0, 3600.0 - 2000));  // configured once
    EXPECT_EQ(std::pair(flags.saihaichi, flags.shukushou), std::pair(false, false));
}

TEST_F(LayoutTest, BarsShowWhenNeededWithTheirStepSizesAndARefusedStepEndsSilently) {
    v.w = h.h = 300;
    form1.h = 4000;
    // Panel width -> HScroll1 shown, LargeChange, SmallChange, VScroll1 height. At 100
    // LargeChange 0.97 -> 1 is taken, SmallChange 0 is refused and the routine stops.
    for (auto [w, shown, large, small, vh] :
         {std::tuple{5200.0, true, 100, 10, 2500.0}, std::tuple{10224.0, true, 5087, 509, 2500.0},
          std::tuple{10225.0, false, 7, 7, 4000.0}, std::tuple{100.0, true, 1, 7, 1500.0}}) {
        form1.w = w;
        h.large = h.small = 7;
        v.h = 1500;
        scroll_yoko(win);
        EXPECT_EQ(std::tuple(h.shown, h.large, h.small, v.h), std::tuple(shown, large, small, vh));
    }
    scroll_tate(win);  // 4000 twips high: 143.63 rounds to 144
    EXPECT_EQ(std::tuple(v.shown, v.large, v.small), std::tuple(true, 144, 14));
    form1.h = 6700;  // 300 + 6400 fits
    scroll_tate(win);
    EXPECT_EQ(std::pair(v.shown, h.w), std::pair(false, form1.w));
}

TEST_F(LayoutTest, MovesByTheBarsAndABarAtZeroRestoresTheRecordedPlaces) {
    // Everything placed on the panel itself moves; Frame1's contents move with it.
    EXPECT_EQ(content.controls.size(), 63u);
    c(ctl::Cmd_Save[0]).l = 2.5;  // recorded halves to even: 2
    c(ctl::Frame1).l = 3.5;       // 4
    h.large = h.val = 100;        // 100 / 200 · 10425 = 5212.5 to the left
    v.large = 144;                // 50 / 244 · 7065 ≈ 1447.7 up, both line ends from Y1
    v.val = 50;
    idou_yoko(h, content, tables);
    idou_tate(v, content, tables);
    EXPECT_EQ((V{c(ctl::Cmd_Save[0]).l, c(ctl::Frame1).l, c(ctl::Textk).l, line.p[0], line.p[2]}),
              (V{2 - 5212.5, 4 - 5212.5, 4290 - 5212.5, 1800 - 5212.5, 9720 - 5212.5}));
    EXPECT_NEAR(6120 - c(ctl::Cmd_Save[0]).t, 1447.7, 0.05);
    EXPECT_NEAR(960 - line.p[1], 1447.7, 0.05);
    EXPECT_EQ(line.p[3], line.p[1]);

    // The tables are filled once: the moves start from them wherever the controls are.
    c(ctl::Textk).l = 1234;
    c(ctl::Frame1).t = -1;
    h.val = v.val = 0;
    idou_yoko(h, content, tables);
    idou_tate(v, content, tables);
    EXPECT_EQ((V{c(ctl::Cmd_Save[0]).l, c(ctl::Cmd_Save[0]).t, c(ctl::Frame1).l, c(ctl::Frame1).t,
                 c(ctl::Textk).l}),
              (V{2, 6120, 4, 3990, 4290}));
    EXPECT_EQ(line.p, (std::array<double, 4>{1800, 960, 9720, 960}));
}

TEST_F(LayoutTest, FirstArrangementFromA14400TwipFrame) {
    size(frame, 14400, 10800);
    flags = {true, false};
    arrange(win, flags);
    // form1 beside form0 is checked on the real windows (qt app_test).
    EXPECT_EQ(box(form0), (V{0, 0, 7200, 5400}));
    EXPECT_EQ(box(form3), (V{0, 5400, 14400, 4800}));
    EXPECT_EQ(std::pair(v.l, flags.saihaichi), std::pair(8970.0 - 375, false));
}

}  // namespace
}  // namespace yurana
