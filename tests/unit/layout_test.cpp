#include "app/logic/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "model/panel_controls.h"
#include "support/fake_geometry.h"

namespace yurana {
namespace {

class FakeLine : public LineGeometry {
  public:
    double x1() const override { return p[0]; }
    double y1() const override { return p[1]; }
    double x2() const override { return p[2]; }
    double y2() const override { return p[3]; }
    void setPoints(double a, double b, double c, double d) override {
        p[0] = a;
        p[1] = b;
        p[2] = c;
        p[3] = d;
    }
    double p[4] = {1800, 960, 9720, 960};
};

int countOf(const std::vector<std::string>& log, char what) {
    return static_cast<int>(
        std::count_if(log.begin(), log.end(), [&](const std::string& e) { return e[0] == what; }));
}

// A 12000 × 9000 twip frame with form0 4800 × 3600 and the panel's controls at their
// design places. form0's inner size is in pixels, the panel's in panel units.
struct LayoutFixture : ::testing::Test {
    LayoutFixture() {
        frame.w = 12000;
        frame.h = 9000;
        form0.w = 4800;
        form0.h = 3600;
        form0.borderX = 120;
        form0.borderY = 420;
        form0.scaleX = form0.scaleY = 1.0 / 15.0;
        form1.w = 10350;
        form1.h = 3600;
        form1.borderX = 120;
        form1.borderY = 420;
        form1.scaleX = 1.0 / 0.991367;
        form1.scaleY = 1.0 / 0.941392;
        form3.w = 9600;
        form3.h = 4000;
        v.w = 375;
        v.h = 2000;
        v.maxV = 100;
        h.h = 375;
        h.maxV = 100;
        for (std::string_view name : movedControlNames()) {
            const ControlDef* def = findControl(name);
            test::FakeGeometry& c = controls[std::string(name)];
            c.l = def->left;
            c.t = def->top;
        }
        content = makePanelContent(
            [this](std::string_view name) { return &controls.at(std::string(name)); }, &line);
        flags = {kTrue, kTrue};
        lay.hooks.graph_haikei = [this] {
            ++haikeiCalls;
            graphHeightSeen = form3.h;
            if (haikeiFails) {
                throw calc_error(calc_error::Kind::TypeMismatch, "type mismatch");
            }
        };
        lay.hooks.sizePicture1 = [this](double w, double h) {
            pictureW = w;
            pictureH = h;
        };
    }

    test::FakeWindow frame, form0, form1, form3;
    test::FakeScrollBar v, h;
    Windows win{frame, form0, form1, form3, v, h};
    std::map<std::string, test::FakeGeometry> controls;
    FakeLine line;
    PanelContent content;
    MoveTables tables;
    LayoutFlags flags;
    Layout lay{win, content, tables, flags, {}};

    int haikeiCalls = 0;
    bool haikeiFails = false;
    double graphHeightSeen = -1;
    double pictureW = -1, pictureH = -1;
};

using Haichi = LayoutFixture;

TEST_F(Haichi, TilesThePanelBesideForm0AndTheGraphUnderBoth) {
    haichi(lay);

    // 12000 − 4800 − 110 = 7090.
    EXPECT_EQ(form1.w, 7090);
    EXPECT_EQ(form1.h, 3600);
    EXPECT_EQ(form3.t, 3600);
    EXPECT_EQ(form3.l, 0);
    EXPECT_EQ(form3.w, 12000);
    EXPECT_EQ(form3.h, 9000 - 600 - 3600);
    // graph_haikei ran first, on the old graph window; Picture1 got form0's pixels.
    EXPECT_EQ(haikeiCalls, 1);
    EXPECT_EQ(graphHeightSeen, 4000);
    EXPECT_EQ(pictureW, (4800 - 120) / 15.0);
    EXPECT_EQ(pictureH, (3600 - 420) / 15.0);
    // The bars at the panel's inner edges; VScroll1 placed by its old width 375.
    float sw = static_cast<float>((7090 - 120) / 0.991367);
    float sh = static_cast<float>((3600 - 420) / 0.941392);
    EXPECT_EQ(v.t, 0);
    EXPECT_FLOAT_EQ(v.l, sw - 375.0f);
    EXPECT_EQ(v.w, 300);
    EXPECT_EQ(h.h, 300);
    EXPECT_EQ(h.l, 0);
    EXPECT_FLOAT_EQ(h.w, sw - 300.0f);
    EXPECT_FLOAT_EQ(h.t, sh - 300.0f);
    EXPECT_EQ(flags.saihaichi, kFalse);
    EXPECT_EQ(flags.shukushou, kFalse);
}

TEST_F(Haichi, PanelKeepsItsWidthWhenTheFrameLeavesTenTwipsOrLess) {
    frame.w = 4920;  // d = 10
    haichi(lay);
    EXPECT_EQ(form1.w, 10350);
    EXPECT_EQ(countOf(form1.log, 'W'), 0);

    frame.w = 4921;  // d = 11
    haichi(lay);
    EXPECT_EQ(form1.w, 11);
}

TEST_F(Haichi, GraphKeepsItsHeightWhenTheFrameLeavesNone) {
    frame.h = 4200;  // 4200 − 600 − 3600 = 0
    haichi(lay);
    EXPECT_EQ(form3.t, 3600);
    EXPECT_EQ(form3.w, 12000);
    EXPECT_EQ(form3.h, 4000);
}

TEST_F(Haichi, Form0LargerThanTheFrameIsPulledBackInside) {
    form0.w = 13000;
    form0.h = 9500;
    haichi(lay);
    EXPECT_EQ(form0.w, 12000 - 100);
    EXPECT_EQ(form0.h, 9000 - 500);
    // The panel was sized before, from the old form0: 12000 − 13000 − 110 keeps it.
    EXPECT_EQ(form1.w, 10350);
    EXPECT_EQ(form1.h, 9500);
}

TEST_F(Haichi, SecondConfigurationRestoresVScrollHeight) {
    haichi(lay);

    // The panel (7090) needs HScroll1: each configuration sets VScroll1 to the panel
    // height less its own, so two leave it as it was.
    EXPECT_TRUE(h.shown);
    EXPECT_EQ(h.large, 213);  // 7090 / 10425 · 100 / (1 − 7090 / 10425) = 212.59
    EXPECT_EQ(h.small, 21);
    EXPECT_EQ(v.h, 2000);
    EXPECT_TRUE(v.shown);
    EXPECT_EQ(v.large, 113);  // 3600 / 6785 · 100 / (1 − 3600 / 6785) = 113.03
}

TEST_F(Haichi, GraphHaikeiFailureSkipsTheArrangementButConfiguresOnce) {
    haikeiFails = true;
    form1.w = 7000;

    EXPECT_NO_THROW(haichi(lay));

    EXPECT_EQ(pictureW, -1);
    EXPECT_EQ(form1.w, 7000);
    EXPECT_TRUE(form3.log.empty());
    EXPECT_EQ(v.w, 375);
    // One configuration only: VScroll1 is the panel height less its old height.
    EXPECT_EQ(v.h, 3600 - 2000);
    EXPECT_EQ(flags.saihaichi, kFalse);
    EXPECT_EQ(flags.shukushou, kFalse);
    EXPECT_TRUE(tables.kiroku_yoko && tables.kiroku_tate);
}

TEST_F(Haichi, FailureLateInThePassAlsoConfiguresOnce) {
    frame.h = 400;  // form0 is higher: its new height 400 − 500 is refused

    EXPECT_NO_THROW(haichi(lay));

    EXPECT_EQ(form1.w, 7090);
    EXPECT_EQ(form0.h, 3600);
    EXPECT_EQ(v.h, 3600 - 2000);
    EXPECT_EQ(flags.saihaichi, kFalse);
}

TEST_F(Haichi, FirstPassRecordsTheDesignPlacesAndMovesByTheBars) {
    h.val = 50;
    haichi(lay);

    double offset = 50.0 / (100 + 213) * 10425;
    ASSERT_TRUE(tables.kiroku_yoko);
    EXPECT_EQ(tables.moto_ichi_yoko.front(), 5700);  // Cmd_Save0's design Left
    EXPECT_FLOAT_EQ(controls["Cmd_Save0"].l, 5700 - offset);
    EXPECT_FLOAT_EQ(controls["Frame1"].l, 360 - offset);
    EXPECT_FLOAT_EQ(line.p[2], 9720 - offset);
    EXPECT_EQ(controls["Textk"].t, 0);  // VScroll1 is at 0
}

TEST_F(Haichi, Form0ResizeRaisedByThePassRunsANestedPass) {
    form0.w = 13000;
    form0.onResize = [this] { form0Resized(lay); };

    haichi(lay);

    EXPECT_EQ(haikeiCalls, 2);
    EXPECT_EQ(form0.w, 11900);
    EXPECT_EQ(form1.l, 11900);
}

using Haichi2 = LayoutFixture;

TEST_F(Haichi2, PanelAcrossTheTopAndTheGraphUnderIt) {
    frame.w = 10000;
    frame.h = 7777;
    v.w = 300;
    h.h = 300;

    haichi2(lay);

    float panelH = static_cast<float>(7777.0f * 0.2);
    EXPECT_EQ(form1.w, 9500);
    EXPECT_EQ(form1.l, 0);
    EXPECT_EQ(form1.h, panelH);
    EXPECT_EQ(form3.w, 9500);
    EXPECT_EQ(form3.t, panelH);
    EXPECT_EQ(form3.l, 0);
    EXPECT_EQ(form3.h, 7777.0f - panelH - 1200.0f);
    // Both bars needed: 9500 / 10425 gives 1027 / 103, 1555.4 / 6785 gives 30 / 3.
    EXPECT_EQ(h.large, 1027);
    EXPECT_EQ(h.small, 103);
    EXPECT_EQ(v.large, 30);
    EXPECT_EQ(v.small, 3);
    EXPECT_TRUE(tables.kiroku_yoko && tables.kiroku_tate);
    // Then the bars re-placed along the panel's outer edges.
    EXPECT_EQ(v.l, 9500 - 300 + 100);
    EXPECT_EQ(v.h, panelH + 105.0f);
    EXPECT_EQ(h.t, panelH - 300.0f + 105.0f);
    EXPECT_EQ(h.w, 9500 - 200);
    EXPECT_EQ(flags.shukushou, kTrue);
    EXPECT_TRUE(form0.log.empty());
}

TEST_F(Haichi2, FailureEndsItWithoutSettingShukushou) {
    frame.w = 400;  // panel width −100 is refused
    flags.shukushou = kFalse;

    EXPECT_NO_THROW(haichi2(lay));

    EXPECT_EQ(flags.shukushou, kFalse);
    EXPECT_TRUE(form1.log.empty());
    EXPECT_TRUE(form3.log.empty());
}

using Form0Resized = LayoutFixture;

TEST_F(Form0Resized, CollapsesBelowSixHundredTwipsUntilResizedAgain) {
    form0.h = 599;
    form0Resized(lay);

    // The full pass, then haichi2 twice (the test is repeated).
    EXPECT_EQ(haikeiCalls, 1);
    EXPECT_EQ(countOf(form3.log, 'W'), 3);
    EXPECT_EQ(form1.l, 0);
    EXPECT_EQ(flags.shukushou, kTrue);
    EXPECT_EQ(flags.saihaichi, kFalse);
    frameResized(flags);
    EXPECT_EQ(flags.saihaichi, kFalse);

    form0.h = 600;
    form3.log.clear();
    form0Resized(lay);

    EXPECT_EQ(countOf(form3.log, 'W'), 1);
    EXPECT_EQ(form1.l, 4800);
    EXPECT_EQ(form1.h, 600);
    EXPECT_EQ(flags.shukushou, kFalse);
    frameResized(flags);
    EXPECT_EQ(flags.saihaichi, kTrue);
}

TEST_F(Form0Resized, PlacesThePanelAndVScrollBeforeThePass) {
    form0Resized(lay);

    EXPECT_EQ(form1.l, 4800);
    // VScroll1 first at the panel's inner right edge, ScaleHeight − 300 high.
    ASSERT_GE(v.log.size(), 3u);
    float sw = static_cast<float>((10350 - 120) / 0.991367);
    float sh = static_cast<float>((3600 - 420) / 0.941392);
    EXPECT_EQ(v.log[0], "T" + std::to_string(0.0));
    EXPECT_EQ(v.log[1], "L" + std::to_string(sw - 375.0f));
    EXPECT_EQ(v.log[2], "H" + std::to_string(sh - 300.0f));
    EXPECT_EQ(haikeiCalls, 1);
}

TEST_F(Form0Resized, FailureBeforeThePassSkipsToTheLastHeightTest) {
    form1.h = 500;  // ScaleHeight 85: VScroll1 height −215 is refused
    form0.h = 599;

    EXPECT_NO_THROW(form0Resized(lay));

    // No full pass (saihaichi still set), haichi2 once.
    EXPECT_EQ(haikeiCalls, 0);
    EXPECT_EQ(flags.saihaichi, kTrue);
    EXPECT_EQ(flags.shukushou, kTrue);
    EXPECT_EQ(countOf(form3.log, 'W'), 1);
}

}  // namespace
}  // namespace yurana
