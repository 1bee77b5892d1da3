#include "panel/parameter_panel.h"

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

TEST_F(ParameterPanelTest, KeisanWithTheDefaults) {
    panel.preset("Labelwd", "***");
    panel.preset("Labelhz", "");
    form.calculate();
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
}

// m ≠ 1, so that √(k·m) and √(k/m), k − mω² and k − ω² differ.
TEST_F(ParameterPanelTest, KeisanWithAHeavyMassInEachRegime) {
    struct Row {
        const char* name;
        const char *m, *k, *c;
        const char *z, *wn, *cc, *wd, *hz;
        Regime regime;
    };
    const Row rows[] = {
        {"underdamped", "2", "200", "4", "0.1000", "10.0000", "40.0000", "9.9499", "1.5915",
         Regime::Underdamped},
        {"critical", "2", "8", "8", "1.0000", "2.0000", "8.0000", "***", "0.3183",
         Regime::Critical},
        {"overdamped", "3", "27", "30", "1.6667", "3.0000", "18.0000", "***", "0.4775",
         Regime::Overdamped},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        panel.preset("Textm", row.m);
        panel.preset("Textk", row.k);
        panel.preset("Textc", row.c);
        form.calculate();
        EXPECT_EQ(panel.text("Textz"), row.z);
        EXPECT_EQ(panel.text("Textwn"), row.wn);
        EXPECT_EQ(panel.text("Labelcc"), row.cc);
        EXPECT_EQ(panel.text("Labelwd"), row.wd);
        EXPECT_EQ(panel.text("Labelhz"), row.hz);
        EXPECT_EQ(regimeOf(record.z), row.regime);
        EXPECT_FLOAT_EQ(record.m, std::stof(row.m));
    }
    EXPECT_TRUE(box.texts.empty());
}

// Every box a value of its own: each lands in its own field of the record.
TEST_F(ParameterPanelTest, DainyuuCopiesEveryBoxAndStopsAtTheFirstFailure) {
    // clang-format off
    const char* boxes[][2] = {
        {"Textgraphbairitu", "750"}, {"Textjikanbairitu", "1.5"}, {"Textk", "210"}, {"Textm", "3"},
        {"Textc", "4.5"}, {"Textwn", "8.3666"}, {"Labelwd", "8.3"}, {"Textz", "0.0896"},
        {"Labelcc", "50.1996"}, {"Textxshoki", "0.07"}, {"Textvshoki", "-0.25"}, {"Textt0", "0.4"},
        {"Texttmin", "1.25"}, {"Texttmax", "9.5"}, {"Textf", "6"}, {"Textw", "11"},
        {"Textkabem", "1200"}};
    // clang-format on
    for (auto [control, text] : boxes) {
        panel.preset(control, text);
    }
    form.dainyuu();
    EXPECT_EQ(record.graphbairitu, "750");
    EXPECT_EQ(record.jikanbairitu, 1.5);
    const std::pair<float, float> fields[] = {
        {record.k, 210},         {record.m, 3},       {record.c, 4.5f},      {record.wn, 8.3666f},
        {record.wd, 8.3f},       {record.z, 0.0896f}, {record.cc, 50.1996f}, {record.xshoki, 0.07f},
        {record.vshoki, -0.25f}, {record.t0, 0.4f},   {record.tmin, 1.25f},  {record.tmax, 9.5f},
        {record.f, 6},           {record.w, 11},      {record.kabem, 1200},  {record.graphw, 640},
        {record.graphh, 252}};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        EXPECT_EQ(fields[i].first, fields[i].second) << "field " << i;
    }

    // Textf fails: everything up to Texttmax takes the new text, Textf on keeps the old.
    panel.preset("Texttmax", "12");
    panel.preset("Textf", "six");
    panel.preset("Textw", "13");
    panel.preset("Textkabem", "900");
    EXPECT_THROW(form.dainyuu(), calc_error);
    EXPECT_EQ(record.tmax, 12.0f);
    EXPECT_EQ(record.f, 6.0f);
    EXPECT_EQ(record.w, 11.0f);
    EXPECT_EQ(record.kabem, 1200.0f);
}

// All three tests of keisan2 read their texts: a Textz beyond the Double range fails
// even where Textwn ≤ 0 would already decide, and nothing changes.
TEST_F(ParameterPanelTest, Keisan2ReadsTextzEvenWhenTextwnIsNotPositive) {
    panel.preset("Labelwd", "5.5");
    panel.preset("Labelhz", "0.8");
    panel.preset("Textwn", "-3");
    panel.preset("Textz", "1e999");
    record.wd = 5.5f;
    EXPECT_THROW(form.keisan2(), calc_error);
    EXPECT_EQ(panel.text("Labelwd"), "5.5");
    EXPECT_EQ(panel.text("Labelhz"), "0.8");
    EXPECT_EQ(record.wd, 5.5f);
}

TEST_F(ParameterPanelTest, KeisanFailuresShowTheMessageAndChangeNoField) {
    const std::pair<const char*, const char*> cases[] = {{"0", "1000"}, {"1", "-5"}, {"0", "0"}};
    for (auto [m, k] : cases) {
        box.texts.clear();
        panel.preset("Textm", m);
        panel.preset("Textk", k);
        int writes = panel.writes;
        form.calculate();
        ASSERT_EQ(box.texts.size(), 1u) << m << " " << k;
        EXPECT_EQ(box.texts[0], "正しい値を半角数字で入力してください。");
        EXPECT_EQ(panel.writes, writes);
    }
}

TEST_F(ParameterPanelTest, DampingBoundaries) {
    panel.preset("Textc", "-1");  // negative ζ: underdamped without ωd
    form.calculate();
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(record.wd, 0.0f);
    EXPECT_EQ(regimeOf(record.z), Regime::Underdamped);

    panel.preset("Textc", "63.2456");  // 2·√1000 to four decimals
    form.calculate();
    EXPECT_EQ(panel.text("Textz"), "1.0000");
    EXPECT_EQ(regimeOf(record.z), Regime::Critical);
    panel.setText("Textz", "0.9999");
    EXPECT_EQ(panel.text("Labelwd"), "0.4472");
    panel.setText("Textz", "1.00001");
    EXPECT_EQ(regimeOf(record.z), Regime::Overdamped);
}

TEST_F(ParameterPanelTest, WnThatIsNotANumberStopsDainyuuAtWn) {
    form.calculate();
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
