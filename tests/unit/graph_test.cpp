#include "graph/graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "graph/chain.h"
#include "model/calc_error.h"
#include "model/response.h"
#include "panel/control_names.h"
#include "support/fake_panel.h"

namespace yurana::graph {
namespace {

// A picture that logs every operation as one line of text.
class Log : public Picture {
  public:
    Log(int w, int h) : w(w), h(h) {}
    void setDrawColor(Rgb c) override { color = c; }
    void line(float a, float b, float c, float d) override { line(a, b, c, d, color); }
    void line(float a, float b, float c, float d, Rgb k) override {
        add("line", {a, b, c, d}, k);
        lines.push_back({a, b, c, d, k});
    }
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
    struct Line {
        float x1, y1, x2, y2;
        Rgb color;
    };
    std::vector<Line> lines;  // as drawn, unrounded
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
        for (const char* box :
             {ctl::Checkxp, ctl::Checkxc, ctl::Checkxcxp, ctl::Checkheni, ctl::Checkkabeheni}) {
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
    panel.preset(ctl::Texttmin, "0.0");
    panel.preset(ctl::Labelcc, "44.7214");  // the caption as shown, not a value of the record
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
    panel.preset(ctl::Textwn, "abc");
    EXPECT_THROW(graph.graph_haikei(), calc_error);
    EXPECT_EQ(form3.ops.size(), 6u);
    EXPECT_EQ(picture1.ops,
              (Ops{"fill 0 0 100 185 #c0c0c0", "width 75", "text 固有振動周波数数f: 0 0 #000000"}));
}

// A model whose closed form the chains follow: ωn 4, ζ 0.1, ωd 3.97995, ω 1.5 (1/s).
void slowModel(ModelRecord& r) {
    std::tie(r.m, r.k, r.c, r.z, r.wn, r.wd) = std::tuple(2.5f, 40.f, 2.f, 0.1f, 4.f, 3.97995f);
    std::tie(r.f, r.w, r.kabem, r.xshoki, r.vshoki, r.t0) =
        std::tuple(3.f, 1.5f, 800.f, 0.04f, -0.1f, 0.5f);
    keisan_c1c2(r);
}

using Piece = Log::Line;

// A step of 0.5 s to 3 s is traced through the closed form of every curve, at least one
// point per pixel column and per fiftieth of the fastest period (ωd here, ω in the last
// row), at most kMaxPieces, from the pen to exactly the step's sample; the pen is then
// the step's sample, as for a single segment.
TEST_F(GraphTest, AStepIsAChainThroughTheClosedFormFromThePenToTheStep) {
    struct Row {
        const char* name;
        float w, kabem, graphw;
        double from, to;
    };
    for (const Row& row : {Row{"by the period", 1.5f, 800, 600, 6.25, 6.75},
                           Row{"by the pixel columns", 1.5f, 800, 1700, 6.25, 6.75},
                           Row{"capped", 300.f, 1e7f, 600, 5.0, 8.0}}) {
        SCOPED_TRACE(row.name);
        std::tie(record.graphw, record.graphh, record.tmin, record.tmax, record.graphbairitu) =
            std::tuple(row.graphw, 251, 4, 24, "800");
        slowModel(record);
        std::tie(record.w, record.kabem) = std::tuple(row.w, row.kabem);
        resetPen(pen);
        graph.plotStep(row.from, sampleAt(record, row.from));
        form3.lines.clear();
        StepValues v = sampleAt(record, row.to);
        graph.plotStep(row.to, v);

        const double period = 2 * std::numbers::pi / std::max(3.97995, double(row.w));
        const double pxPerSecond = 0.75 * row.graphw / 20;
        const double slack = 1e-4;
        auto timeAt = [&](double x) { return 4 + (x - row.graphw / 8) / pxPerSecond; };
        const std::vector<Piece> all = form3.lines;
        ASSERT_EQ(all.size() % 5, 0u);
        const std::size_t n = all.size() / 5;
        const bool capped = row.w > 100;
        EXPECT_EQ(n == std::size_t(kMaxPieces), capped) << n;
        const std::pair<Rgb, double (*)(const StepValues&)> curves[] = {
            {{0, 0, 255}, [](const StepValues& s) { return s.xp; }},
            {{0, 127, 0}, [](const StepValues& s) { return s.xc; }},
            {{255, 200, 0}, [](const StepValues& s) { return s.xc + s.xp; }},
            {{255, 0, 0}, [](const StepValues& s) { return s.xc + s.xp + s.kabeheni; }},
            {{0, 0, 0}, [](const StepValues& s) { return double(s.kabeheni); }}};
        for (std::size_t c = 0; c < 5; ++c) {
            const auto [color, value] = curves[c];
            auto y = [&](const StepValues& s) { return 125.5 + 800 * value(s); };
            const Piece* chain = &all[c * n];
            EXPECT_FLOAT_EQ(chain[0].x1, float(row.graphw / 8 + pxPerSecond * (row.from - 4)));
            EXPECT_FLOAT_EQ(chain[0].y1, float(y(sampleAt(record, row.from))));
            EXPECT_EQ(std::tuple(chain[n - 1].x2, chain[n - 1].y2),
                      std::tuple(float(row.graphw / 8 + pxPerSecond * (row.to - 4)), float(y(v))));
            for (std::size_t i = 0; i < n; ++i) {
                const Piece& p = chain[i];
                ASSERT_TRUE(p.color == color) << c << " " << i;
                if (i > 0) {
                    ASSERT_TRUE(p.x1 == chain[i - 1].x2 && p.y1 == chain[i - 1].y2) << i;
                }
                const double dt = timeAt(p.x2) - timeAt(p.x1);
                if (!capped) {
                    ASSERT_LE(p.x2 - p.x1, 1 + slack) << i;
                    ASSERT_LE(dt, period / kPointsPerPeriod + slack) << i;
                }
                ASSERT_NEAR(p.y2, y(sampleAt(record, timeAt(p.x2))), 0.05) << c << " " << i;
            }
        }
        EXPECT_DOUBLE_EQ(pen.mae_x, row.graphw / 8 + pxPerSecond * (row.to - 4));
    }
}

// After a reset the first step only sets the pens; unticked (or greyed) curves move their
// pen too, so a box ticked during a run continues from the last sample. Values that are
// not this model's closed form (a ζ that is no number keeps x_c) draw one segment.
TEST_F(GraphTest, PensMoveForEveryCurveAndTickedOnesDrawFromTheLastSampleInOrder) {
    resetPen(pen);
    graph.plotStep(1, {0.004, 0.002, 0, 0.003f, 0});
    EXPECT_TRUE(form3.ops.empty());
    tickAll(0);
    panel.setValue(ctl::Checkxc, 2);
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
}

// The chain's pieces are drawn up to the end of the time axis only; a step there still
// moves the pen. A step that would draw exactly what the step before drew (a paused run)
// draws nothing, until the plot is cleared or the ticks change.
TEST_F(GraphTest, PiecesStopAtTheEndAndARepeatedStepDrawsOnce) {
    slowModel(record);
    record.tmin = 1.5f;
    resetPen(pen);
    graph.plotStep(19.9, sampleAt(record, 19.9));
    form3.lines.clear();
    graph.plotStep(20.3, sampleAt(record, 20.3));
    const std::vector<Piece> all = form3.lines;
    ASSERT_FALSE(all.empty());
    EXPECT_LT(all.back().x2, 560);  // x(20) = 0.875·640
    EXPECT_GT(all.back().x2, 559);
    EXPECT_DOUBLE_EQ(pen.mae_x, 80 + 480 * (20.3 - 1.5) / 18.5);

    pen.mae_x = 80 + 480 * (11.9 - 1.5) / 18.5;
    const StepValues v = sampleAt(record, 12);
    auto drawsAt = [&](double t) {
        form3.ops.clear();
        graph.plotStep(t, v);
        return form3.ops.size();
    };
    EXPECT_EQ(drawsAt(12), 5u * 4);  // 0.1 s, 2.6 px: ⌈50 · 0.1 s · ωd / 2π⌉ = 4 pieces
    EXPECT_EQ(drawsAt(12), 5u);      // the pens' dots
    EXPECT_EQ(drawsAt(12), 0u);
    EXPECT_EQ(drawsAt(12), 0u);
    graph.clear();
    form3.ops.clear();
    EXPECT_EQ(drawsAt(12), 5u);
    panel.setValue(ctl::Checkxp, 0);
    EXPECT_EQ(drawsAt(12), 4u);
    graph.graph_haikei();
    EXPECT_EQ(drawsAt(12), 4u);
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
