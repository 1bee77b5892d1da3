#include "model/parameter_panel.h"

#include <gtest/gtest.h>

#include "model/calc_error.h"
#include "model/regime.h"
#include "support/fake_panel.h"

namespace yurana {
namespace {

class ParameterPanelTest : public ::testing::Test {
  protected:
    ParameterPanelTest() : form(panel, record, run, box, [] { return GraphSize{640, 252}; }) {
        panel.setChangeHandler([this](std::string_view c) { form.textChanged(c); });
        run.joutai = kStopped;
    }

    void expectPanelFields(const char* z, const char* wn, const char* cc, const char* wd,
                           const char* hz) {
        EXPECT_EQ(panel.text("Textz"), z);
        EXPECT_EQ(panel.text("Textwn"), wn);
        EXPECT_EQ(panel.text("Labelcc"), cc);
        EXPECT_EQ(panel.text("Labelwd"), wd);
        EXPECT_EQ(panel.text("Labelhz"), hz);
    }

    test::FakePanel panel;
    ModelRecord record;
    RunState run;
    test::RecordingMessageBox box;
    ParameterPanel form;
};

TEST_F(ParameterPanelTest, KeisanWithTheDefaults) {
    panel.preset("Labelwd", "***");
    panel.preset("Labelhz", "");
    form.Command_keisan_Click();
    expectPanelFields("0.0158", "31.6228", "63.2456", "31.6189", "5.0329");
    EXPECT_TRUE(box.texts.empty());
    EXPECT_FLOAT_EQ(record.k, 1000);
    EXPECT_FLOAT_EQ(record.wn, 31.6228f);
    EXPECT_FLOAT_EQ(record.wd, 31.6189f);
    EXPECT_FLOAT_EQ(record.z, 0.0158f);
    EXPECT_FLOAT_EQ(record.graphw, 640);
    EXPECT_FLOAT_EQ(record.graphh, 252);
    EXPECT_EQ(record.graphbairitu, "1000");
    EXPECT_GT(panel.shown, 0);

    record.gensui = regimeCaption(regimeOf(record.z));
    auto lines = summaryLines(panel, record);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "固有振動周波数数f:");
    EXPECT_EQ(lines[1], "5.0329(Hz)(不足減衰)");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "臨海減衰係数cc:");
    EXPECT_EQ(lines[4], "63.2456");
    EXPECT_EQ(lines[6], "減衰固有角振動数ωd:");
    EXPECT_EQ(lines[7], "31.6189(rad/sec)");
    EXPECT_EQ(lines[9], "c1:0.05000000");
    EXPECT_EQ(lines[10], "c2:0.00079010");
}

TEST_F(ParameterPanelTest, KeisanFailuresShowTheMessageAndChangeNoField) {
    for (auto [m, k] : {std::pair{"0", "1000"}, std::pair{"1", "-5"}, std::pair{"0", "0"}}) {
        box.texts.clear();
        panel.preset("Textm", m);
        panel.preset("Textk", k);
        panel.preset("Textz", "0.5");
        panel.preset("Textwn", "7");
        panel.preset("Labelcc", "9");
        int writes = panel.writes;
        form.Command_keisan_Click();
        ASSERT_EQ(box.texts.size(), 1u) << m << " " << k;
        EXPECT_EQ(box.texts[0], "正しい値を半角数字で入力してください。");
        EXPECT_EQ(box.titles[0], "");
        EXPECT_EQ(panel.writes, writes);
        EXPECT_EQ(panel.text("Textz"), "0.5");
    }
}

TEST_F(ParameterPanelTest, KeisanWithBothNegativeWritesAllThree) {
    panel.preset("Textm", "-1");
    panel.preset("Textk", "-1000");
    form.Command_keisan_Click();
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(panel.text("Textz"), "0.0158");
    EXPECT_EQ(panel.text("Textwn"), "31.6228");
    EXPECT_EQ(panel.text("Labelcc"), "63.2456");
}

TEST_F(ParameterPanelTest, NegativeDampingIsUnderdampedWithoutWd) {
    panel.preset("Textc", "-1");
    form.Command_keisan_Click();
    EXPECT_EQ(panel.text("Textz"), "-0.0158");
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(record.wd, 0.0f);
    EXPECT_EQ(regimeOf(record.z), Regime::Underdamped);
}

TEST_F(ParameterPanelTest, CriticalDampingFromKeisan) {
    panel.preset("Textc", "63.2456");  // 2·√1000 to four decimals
    form.Command_keisan_Click();
    EXPECT_EQ(panel.text("Textz"), "1.0000");
    EXPECT_EQ(regimeOf(record.z), Regime::Critical);
    EXPECT_EQ(panel.text("Labelwd"), "***");

    panel.setText("Textz", "0.9999");
    EXPECT_EQ(regimeOf(record.z), Regime::Underdamped);
    // 31.6228·√(1 − 0.9999²) = 0.44720... rounded to four decimals.
    EXPECT_EQ(panel.text("Labelwd"), "0.4472");
    EXPECT_FLOAT_EQ(record.wd, 0.4472f);
    panel.setText("Textz", "1.00001");
    EXPECT_EQ(regimeOf(record.z), Regime::Overdamped);
}

TEST_F(ParameterPanelTest, WnThatIsNotANumber) {
    form.Command_keisan_Click();
    ModelRecord before = record;
    int shown = panel.shown;
    panel.preset("Textk", "2000");
    panel.preset("Textz", "0.3");
    panel.preset("Textjikanbairitu", "2");
    panel.setText("Textwn", "abc");
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(record.wd, 0.0f);
    EXPECT_EQ(panel.text("Labelhz"), "5.0329");
    EXPECT_EQ(panel.shown, shown);
    // dainyuu got through c and stopped at wn.
    EXPECT_FLOAT_EQ(record.k, 2000);
    EXPECT_DOUBLE_EQ(record.jikanbairitu, 2);
    EXPECT_FLOAT_EQ(record.wn, before.wn);
    EXPECT_FLOAT_EQ(record.z, before.z);
}

TEST_F(ParameterPanelTest, DainyuuStopsAtTheFirstFailingField) {
    panel.preset("Textxshoki", "x");
    panel.preset("Texttmax", "99");
    EXPECT_THROW(form.dainyuu(), calc_error);
    EXPECT_FLOAT_EQ(record.z, 0.0158f);
    EXPECT_FLOAT_EQ(record.cc, 63.2456f);
    EXPECT_EQ(record.xshoki, 0.0f);
    EXPECT_EQ(record.tmax, 0.0f);
    EXPECT_EQ(record.graphw, 0.0f);
}

TEST_F(ParameterPanelTest, StarredWdIsKeptByDainyuuThenZeroedByKeisan2) {
    record.wd = 7;
    panel.preset("Labelwd", "***");
    form.dainyuu();
    EXPECT_EQ(record.wd, 7.0f);
    form.keisan2();
    EXPECT_FLOAT_EQ(record.wd, 31.6189f);
}

TEST_F(ParameterPanelTest, ZetaRecomputesOnlyWhenNotRunning) {
    form.recompute();
    run.joutai = kRunning;
    panel.setText("Textz", "0.5");
    EXPECT_FLOAT_EQ(record.z, 0.0158f);
    EXPECT_EQ(panel.text("Labelwd"), "31.6189");
    panel.setText("Textwn", "10");  // ωn always recomputes, ζ comes along
    EXPECT_FLOAT_EQ(record.z, 0.5f);
    EXPECT_FLOAT_EQ(record.wn, 10);
    EXPECT_EQ(panel.text("Labelwd"), "8.6603");
}

TEST_F(ParameterPanelTest, EditingKAloneChangesNothingOnThePanel) {
    int writes = panel.writes;
    panel.setText("Textk", "5");
    EXPECT_EQ(panel.writes, writes + 1);
    EXPECT_EQ(record.k, 0.0f);
    EXPECT_EQ(panel.text("Textz"), "0.0158");
}

TEST(Regime, CaptionsAndBoundaries) {
    EXPECT_EQ(regimeCaption(regimeOf(1.0f)), "(臨界減衰)");
    EXPECT_EQ(regimeCaption(regimeOf(1.0000001f)), "(超過減衰)");
    EXPECT_EQ(regimeCaption(regimeOf(0.9999999f)), "(不足減衰)");
    EXPECT_EQ(regimeCaption(regimeOf(-3.0f)), "(不足減衰)");
}

}  // namespace
}  // namespace yurana
