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

    test::FakePanel panel;
    ModelRecord record;
    RunState run;
    test::RecordingMessageBox box;
    ParameterPanel form;
};

TEST_F(ParameterPanelTest, KeisanWithTheDefaultsAndTheSummary) {
    panel.preset("Labelwd", "***");
    panel.preset("Labelhz", "");
    form.Command_keisan_Click();
    const std::pair<const char*, const char*> fields[] = {{"Textz", "0.0158"},
                                                          {"Textwn", "31.6228"},
                                                          {"Labelcc", "63.2456"},
                                                          {"Labelwd", "31.6189"},
                                                          {"Labelhz", "5.0329"}};
    for (auto [control, text] : fields) {
        EXPECT_EQ(panel.text(control), text) << control;
    }
    EXPECT_TRUE(box.texts.empty());
    EXPECT_FLOAT_EQ(record.graphw, 640);

    record.gensui = regimeCaption(regimeOf(record.z));
    auto lines = summaryLines(panel, record);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], "5.0329(Hz)(不足減衰)");
    EXPECT_EQ(lines[7], "31.6189(rad/sec)");
    EXPECT_EQ(lines[9], "c1:0.05000000");
    EXPECT_EQ(lines[10], "c2:0.00079010");
}

TEST_F(ParameterPanelTest, KeisanFailuresShowTheMessageAndChangeNoField) {
    const std::pair<const char*, const char*> cases[] = {{"0", "1000"}, {"1", "-5"}, {"0", "0"}};
    for (auto [m, k] : cases) {
        box.texts.clear();
        panel.preset("Textm", m);
        panel.preset("Textk", k);
        int writes = panel.writes;
        form.Command_keisan_Click();
        ASSERT_EQ(box.texts.size(), 1u) << m << " " << k;
        EXPECT_EQ(box.texts[0], "正しい値を半角数字で入力してください。");
        EXPECT_EQ(panel.writes, writes);
    }
}

TEST_F(ParameterPanelTest, DampingBoundaries) {
    panel.preset("Textc", "-1");  // negative ζ: underdamped without ωd
    form.Command_keisan_Click();
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(record.wd, 0.0f);
    EXPECT_EQ(regimeOf(record.z), Regime::Underdamped);

    panel.preset("Textc", "63.2456");  // 2·√1000 to four decimals
    form.Command_keisan_Click();
    EXPECT_EQ(panel.text("Textz"), "1.0000");
    EXPECT_EQ(regimeOf(record.z), Regime::Critical);
    panel.setText("Textz", "0.9999");
    EXPECT_EQ(panel.text("Labelwd"), "0.4472");
    panel.setText("Textz", "1.00001");
    EXPECT_EQ(regimeOf(record.z), Regime::Overdamped);
}

TEST_F(ParameterPanelTest, WnThatIsNotANumberStopsDainyuuAtWn) {
    form.Command_keisan_Click();
    const float wn = record.wn;
    const float z = record.z;
    int shown = panel.shown;
    panel.preset("Textk", "2000");
    panel.preset("Textz", "0.3");
    panel.setText("Textwn", "abc");
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(record.wd, 0.0f);
    EXPECT_EQ(panel.text("Labelhz"), "5.0329");
    EXPECT_EQ(panel.shown, shown);
    EXPECT_FLOAT_EQ(record.k, 2000);  // copied before wn
    EXPECT_FLOAT_EQ(record.wn, wn);
    EXPECT_FLOAT_EQ(record.z, z);
}

TEST_F(ParameterPanelTest, StarredWdIsKeptByDainyuuThenSetByKeisan2) {
    record.wd = 7;
    panel.preset("Labelwd", "***");
    form.dainyuu();
    EXPECT_EQ(record.wd, 7.0f);
    form.keisan2();
    EXPECT_FLOAT_EQ(record.wd, 31.6189f);
    panel.preset("Textxshoki", "x");
    EXPECT_THROW(form.dainyuu(), calc_error);
}

TEST_F(ParameterPanelTest, ZetaRecomputesOnlyWhenNotRunning) {
    form.recompute();
    run.joutai = kRunning;
    panel.setText("Textz", "0.5");
    EXPECT_FLOAT_EQ(record.z, 0.0158f);
    panel.setText("Textwn", "10");  // ωn always recomputes, and ζ comes along
    EXPECT_FLOAT_EQ(record.z, 0.5f);
    EXPECT_EQ(panel.text("Labelwd"), "8.6603");
}

}  // namespace
}  // namespace yurana
