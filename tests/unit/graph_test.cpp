#include "graph/graph.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "model/calc_error.h"
#include "support/fake_panel.h"

namespace yurana::graph {
namespace {

// A picture that logs every operation as one line of text.
class Log : public Picture {
  public:
    Log(int w, int h) : w(w), h(h) {}
    void setDrawColor(Rgb c) override { color = c; }
    void line(float a, float b, float c, float d) override { line(a, b, c, d, color); }
    void line(float a, float b, float c, float d, Rgb k) override { add("line", {a, b, c, d}, k); }
    void fillRect(float a, float b, float c, float d, Rgb k) override {
        add("fill", {a, b, c, d}, k);
    }
    void setTextPos(float a, float b) override { x = a, y = b; }
    void print(std::string_view s) override {
        add("text " + std::string(s), {x, y}, color);
        y += 12;
    }
    int clientWidth() const override { return w; }
    int clientHeight() const override { return h; }
    void setWidth(int px) override { ops.push_back("width " + std::to_string(w = px)); }
    void add(std::string op, std::initializer_list<float> v, Rgb k) {
        char buf[24];
        for (float f : v) {
            std::snprintf(buf, sizeof buf, " %g", f);
            op += buf;
        }
        std::snprintf(buf, sizeof buf, " #%02x%02x%02x", k.r, k.g, k.b);
        ops.push_back(op + buf);
    }

    int w, h;
    float x = 0, y = 0;
    Rgb color{};
    std::vector<std::string> ops;
};

using Ops = std::vector<std::string>;

class GraphTest : public ::testing::Test {
  protected:
    GraphTest() : form3(640, 252), picture1(100, 185), graph(form3, picture1, panel, record, pen) {
        std::tie(record.tmax, record.graphbairitu, record.graphw, record.graphh) =
            std::tuple(20, "1000", 640, 252);
        tickAll(1);
    }
    void tickAll(int value) {
        for (const char* box : {"Checkxp", "Checkxc", "Checkxcxp", "Checkheni", "Checkkabeheni"}) {
            panel.setValue(box, value);
        }
    }

    test::FakePanel panel;
    ModelRecord record;
    PenMemory pen;
    Log form3;
    Log picture1;
    Graph graph;
};

TEST_F(GraphTest, BackgroundAtTheDesignSizeRawTimeTextsAndRegimeCaptionsClearedToTheAxes) {
    record.graphw = record.graphh = 0;
    form3.color = {255, 0, 0};  // reset to black before the labels
    panel.preset("Texttmin", "0.0");
    panel.preset("Labelcc", "44.7214");  // the caption as shown, not a value of the record
    std::tie(record.wd, record.c1, record.c2) = std::tuple(27.3205f, 0.012345678, -0.5);
    graph.graph_haikei();
    EXPECT_EQ(std::pair(record.graphw, record.graphh), std::pair(640.0f, 252.0f));
    EXPECT_EQ(form3.ops, (Ops{"fill 0 0 640 252 #ffffff", "line 0 126 640 126 #000000",
                              "line 80 0 80 252 #000000", "text 0.0 70 132 #000000",
                              "line 560 116 560 136 #000000", "text 20 550 132 #000000"}));
    // The panel filled at its old size, an eighth of the window wide, a print per line.
    EXPECT_EQ(picture1.ops,
              (Ops{"fill 0 0 100 185 #c0c0c0", "width 75", "text 固有振動周波数数f: 0 0 #000000",
                   "text 5.0329(Hz)(不足減衰) 0 12 #000000", "text  0 24 #000000",
                   "text 臨海減衰係数cc: 0 36 #000000", "text 44.7214 0 48 #000000",
                   "text  0 60 #000000", "text 減衰固有角振動数ωd: 0 72 #000000",
                   "text 27.3205(rad/sec) 0 84 #000000", "text  0 96 #000000",
                   "text c1:0.01234568 0 108 #000000", "text c2:-0.50000000 0 120 #000000"}));
    record.z = 1.0000001f;  // the regime's captions and bounds: menus_test, parameter_panel_test
    graph.graph_haikei();
    EXPECT_EQ(record.gensui, "(超過減衰)");
    // Clearing keeps the captured size and the pen, and erases the labels.
    const Ops axes(form3.ops.begin(), form3.ops.begin() + 3);
    form3.ops.clear();
    form3.w = 800;
    pen = {300, 1, 2, 3, 4, 5};
    graph.clear();
    EXPECT_EQ(form3.ops, axes);
    EXPECT_TRUE(pen.mae_x == 300 && pen.mae_kabe == 5);
}

TEST_F(GraphTest, BackgroundFailures) {
    form3.w = 39;  // the panel's width would be negative
    EXPECT_THROW(graph.graph_haikei(), calc_error);
    EXPECT_EQ(picture1.ops, Ops{"fill 0 0 100 185 #c0c0c0"});
    EXPECT_TRUE(form3.ops.empty() && record.graphw == 640);
    // Textwn not a number: the plot is complete, the panel holds line 1 only.
    form3.w = 640;
    picture1.ops.clear();
    panel.preset("Textwn", "abc");
    EXPECT_THROW(graph.graph_haikei(), calc_error);
    EXPECT_EQ(form3.ops.size(), 6u);
    EXPECT_EQ(picture1.ops,
              (Ops{"fill 0 0 100 185 #c0c0c0", "width 75", "text 固有振動周波数数f: 0 0 #000000"}));
}

TEST_F(GraphTest, ExactCoordinatesWithALaterStartTimeAndTheComplementaryCurveInItsGreen) {
    tickAll(0);
    panel.setValue("Checkxc", 1);
    std::tie(record.graphw, record.graphh, record.tmin, record.tmax, record.graphbairitu) =
        std::tuple(600, 251, 4, 24, "800");
    pen = {120, 1, 130.5, 3, 4, 5};
    // x(12) = 600/8 + K·(12 − 4)/24 with K = 0.75·600·24/20 = 540: 75 + 180 = 255;
    // y(xc) = 251/2 + 800·0.0125 = 135.5.
    graph.plotStep(12, {0.0125, -0.03, 0, 0.002f, 0});
    EXPECT_EQ(form3.ops, Ops{"line 120 130.5 255 135.5 #007f00"});
    // The end test leaves tmin out: 75 + 450·25/24 ≥ 525 draws nothing at t = 25, though
    // x(25) = 75 + 540·21/24 = 547.5 is still inside the window.
    graph.plotStep(25, {0.0125, -0.03, 0, 0.002f, 0});
    EXPECT_EQ(form3.ops.size(), 1u);
    EXPECT_DOUBLE_EQ(pen.mae_x, 547.5);
}

// After a reset the first step only sets the pens; unticked (or greyed) curves move their
// pen too, so a box ticked during a run continues from the last sample.
TEST_F(GraphTest, PensMoveForEveryCurveAndTickedOnesDrawFromTheLastSampleInOrder) {
    resetPen(pen);
    graph.plotStep(1, {0.004, 0.002, 0, 0.003f, 0});
    EXPECT_TRUE(form3.ops.empty());
    tickAll(0);
    panel.setValue("Checkxc", 2);
    // x = 80 + 24·2 = 128; y = 126 + 1000·d: xp 127, xc 120, xc + xp 121,
    // xc + xp + wall 133.5, wall 138.5.
    graph.plotStep(2, {-0.006, 0.001, 0, 0.0125f, 0});
    EXPECT_TRUE(form3.ops.empty());
    tickAll(1);
    // To x = 152: xp 124, xc 136, xc + xp 134, total 130, wall 122; the total after the
    // solutions, the wall last.
    graph.plotStep(3, {0.01, -0.002, 0, -0.004f, 0});
    EXPECT_EQ(form3.ops, (Ops{"line 128 127 152 124 #0000ff", "line 128 120 152 136 #007f00",
                              "line 128 121 152 134 #ffc800", "line 128 133.5 152 130 #ff0000",
                              "line 128 138.5 152 122 #000000"}));
    for (double t : {19.99, 20.0, 25.0}) {  // nothing drawn at or past the end
        pen.mae_x = 500;
        form3.ops.clear();
        graph.plotStep(t, {0.01, 0, 0, 0, 0});
        EXPECT_EQ(form3.ops.size(), t < 20 ? 5u : 0u) << t;
        EXPECT_DOUBLE_EQ(pen.mae_x, 80 + 24 * t) << t;
    }
}

TEST_F(GraphTest, PlotStepFailuresDrawNothingAndKeepThePen) {
    for (auto [bairitu, tmin, tmax] : {std::tuple{"abc", 0.f, 20.f}, std::tuple{"1000", 0.f, 0.f},
                                       std::tuple{"1000", 5.f, 5.f}}) {
        std::tie(record.graphbairitu, record.tmin, record.tmax) = std::tuple(bairitu, tmin, tmax);
        pen = {100, 1, 2, 3, 4, 5};
        EXPECT_THROW(graph.plotStep(10, {}), calc_error) << bairitu << tmax;
        EXPECT_EQ(pen.mae_x, 100);
    }
    EXPECT_TRUE(form3.ops.empty());
}

}  // namespace
}  // namespace yurana::graph
