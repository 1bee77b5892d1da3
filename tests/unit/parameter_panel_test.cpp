#include "panel/parameter_panel.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <tuple>

#include "model/calc_error.h"
#include "model/regime.h"
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

// The words of `text`, split at spaces.
std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

// m ≠ 1 apart from the defaults, so that √(k·m) and √(k/m), k − mω² and k − ω² differ.
TEST_F(ParameterPanelTest, KeisanInEachRegime) {
    // name, regime, "m k c", "ζ ωn Cc ωd Hz" as shown
    const std::tuple<const char*, Regime, const char*, const char*> rows[] = {
        {"defaults", Regime::Underdamped, "1 1000 1", "0.0158 31.6228 63.2456 31.6189 5.0329"},
        {"negative ζ", Regime::Underdamped, "1 1000 -1", "-0.0158 31.6228 63.2456 *** 5.0329"},
        {"2·√1000 to four decimals", Regime::Critical, "1 1000 63.2456",
         "1.0000 31.6228 63.2456 *** 5.0329"},
        {"underdamped", Regime::Underdamped, "2 200 4", "0.1000 10.0000 40.0000 9.9499 1.5915"},
        {"critical", Regime::Critical, "2 8 8", "1.0000 2.0000 8.0000 *** 0.3183"},
        {"overdamped", Regime::Overdamped, "3 27 30", "1.6667 3.0000 18.0000 *** 0.4775"}};
    panel.preset("Labelwd", "***");
    panel.preset("Labelhz", "");
    for (const auto& [name, regime, mkc, shown] : rows) {
        SCOPED_TRACE(name);
        const std::vector<std::string> in = words(mkc);
        panel.preset("Textm", in[0]);
        panel.preset("Textk", in[1]);
        panel.preset("Textc", in[2]);
        form.calculate();
        std::string out;
        for (const char* c : {"Textz", "Textwn", "Labelcc", "Labelwd", "Labelhz"}) {
            out += (out.empty() ? "" : " ") + panel.text(c);
        }
        EXPECT_EQ(std::tuple(out, regimeOf(record.z), record.m),
                  std::tuple(shown, regime, std::stof(in[0])));
    }
    EXPECT_TRUE(box.texts.empty());
    EXPECT_FLOAT_EQ(record.graphw, 640);
}

// Every box a value of its own: each lands in its own field of the record.
TEST_F(ParameterPanelTest, DainyuuCopiesEveryBoxAndStopsAtTheFirstFailure) {
    const std::vector<std::string> boxes = words(
        "Textgraphbairitu Textjikanbairitu Textk Textm Textc Textwn Labelwd Textz Labelcc "
        "Textxshoki Textvshoki Textt0 Texttmin Texttmax Textf Textw Textkabem");
    const std::vector<std::string> texts =
        words("750 1.5 210 3 4.5 8.3666 8.3 0.0896 50.1996 0.07 -0.25 0.4 1.25 9.5 6 11 1200");
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        panel.preset(boxes[i], texts[i]);
    }
    form.dainyuu();
    EXPECT_EQ(std::pair(record.graphbairitu, record.jikanbairitu), std::pair("750"s, 1.5));
    const ModelRecord& r = record;
    EXPECT_EQ((std::vector{r.k, r.m, r.c, r.wn, r.wd, r.z, r.cc, r.xshoki, r.vshoki, r.t0, r.tmin,
                           r.tmax, r.f, r.w, r.kabem, r.graphw, r.graphh}),
              (std::vector<float>{210, 3, 4.5f, 8.3666f, 8.3f, 0.0896f, 50.1996f, 0.07f, -0.25f,
                                  0.4f, 1.25f, 9.5f, 6, 11, 1200, 640, 252}));

    // Textf fails: everything up to Texttmax takes the new text, Textf on keeps the old.
    for (auto [control, text] :
         {std::pair{"Texttmax", "12"}, {"Textf", "six"}, {"Textw", "13"}, {"Textkabem", "900"}}) {
        panel.preset(control, text);
    }
    EXPECT_THROW(form.dainyuu(), calc_error);
    EXPECT_EQ((std::vector{r.tmax, r.f, r.w, r.kabem}), (std::vector{12.0f, 6.0f, 11.0f, 1200.0f}));
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
    EXPECT_EQ(std::tuple(panel.text("Labelwd"), panel.text("Labelhz"), record.wd),
              std::tuple("31.6189"s, "0.8"s, 5.5f));

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
        panel.preset("Textm", m);
        panel.preset("Textk", k);
        const int writes = panel.writes;
        form.calculate();
        EXPECT_EQ(panel.writes, writes) << m << " " << k;
    }
    EXPECT_EQ(box.texts, std::vector<std::string>(3, "正しい値を半角数字で入力してください。"));
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
    // k copied before ωn; ωd starred by keisan2, which fails at Labelhz before showing.
    EXPECT_EQ(std::tuple(panel.text("Labelwd"), record.wd, panel.text("Labelhz"), panel.shown),
              std::tuple("***"s, 0.0f, "5.0329"s, shown));
    EXPECT_EQ((std::vector{record.k, record.wn, record.z}), (std::vector{2000.0f, wn, 0.0158f}));
    panel.preset("Textz", "0.5");
    panel.setText("Textwn", "10");
    EXPECT_EQ(std::pair(record.z, panel.text("Labelwd")), std::pair(0.5f, "8.6603"s));
    run.joutai = kStopped;  // ζ alone recomputes, up to the critical boundary
    panel.setText("Textz", "0.9999");
    EXPECT_EQ(panel.text("Labelwd"), "0.1414");
    panel.setText("Textz", "1.00001");
    EXPECT_EQ(regimeOf(record.z), Regime::Overdamped);
}

}  // namespace
}  // namespace yurana
