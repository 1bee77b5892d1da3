#include "app/logic/scroll.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
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
    double p[4] = {1800, 960, 9720, 970};
};

// The panel with its bars, and three of the moved controls at their design places.
struct ScrollFixture : ::testing::Test {
    ScrollFixture() {
        form1.w = 10350;
        form1.h = 7635;
        v.w = 300;
        v.h = 1500;
        v.maxV = 100;
        h.h = 300;
        h.maxV = 100;
        h.w = 9000;
        save0.l = 5700;
        save0.t = 6120;
        frame1.l = 360;
        frame1.t = 3990;
        textk.l = 4290;
        textk.t = 0;
        content.controls = {{"Cmd_Save0", &save0}, {"Frame1", &frame1}, {"Textk", &textk}};
        content.line2 = &line;
    }

    test::FakeWindow frame, form0, form1, form3;
    test::FakeScrollBar v, h;
    Windows win{frame, form0, form1, form3, v, h};
    test::FakeGeometry save0, frame1, textk;
    FakeLine line;
    PanelContent content;
    MoveTables tables;
};

using ScrollYoko = ScrollFixture;

TEST_F(ScrollYoko, PanelNarrowerThanTheContentShowsTheBar) {
    form1.w = 5200;
    form1.h = 4000;
    h.shown = false;

    scroll_yoko(win);

    // 5200 / 10425 · 100 / (1 − 5200 / 10425) = 99.52.
    EXPECT_TRUE(h.shown);
    EXPECT_EQ(h.maxV, 100);
    EXPECT_EQ(h.large, 100);
    EXPECT_EQ(h.small, 10);
    // VScroll1 becomes the panel's outer height less its own height.
    EXPECT_EQ(v.h, 4000 - 1500);
}

TEST_F(ScrollYoko, ContentThatFitsBesideVScrollHidesTheBar) {
    form1.w = 10300;
    form1.h = 5000;
    h.large = 7;

    scroll_yoko(win);

    // 300 + 9925 = 10225 is not beyond 10300; VScroll1 takes the outer height in twips
    // as its height in panel units.
    EXPECT_FALSE(h.shown);
    EXPECT_EQ(h.maxV, 100);
    EXPECT_EQ(h.large, 7);
    EXPECT_EQ(v.h, 5000);

    form1.w = 10225;  // equal still fits
    h.shown = true;
    scroll_yoko(win);
    EXPECT_FALSE(h.shown);

    form1.w = 10224;
    scroll_yoko(win);
    EXPECT_TRUE(h.shown);
}

TEST_F(ScrollYoko, SmallChangeRoundsHalvesToEven) {
    form1.w = 2085;  // w = 0.2: LargeChange 25, SmallChange 2.5 -> 2
    scroll_yoko(win);
    EXPECT_EQ(h.large, 25);
    EXPECT_EQ(h.small, 2);

    form1.w = 2703;  // LargeChange 35.01 -> 35, SmallChange 3.5 -> 4
    scroll_yoko(win);
    EXPECT_EQ(h.large, 35);
    EXPECT_EQ(h.small, 4);
}

TEST_F(ScrollYoko, AStepTheBarRefusesEndsTheRoutineSilently) {
    h.large = 7;
    h.small = 3;

    form1.w = 100;  // LargeChange 0.97 -> 1 is taken, SmallChange 0.1 -> 0 is refused
    EXPECT_NO_THROW(scroll_yoko(win));
    EXPECT_EQ(h.large, 1);
    EXPECT_EQ(h.small, 3);
    EXPECT_EQ(v.h, 1500);  // the routine stopped before VScroll1

    form1.w = 0;  // LargeChange 0 is refused
    h.large = 7;
    EXPECT_NO_THROW(scroll_yoko(win));
    EXPECT_EQ(h.large, 7);

    form1.w = 10425;  // w = 1: division by zero
    v.w = 600;
    EXPECT_NO_THROW(scroll_yoko(win));
    EXPECT_EQ(h.large, 7);
    EXPECT_EQ(v.h, 1500);
}

using ScrollTate = ScrollFixture;

TEST_F(ScrollTate, PanelLowerThanTheContentShowsTheBar) {
    form1.h = 4000;
    v.shown = false;

    scroll_tate(win);

    // 4000 / 6785 · 100 / (1 − 4000 / 6785) = 143.63.
    EXPECT_TRUE(v.shown);
    EXPECT_EQ(v.maxV, 100);
    EXPECT_EQ(v.large, 144);
    EXPECT_EQ(v.small, 14);
    EXPECT_EQ(h.w, 9000);
}

TEST_F(ScrollTate, ContentThatFitsAboveHScrollHidesTheBar) {
    form1.h = 6700;  // 300 + 6400 is not beyond it
    form1.w = 8000;

    scroll_tate(win);

    EXPECT_FALSE(v.shown);
    EXPECT_EQ(h.w, 8000);
}

TEST_F(ScrollTate, AStepTheBarRefusesEndsTheRoutineSilently) {
    form1.h = 60;  // LargeChange 0.89 -> 1, SmallChange 0.1 -> 0
    v.small = 3;
    EXPECT_NO_THROW(scroll_tate(win));
    EXPECT_EQ(v.large, 1);
    EXPECT_EQ(v.small, 3);
}

using Idou = ScrollFixture;

TEST_F(Idou, HorizontalMoveByTheBarsShareOfTheContent) {
    h.large = 100;
    h.val = 100;

    idou_yoko(h, content, tables);

    // 100 / 200 · 10425 = 5212.5 units to the left.
    EXPECT_EQ(save0.l, 5700 - 5212.5);
    EXPECT_EQ(frame1.l, 360 - 5212.5);
    EXPECT_EQ(textk.l, 4290 - 5212.5);
    EXPECT_EQ(line.p[0], 1800 - 5212.5);
    EXPECT_EQ(line.p[2], 9720 - 5212.5);
    // Nothing moves vertically.
    EXPECT_EQ(save0.t, 6120);
    EXPECT_EQ(line.p[1], 960);
    EXPECT_EQ(line.p[3], 970);
}

TEST_F(Idou, VerticalMoveTakesBothLineEndsFromY1) {
    v.large = 144;
    v.val = 50;

    idou_tate(v, content, tables);

    // 50 / 244 · 7065 ≈ 1447.7 units up.
    double offset = 50.0 / 244.0 * 7065.0;
    EXPECT_NEAR(offset, 1447.7, 0.05);
    EXPECT_FLOAT_EQ(save0.t, 6120 - offset);
    EXPECT_FLOAT_EQ(frame1.t, 3990 - offset);
    EXPECT_FLOAT_EQ(textk.t, -offset);
    EXPECT_FLOAT_EQ(line.p[1], 960 - offset);
    EXPECT_FLOAT_EQ(line.p[3], 960 - offset);
    EXPECT_EQ(save0.l, 5700);
}

TEST_F(Idou, TablesAreFilledOnceAndABarAtZeroRestoresEveryPlace) {
    save0.l = 2.5;   // recorded halves to even: 2
    frame1.l = 3.5;  // 4
    h.large = 100;

    idou_yoko(h, content, tables);
    EXPECT_TRUE(tables.kiroku_yoko);
    EXPECT_FALSE(tables.kiroku_tate);
    EXPECT_EQ(save0.l, 2);
    EXPECT_EQ(frame1.l, 4);

    // Later moves start from the recorded places, wherever the controls are now.
    textk.l = 1234;
    line.p[0] = 5;
    h.val = 100;
    idou_yoko(h, content, tables);
    EXPECT_EQ(textk.l, 4290 - 5212.5);
    h.val = 0;
    idou_yoko(h, content, tables);
    EXPECT_EQ(save0.l, 2);
    EXPECT_EQ(frame1.l, 4);
    EXPECT_EQ(textk.l, 4290);
    EXPECT_EQ(line.p[0], 1800);
    EXPECT_EQ(line.p[2], 9720);

    v.large = 144;
    v.val = 100;
    idou_tate(v, content, tables);
    save0.t = -1;
    v.val = 0;
    idou_tate(v, content, tables);
    EXPECT_EQ(save0.t, 6120);
    EXPECT_EQ(frame1.t, 3990);
    EXPECT_EQ(line.p[1], 960);
    EXPECT_EQ(line.p[3], 960);
}

TEST_F(Idou, ASumBeyondSixteenBitsFailsBeforeAnythingMoves) {
    h.large = 32700;  // 100 + 32700 > 32767
    h.val = 50;

    EXPECT_THROW(idou_yoko(h, content, tables), calc_error);
    EXPECT_FALSE(tables.kiroku_yoko);
    EXPECT_EQ(save0.l, 5700);

    // The bar's change notification swallows it.
    EXPECT_NO_THROW(hscroll1Changed(h, content, tables));
    v.large = 32668;
    EXPECT_NO_THROW(vscroll1Changed(v, content, tables));
    EXPECT_EQ(save0.t, 6120);

    h.large = 32667;  // 32767 still fits
    h.val = 0;
    hscroll1Changed(h, content, tables);
    EXPECT_TRUE(tables.kiroku_yoko);
}

TEST(MovedControls, EveryPanelControlOutsideFrame1ExceptTheBarsAndTheLine) {
    auto names = movedControlNames();
    std::set<std::string_view> moved(names.begin(), names.end());
    EXPECT_EQ(moved.size(), names.size());
    EXPECT_EQ(names.size(), 63u);

    std::set<std::string_view> expected;
    for (const ControlDef& c : panelControls()) {
        bool fixed = c.kind == ControlKind::VScrollBar || c.kind == ControlKind::HScrollBar ||
                     c.kind == ControlKind::Line;
        if (!fixed && c.parent.empty()) {
            expected.insert(c.name);
        }
    }
    EXPECT_EQ(moved, expected);
}

TEST(MovedControls, ContentIsBuiltInNameOrderAndAMissingControlIsAWiringFault) {
    std::map<std::string, test::FakeGeometry> controls;
    for (std::string_view name : movedControlNames()) {
        controls[std::string(name)];
    }
    auto find = [&](std::string_view name) -> Geometry* {
        auto it = controls.find(std::string(name));
        return it == controls.end() ? nullptr : &it->second;
    };
    FakeLine line;
    PanelContent content = makePanelContent(find, &line);
    ASSERT_EQ(content.controls.size(), movedControlNames().size());
    EXPECT_EQ(content.controls.front().first, "Cmd_Save0");
    EXPECT_EQ(content.controls.front().second, &controls["Cmd_Save0"]);
    EXPECT_EQ(content.controls.back().first, "Checkxcxp");
    EXPECT_EQ(content.line2, &line);

    controls.erase("Textt0");
    EXPECT_THROW(makePanelContent(find, &line), std::logic_error);
}

}  // namespace
}  // namespace yurana
