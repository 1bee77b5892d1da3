#include "panel/parameter_panel.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "model/calc_error.h"
#include "model/regime.h"
#include "panel/control_names.h"
#include "panel/panel_controls.h"
#include "panel/panel_copy.h"
#include "support/fake_panel.h"

namespace yurana {
namespace {

using namespace std::string_literals;

class ParameterPanelTest : public ::testing::Test {
  protected:
    ParameterPanelTest() : form(panel, record, run, box, [] { return GraphSize{640, 252}; }) {
        panel.setChangeHandler([this](std::string_view c) { form.textChanged(c); });
    }

    test::FakePanel panel;
    ModelRecord record;
    RunState run;
    test::RecordingMessageBox box;
    ParameterPanel form;
};

// m ≠ 1 apart from the defaults, so that √(k·m) and √(k/m), k − mω² and k − ω² differ; the
// same x0, v0, t0 and tmin ≠ 0 for all. c1 and c2 to every printed digit, where D2's rounding
// to a Single shows: they were computed apart from this code. A negative ζ keeps the
// constants of the row before.
TEST_F(ParameterPanelTest, KeisanInEachRegime) {
    // name, regime, "m k c", "ζ ωn Cc ωd Hz" as shown, summary lines 8, 10 and 11
    const std::tuple<const char*, Regime, const char*, const char*, const char*> rows[] = {
        {"underdamped", Regime::Underdamped, "2 200 4", "0.1000 10.0000 40.0000 9.9499 1.5915",
         "9.9499(rad/sec) c1:-0.75742864 c2:0.95297352"},
        {"negative ζ", Regime::Underdamped, "2 200 -4", "-0.1000 10.0000 40.0000 *** 1.5915",
         "0(rad/sec) c1:-0.75742864 c2:0.95297352"},
        {"2·√1000 to four decimals", Regime::Critical, "1 1000 63.2456",
         "1.0000 31.6228 63.2456 *** 5.0329",
         "0(rad/sec) c1:-23167516712524.40000000 c2:26887770811837.70000000"},
        {"critical", Regime::Critical, "2 8 8", "1.0000 2.0000 8.0000 *** 0.3183",
         "0(rad/sec) c1:11.43383269 c2:-9.67943529"},
        {"overdamped", Regime::Overdamped, "3 27 30", "1.6667 3.0000 18.0000 *** 0.4775",
         "0(rad/sec) c1:0.47655359 c2:844.35648926"}};
    panel.preset(ctl::Labelwd, "***");
    panel.preset(ctl::Labelhz, "");
    panel.preset({ctl::Textxshoki, ctl::Textvshoki, ctl::Textt0, ctl::Texttmin},
                 "0.45 -2.5 0.9 1.25");
    for (const auto& [name, regime, mkc, shown, summary] : rows) {
        SCOPED_TRACE(name);
        panel.preset({ctl::Textm, ctl::Textk, ctl::Textc}, mkc);
        form.calculate();
        std::string out;
        for (const char* c : {ctl::Textz, ctl::Textwn, ctl::Labelcc, ctl::Labelwd, ctl::Labelhz}) {
            out += (out.empty() ? "" : " ") + panel.text(c);
        }
        EXPECT_EQ(std::tuple(out, regimeOf(record.z), record.m),
                  std::tuple(shown, regime, std::stof(mkc)));
        EXPECT_EQ(summaryLine(8, panel, record) + " " + summaryLine(10, panel, record) + " " +
                      summaryLine(11, panel, record),
                  summary);
    }
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(std::pair(record.graphw, record.tmin), std::pair(640.0f, 1.25f));
}

// Every box a value of its own: each lands in its own field of the record.
TEST_F(ParameterPanelTest, DainyuuCopiesEveryBoxAndStopsAtTheFirstFailure) {
    panel.preset(
        {ctl::Textgraphbairitu, ctl::Textjikanbairitu, ctl::Textk, ctl::Textm, ctl::Textc,
         ctl::Textwn, ctl::Labelwd, ctl::Textz, ctl::Labelcc, ctl::Textxshoki, ctl::Textvshoki,
         ctl::Textt0, ctl::Texttmin, ctl::Texttmax, ctl::Textf, ctl::Textw, ctl::Textkabem},
        "750 1.5 210 3 4.5 8.3666 8.3 0.0896 50.1996 0.07 -0.25 0.4 1.25 9.5 6 11 1200");
    form.dainyuu();
    EXPECT_EQ(std::pair(record.graphbairitu, record.jikanbairitu), std::pair("750"s, 1.5));
    const ModelRecord& r = record;
    EXPECT_EQ((std::vector{r.k, r.m, r.c, r.wn, r.wd, r.z, r.cc, r.xshoki, r.vshoki, r.t0, r.tmin,
                           r.tmax, r.f, r.w, r.kabem, r.graphw, r.graphh}),
              (std::vector<float>{210, 3, 4.5f, 8.3666f, 8.3f, 0.0896f, 50.1996f, 0.07f, -0.25f,
                                  0.4f, 1.25f, 9.5f, 6, 11, 1200, 640, 252}));

    // Textf fails: everything up to Texttmax takes the new text, Textf on keeps the old.
    panel.preset({ctl::Texttmax, ctl::Textf, ctl::Textw, ctl::Textkabem}, "12 six 13 900");
    EXPECT_THROW(form.dainyuu(), calc_error);
    EXPECT_EQ((std::vector{r.tmax, r.f, r.w, r.kabem}), (std::vector{12.0f, 6.0f, 11.0f, 1200.0f}));
}

TEST_F(ParameterPanelTest, KeisanFailuresShowTheMessageAndChangeNoField) {
    for (auto [m, k] : {std::pair{"0", "1000"}, {"1", "-5"}, {"0", "0"}}) {
        panel.preset({ctl::Textm, ctl::Textk, ctl::Textc}, std::string(m) + " " + k + " 3");
        const int writes = panel.writes;
        form.calculate();
        EXPECT_EQ(panel.writes, writes) << m << " " << k;
    }
    EXPECT_EQ(box.texts, std::vector<std::string>(3, "正しい値を半角数字で入力してください。"));
}

// In every run state ωn recomputes and the ζ typed before comes along; ζ alone recomputes
// unless a run is going, paused or not.
TEST_F(ParameterPanelTest, ChangeHandlingOfZetaAndWnInEveryRunState) {
    // name, joutai, pause flag, whether ζ alone reaches the record
    const std::tuple<const char*, Joutai, int, bool> states[] = {
        {"stopped", kStopped, 0, true},
        {"running", kRunning, 0, false},
        {"paused", kRunning, 1, false},
        {"full screen", kFullScreen, 0, true},
        {"About over a run", kAboutResumed, 0, true},
        {"About over a pause", kAboutPaused, 1, true}};
    for (const auto& [name, joutai, paused, zetaAlone] : states) {
        SCOPED_TRACE(name);
        run = {};
        form.calculate();  // the defaults
        run.joutai = joutai;
        run.ichijiteishi = paused;
        panel.setText(ctl::Textz, "0.3");
        const auto seen = [&] {
            return std::tuple(record.z, record.wn, panel.text(ctl::Labelwd),
                              panel.text(ctl::Labelhz));
        };
        EXPECT_EQ(seen(), zetaAlone ? std::tuple(0.3f, 31.6228f, "30.1662"s, "5.0329"s)
                                    : std::tuple(0.0158f, 31.6228f, "31.6189"s, "5.0329"s));
        panel.setText(ctl::Textwn, "12.5");
        EXPECT_EQ(seen(), std::tuple(0.3f, 12.5f, "11.9242"s, "1.9894"s));
    }
    form.calculate();
    run.joutai = kStopped;  // ζ alone recomputes, up to the critical boundary
    panel.setText(ctl::Textwn, "10");
    panel.setText(ctl::Textz, "0.9999");
    EXPECT_EQ(panel.text(ctl::Labelwd), "0.1414");
    panel.setText(ctl::Textz, "1.00001");
    EXPECT_EQ(regimeOf(record.z), Regime::Overdamped);
}

// What 計算 would make of the panel's texts, computed aside: the same record as 計算 on an
// equal panel, with the panel unchanged and no message, also where 計算 fails.
TEST_F(ParameterPanelTest, CalculatedRecordLeavesThePanelAsItIs) {
    panel.preset(
        {ctl::Textm, ctl::Textk, ctl::Textc, ctl::Textz, ctl::Labelwd, ctl::Texttmin, ctl::Textt0},
        "2.5 640 7 0.9 3.5 0.75 0.3");
    const test::FakePanel before = panel;
    const ModelRecord aside = calculatedRecord(panel);
    EXPECT_EQ(std::tuple(panel.controls(), panel.shown, panel.writes, record),
              std::tuple(before.controls(), 0, 0, ModelRecord{}));
    form.calculate();
    record.graphw = record.graphh = 0;  // the graph window's size is no text
    EXPECT_EQ(aside, record);           // c1 and c2 fitted too
    panel.preset(ctl::Textm, "0");
    EXPECT_EQ(calculatedRecord(panel), ModelRecord{});
    EXPECT_TRUE(box.texts.empty());
}

// The design table: each name once, every parent and buddy a control of the table (the
// buttons each found by what they do: app_test clicks them). A pasted name would make two
// controls one.
TEST(PanelDesignTest, NamesAreUniqueAndEveryParentAndBuddyExists) {
    std::set<std::string_view> seen;
    for (const ControlDef& c : panelControls()) {
        EXPECT_TRUE(seen.insert(c.name).second) << c.name;
        for (std::string_view other : {c.parent, c.buddy}) {
            EXPECT_TRUE(other.empty() || findControl(other) != nullptr) << other;
        }
    }
    EXPECT_THROW(findButton(PanelAction::None), std::logic_error);
}

}  // namespace
}  // namespace yurana
