#include "graph/graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graph/mapping.h"
#include "model/calc_error.h"
#include "model/parameter_panel.h"
#include "support/fake_panel.h"

namespace yurana::graph {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 127, 0};
constexpr Rgb kYellow{255, 200, 0};
constexpr Rgb kRed{255, 0, 0};

// One drawing operation as the surface received it.
struct Op {
    enum Kind { Line, Fill, Print, Width } kind;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb color{};
    std::string text;
};

// A picture surface that records what is drawn on it.
class RecordingPicture : public Picture {
  public:
    RecordingPicture(int w, int h) : width(w), height(h) {}

    void setDrawColor(Rgb c) override { color = c; }
    void line(float x1, float y1, float x2, float y2) override { line(x1, y1, x2, y2, color); }
    void line(float x1, float y1, float x2, float y2, Rgb c) override {
        ops.push_back({Op::Line, x1, y1, x2, y2, c, {}});
    }
    void fillRect(float x1, float y1, float x2, float y2, Rgb c) override {
        ops.push_back({Op::Fill, x1, y1, x2, y2, c, {}});
    }
    void setTextPos(float x, float y) override {
        posX = x;
        posY = y;
    }
    void print(std::string_view text) override {
        ops.push_back({Op::Print, posX, posY, 0, 0, color, std::string(text)});
        posX = 0;
        posY += 12;
    }
    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    void setWidth(int px) override {
        ops.push_back({Op::Width, float(px), 0, 0, 0, {}, {}});
        width = px;
    }

    std::vector<Op> of(Op::Kind kind) const {
        std::vector<Op> out;
        for (const Op& op : ops) {
            if (op.kind == kind) {
                out.push_back(op);
            }
        }
        return out;
    }
    std::vector<std::string> printed() const {
        std::vector<std::string> out;
        for (const Op& op : of(Op::Print)) {
            out.push_back(op.text);
        }
        return out;
    }

    int width;
    int height;
    Rgb color{};
    float posX = 0, posY = 0;
    std::vector<Op> ops;
};

void expectLine(const Op& op, float x1, float y1, float x2, float y2, Rgb color) {
    EXPECT_EQ(op.kind, Op::Line);
    EXPECT_FLOAT_EQ(op.x1, x1);
    EXPECT_FLOAT_EQ(op.y1, y1);
    EXPECT_FLOAT_EQ(op.x2, x2);
    EXPECT_FLOAT_EQ(op.y2, y2);
    EXPECT_EQ(op.color, color);
}

class GraphTest : public ::testing::Test {
  protected:
    GraphTest() : form3(640, 252), picture1(100, 185), graph(form3, picture1, panel, record, pen) {
        record.tmin = 0;
        record.tmax = 20;
        record.graphbairitu = "1000";
        record.graphw = 640;
        record.graphh = 252;
        record.wd = 31.6189f;
        record.z = 0.0158f;
        record.c1 = 0.05;
        record.c2 = 0.0007901;
    }

    void tickAll() {
        for (const char* box : {"Checkxp", "Checkxc", "Checkxcxp", "Checkheni", "Checkkabeheni"}) {
            panel.setValue(box, 1);
        }
    }

    test::FakePanel panel;
    ModelRecord record;
    PenMemory pen;
    RecordingPicture form3;
    RecordingPicture picture1;
    Graph graph;
};

TEST_F(GraphTest, HaikeiDrawsTheBackgroundAtTheDesignSize) {
    record.graphw = 0;
    record.graphh = 0;
    form3.color = kRed;
    graph.graph_haikei();

    EXPECT_FLOAT_EQ(record.graphw, 640);
    EXPECT_FLOAT_EQ(record.graphh, 252);
    ASSERT_EQ(form3.ops.size(), 6u);
    EXPECT_EQ(form3.ops[0].kind, Op::Fill);
    EXPECT_FLOAT_EQ(form3.ops[0].x2, 640);
    EXPECT_FLOAT_EQ(form3.ops[0].y2, 252);
    EXPECT_EQ(form3.ops[0].color, kWhite);
    expectLine(form3.ops[1], 0, 126, 640, 126, kBlack);  // time axis
    expectLine(form3.ops[2], 80, 0, 80, 252, kBlack);    // vertical axis
    EXPECT_EQ(form3.ops[3].text, "0");
    EXPECT_FLOAT_EQ(form3.ops[3].x1, 70);
    EXPECT_FLOAT_EQ(form3.ops[3].y1, 132);
    EXPECT_EQ(form3.ops[3].color, kBlack);  // the drawing colour is reset to black first
    expectLine(form3.ops[4], 560, 116, 560, 136, kBlack);  // end tick
    EXPECT_EQ(form3.ops[5].text, "20");
    EXPECT_FLOAT_EQ(form3.ops[5].x1, 550);
    EXPECT_FLOAT_EQ(form3.ops[5].y1, 132);

    // The panel: filled at its old size, then an eighth of the window wide.
    EXPECT_EQ(picture1.ops[0].kind, Op::Fill);
    EXPECT_FLOAT_EQ(picture1.ops[0].x2, 100);
    EXPECT_FLOAT_EQ(picture1.ops[0].y2, 185);
    EXPECT_EQ(picture1.ops[0].color, kGrey);
    EXPECT_EQ(picture1.ops[1].kind, Op::Width);
    EXPECT_FLOAT_EQ(picture1.ops[1].x1, 75);
    std::vector<std::string> lines = picture1.printed();
    EXPECT_EQ(lines, summaryLines(panel, record));
    EXPECT_EQ(lines[1], "5.0329(Hz)(不足減衰)");
    EXPECT_EQ(lines[7], "31.6189(rad/sec)");
    EXPECT_FLOAT_EQ(picture1.of(Op::Print)[0].x1, 0);
    EXPECT_FLOAT_EQ(picture1.of(Op::Print)[0].y1, 0);
}

TEST_F(GraphTest, HaikeiPrintsTheTimeTextsAsTyped) {
    panel.preset("Texttmin", "0.0");
    panel.preset("Texttmax", " 2e1 ");
    graph.graph_haikei();
    ASSERT_EQ(form3.printed().size(), 2u);
    EXPECT_EQ(form3.printed()[0], "0.0");
    EXPECT_EQ(form3.printed()[1], " 2e1 ");
}

TEST_F(GraphTest, HaikeiFollowsTheLiveWindowSize) {
    form3.width = 1001;
    form3.height = 301;
    graph.graph_haikei();
    EXPECT_FLOAT_EQ(record.graphw, 1001);
    EXPECT_FLOAT_EQ(picture1.of(Op::Width)[0].x1, 120);  // 120.125 rounds to 120
    expectLine(form3.ops[1], 0, 150.5f, 1001, 150.5f, kBlack);
    expectLine(form3.ops[4], 875.875f, 140.5f, 875.875f, 160.5f, kBlack);
}

struct RegimeRow {
    float z;
    const char* caption;
};

class GraphRegimeTest : public GraphTest, public ::testing::WithParamInterface<RegimeRow> {};

TEST_P(GraphRegimeTest, CaptionFollowsZ) {
    record.gensui = "(前回)";
    record.z = GetParam().z;
    graph.graph_haikei();
    EXPECT_EQ(record.gensui, GetParam().caption);
    EXPECT_EQ(picture1.printed()[1], std::string("5.0329(Hz)") + GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GraphRegimeTest,
    ::testing::Values(RegimeRow{1.0f, "(臨界減衰)"}, RegimeRow{1.0000001f, "(超過減衰)"},
                      RegimeRow{0.99999994f, "(不足減衰)"}, RegimeRow{-0.5f, "(不足減衰)"},
                      RegimeRow{0.0f, "(不足減衰)"},
                      RegimeRow{std::numeric_limits<float>::quiet_NaN(), "(前回)"}));

TEST_F(GraphTest, HaikeiFailures) {
    // Narrower than 40 px: the panel is filled, then the width is refused.
    form3.width = 39;
    record.graphw = 640;
    EXPECT_THROW(graph.graph_haikei(), calc_error);
    EXPECT_EQ(picture1.ops.size(), 1u);
    EXPECT_TRUE(form3.ops.empty());
    EXPECT_FLOAT_EQ(record.graphw, 640);

    // 40 px gives a panel of width 0.
    form3.width = 40;
    picture1.ops.clear();
    graph.graph_haikei();
    EXPECT_FLOAT_EQ(picture1.of(Op::Width)[0].x1, 0);

    // Textwn not a number: the plot is complete, the panel holds line 1 only.
    form3.width = 640;
    form3.ops.clear();
    picture1.ops.clear();
    record.gensui.clear();
    panel.preset("Textwn", "abc");
    EXPECT_THROW(graph.graph_haikei(), calc_error);
    EXPECT_EQ(form3.ops.size(), 6u);
    EXPECT_EQ(record.gensui, "(不足減衰)");
    EXPECT_EQ(picture1.printed(), std::vector<std::string>{"固有振動周波数数f:"});
}

TEST_F(GraphTest, ScreenMapping) {
    EXPECT_DOUBLE_EQ(timeX(record, 0), 80);
    EXPECT_DOUBLE_EQ(timeX(record, 10), 320);
    EXPECT_DOUBLE_EQ(timeX(record, 20), 560);
    EXPECT_DOUBLE_EQ(displacementY(record, 0.01), 136);
    EXPECT_DOUBLE_EQ(displacementY(record, 0.05), 176);  // 50 px below the axis
    EXPECT_DOUBLE_EQ(displacementY(record, -0.05), 76);

    // A start time shifts the axis: tmin at W/8, tmax at 0.875·W.
    record.tmin = 5;
    record.tmax = 25;
    EXPECT_DOUBLE_EQ(timeX(record, 5), 80);
    EXPECT_DOUBLE_EQ(timeX(record, 25), 560);
    EXPECT_DOUBLE_EQ(timeX(record, 15), 320);
}

TEST_F(GraphTest, FirstStepAfterResetDrawsNothingSecondOneSegmentPerTickedCurve) {
    panel.setValue("Checkxp", 1);
    panel.setValue("Checkheni", 1);
    panel.setValue("Checkxc", 2);  // grayed is not ticked
    resetPen(pen);
    graph.plotStep(0, {0.02, 0.01, 0, 0.005f, 0});
    EXPECT_TRUE(form3.ops.empty());
    EXPECT_DOUBLE_EQ(pen.mae_x, 80);

    form3.color = kBlack;
    graph.plotStep(10, {0.0, 0.01, 0, 0, 0});
    ASSERT_EQ(form3.ops.size(), 2u);
    expectLine(form3.ops[0], 80, 136, 320, 136, kBlue);  // xp
    expectLine(form3.ops[1], 80, 161, 320, 136, kRed);   // xc + xp + wall
    EXPECT_EQ(form3.color, kRed);                        // left in the last curve's colour
    EXPECT_DOUBLE_EQ(pen.mae_x, 320);
}

TEST_F(GraphTest, AllFiveCurvesInTableOrderAndColours) {
    tickAll();
    pen = {100, 1, 2, 3, 4, 5};
    graph.drawSegments(10, {0.001, 0.002, 0, 0.004f, 0});
    ASSERT_EQ(form3.ops.size(), 5u);
    expectLine(form3.ops[0], 100, 3, 320, 128, kBlue);
    expectLine(form3.ops[1], 100, 2, 320, 127, kGreen);
    expectLine(form3.ops[2], 100, 4, 320, 129, kYellow);
    expectLine(form3.ops[3], 100, 1, 320, 133, kRed);
    expectLine(form3.ops[4], 100, 5, 320, 130, kBlack);
    // Drawing alone leaves the pen.
    EXPECT_DOUBLE_EQ(pen.mae_x, 100);
}

TEST_F(GraphTest, BetweenRunsAfterTheSegmentsAndBeforeThePenUpdate) {
    panel.setValue("Checkxp", 1);
    pen = {100, 1, 2, 3, 4, 5};
    int calls = 0;
    graph.plotStep(10, {0, 0.01, 0, 0, 0}, [&] {
        ++calls;
        EXPECT_EQ(form3.ops.size(), 1u);
        EXPECT_DOUBLE_EQ(pen.mae_x, 100);
    });
    EXPECT_EQ(calls, 1);
    EXPECT_DOUBLE_EQ(pen.mae_x, 320);
}

TEST_F(GraphTest, PenMovesForEveryCurveWhateverTheBoxes) {
    pen = {100, 1, 2, 3, 4, 5};
    graph.plotStep(10, {0.001, 0.002, 0, 0.004f, 0});
    EXPECT_TRUE(form3.ops.empty());
    EXPECT_DOUBLE_EQ(pen.mae_x, 320);
    EXPECT_NEAR(pen.mae_heni, 133, 1e-4);
    EXPECT_DOUBLE_EQ(pen.mae_xc, 127);
    EXPECT_DOUBLE_EQ(pen.mae_xp, 128);
    EXPECT_NEAR(pen.mae_xcxp, 129, 1e-9);
    EXPECT_FLOAT_EQ(pen.mae_kabe, 130);

    // A box switched on during the run continues from the current sample.
    panel.setValue("Checkxc", 1);
    graph.plotStep(12, {0.003, 0, 0, 0, 0});
    ASSERT_EQ(form3.ops.size(), 1u);
    expectLine(form3.ops[0], 320, 127, 368, 129, kGreen);
}

TEST_F(GraphTest, NothingDrawnAtOrPastTheEndButThePenMoves) {
    tickAll();
    pen.mae_x = 500;
    graph.plotStep(20, {0.01, 0, 0, 0, 0});
    EXPECT_TRUE(form3.ops.empty());
    EXPECT_DOUBLE_EQ(pen.mae_x, 560);
    EXPECT_DOUBLE_EQ(pen.mae_xc, 136);

    // Once the pen stands at the end, an earlier t draws nothing either.
    graph.plotStep(5, {0, 0, 0, 0, 0});
    EXPECT_TRUE(form3.ops.empty());
    EXPECT_DOUBLE_EQ(pen.mae_x, 200);

    graph.plotStep(19.99, {0, 0, 0, 0, 0});
    EXPECT_EQ(form3.ops.size(), 5u);
}

TEST_F(GraphTest, PlotStepFailures) {
    tickAll();
    // A magnification that is no number: nothing drawn; only mae_x had been stored.
    pen = {100, 1, 2, 3, 4, 5};
    record.graphbairitu = "abc";
    EXPECT_THROW(graph.plotStep(10, {}), calc_error);
    EXPECT_TRUE(form3.of(Op::Line).empty());
    panel.setValue("Checkxp", 0);
    panel.setValue("Checkxc", 0);
    panel.setValue("Checkxcxp", 0);
    panel.setValue("Checkheni", 0);
    panel.setValue("Checkkabeheni", 0);
    EXPECT_THROW(graph.plotStep(10, {}), calc_error);
    EXPECT_DOUBLE_EQ(pen.mae_x, 320);
    EXPECT_DOUBLE_EQ(pen.mae_heni, 1);
    record.graphbairitu = "1000";

    // A zero time span, also right after a pen reset.
    for (auto [tmin, tmax] : {std::pair{0.0f, 0.0f}, std::pair{5.0f, 5.0f}}) {
        record.tmin = tmin;
        record.tmax = tmax;
        tickAll();
        pen = {100, 1, 2, 3, 4, 5};
        EXPECT_THROW(graph.plotStep(1, {}), calc_error);
        resetPen(pen);
        EXPECT_THROW(graph.plotStep(1, {}), calc_error);
        EXPECT_DOUBLE_EQ(pen.mae_x, -100);
        EXPECT_DOUBLE_EQ(pen.mae_heni, -100);
    }
    EXPECT_TRUE(form3.of(Op::Line).empty());

    // A displacement beyond the Single range cannot be handed to the surface.
    record.tmin = 0;
    record.tmax = 20;
    pen = {100, 1, 2, 3, 4, 5};
    EXPECT_THROW(graph.plotStep(10, {1e300, 0, 0, 0, 0}), calc_error);
}

TEST_F(GraphTest, ClearRedrawsAxesOnlyAndKeepsThePen) {
    graph.graph_haikei();
    form3.ops.clear();
    picture1.ops.clear();
    pen = {300, 1, 2, 3, 4, 5};
    form3.width = 800;  // the captured size counts, not the live one
    graph.clear();
    ASSERT_EQ(form3.ops.size(), 3u);
    EXPECT_EQ(form3.ops[0].kind, Op::Fill);
    EXPECT_FLOAT_EQ(form3.ops[0].x2, 640);
    EXPECT_EQ(form3.ops[0].color, kWhite);
    expectLine(form3.ops[1], 0, 126, 640, 126, kBlack);
    expectLine(form3.ops[2], 80, 0, 80, 252, kBlack);
    EXPECT_TRUE(picture1.ops.empty());
    EXPECT_DOUBLE_EQ(pen.mae_x, 300);

    panel.setValue("Checkxp", 1);
    graph.plotStep(10, {0, 0.01, 0, 0, 0});
    expectLine(form3.ops[3], 300, 3, 320, 136, kBlue);
}

}  // namespace
}  // namespace yurana::graph
