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

// m ≠ 1 apart from the defaults, so that √(k·m) and √(k/m), k − mω² and k − ω² differ.
TEST_F(ParameterPanelTest, KeisanInEachRegime) {
    struct Row {
        const char* name;
        const char *m, *k, *c;
        const char *z, *wn, *cc, *wd, *hz;
        Regime regime;
    };
    // clang-format off
    const Row rows[] = {
        {"defaults", "1", "1000", "1", "0.0158", "31.6228", "63.2456", "31.6189", "5.0329",
         Regime::Underdamped},
        {"underdamped", "2", "200", "4", "0.1000", "10.0000", "40.0000", "9.9499", "1.5915",
         Regime::Underdamped},
        {"critical", "2", "8", "8", "1.0000", "2.0000", "8.0000", "***", "0.3183", Regime::Critical},
        {"overdamped", "3", "27", "30", "1.6667", "3.0000", "18.0000", "***", "0.4775",
         Regime::Overdamped}};
    // clang-format on
    panel.preset("Labelwd", "***");
    panel.preset("Labelhz", "");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        panel.preset("Textm", row.m);
        panel.preset("Textk", row.k);
        panel.preset("Textc", row.c);
        form.calculate();
        for (auto [control, text] : {std::pair{"Textz", row.z},
                                     {"Textwn", row.wn},
                                     {"Labelcc", row.cc},
                                     {"Labelwd", row.wd},
                                     {"Labelhz", row.hz}}) {
            EXPECT_EQ(panel.text(control), text) << control;
        }
        EXPECT_EQ(regimeOf(record.z), row.regime);
        EXPECT_FLOAT_EQ(record.m, std::stof(row.m));
    }
    EXPECT_TRUE(box.texts.empty());
    EXPECT_FLOAT_EQ(record.graphw, 640);
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
    for (auto [control, text] :
         {std::pair{"Texttmax", "12"}, {"Textf", "six"}, {"Textw", "13"}, {"Textkabem", "900"}}) {
        panel.preset(control, text);
    }
    EXPECT_THROW(form.dainyuu(), calc_error);
    EXPECT_EQ((std::vector{record.tmax, record.f, record.w, record.kabem}),
              (std::vector{12.0f, 6.0f, 11.0f, 1200.0f}));
}

// keisan2 reads all three of its texts: a Textz beyond the Double range fails even where
// Textwn ≤ 0 would already decide, and nothing changes. A starred ωd is kept by dainyuu
// and set by keisan2.
TEST_F(ParameterPanelTest, Keisan2ReadsEveryTextAndSetsAStarredWd) {
    panel.preset("Labelhz", "0.8");
    panel.preset("Textwn", "-3");
    panel.preset("Textz", "1e999");
    record.wd = 5.5f;
    EXPECT_THROW(form.keisan2(), calc_error);
    EXPECT_EQ(panel.text("Labelwd"), "31.6189");
    EXPECT_EQ(panel.text("Labelhz"), "0.8");
    EXPECT_EQ(record.wd, 5.5f);

    panel.preset("Textwn", "31.6228");
    panel.preset("Textz", "0.0158");
    panel.preset("Labelwd", "***");
    form.dainyuu();
    EXPECT_EQ(record.wd, 5.5f);
    form.keisan2();
    EXPECT_FLOAT_EQ(record.wd, 31.6189f);
}

TEST_F(ParameterPanelTest, KeisanFailuresShowTheMessageAndChangeNoField) {
    for (auto [m, k] : {std::pair{"0", "1000"}, {"1", "-5"}, {"0", "0"}}) {
        box.texts.clear();
        panel.preset("Textm", m);
        panel.preset("Textk", k);
        int writes = panel.writes;
        form.calculate();
        EXPECT_EQ(box.texts, std::vector<std::string>{"正しい値を半角数字で入力してください。"})
            << m << " " << k;
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

// ωn always recomputes and ζ comes along; ζ alone only when not running. An ωn that is
// not a number stops dainyuu at ωn.
TEST_F(ParameterPanelTest, ChangeHandlingOfZetaAndWn) {
    form.calculate();
    const float wn = record.wn;
    int shown = panel.shown;
    run.joutai = kRunning;
    panel.setText("Textz", "0.3");
    EXPECT_FLOAT_EQ(record.z, 0.0158f);
    panel.preset("Textk", "2000");
    panel.setText("Textwn", "abc");
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(record.wd, 0.0f);
    EXPECT_EQ(panel.text("Labelhz"), "5.0329");
    EXPECT_EQ(panel.shown, shown);
    EXPECT_FLOAT_EQ(record.k, 2000);  // copied before wn
    EXPECT_FLOAT_EQ(record.wn, wn);
    EXPECT_FLOAT_EQ(record.z, 0.0158f);
    panel.preset("Textz", "0.5");
    panel.setText("Textwn", "10");
    EXPECT_FLOAT_EQ(record.z, 0.5f);
    EXPECT_EQ(panel.text("Labelwd"), "8.6603");
}

}  // namespace
}  // namespace yurana
