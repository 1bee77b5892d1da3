#include <gtest/gtest.h>
#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/motion.h"
#include "export/curves_csv.h"
#include "export/export_file.h"
#include "model/response.h"
#include "panel/messages.h"
#include "panel/parameter_panel.h"
#include "platform/posix_files.h"
#include "support/fake_panel.h"

namespace yurana {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const std::string& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}};
}

std::vector<double> fields(const std::string& line) {
    std::vector<double> out;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = std::min(line.find(',', start), line.size());
        double v = NAN;
        auto [ptr, ec] = std::from_chars(line.data() + start, line.data() + end, v);
        EXPECT_TRUE(ec == std::errc{} && ptr == line.data() + end) << line;
        out.push_back(v);
        start = end + 1;
    }
    return out;
}

class ExportTest : public ::testing::Test {
  protected:
    ~ExportTest() override { fs::remove_all(dir); }

    void enter(const std::map<std::string, std::string>& texts) {
        for (const auto& [name, text] : texts) {
            panel.preset(name, text);
        }
        ParameterPanel(panel, record, run, box, {}).calculate();
    }

    char pattern[20] = "/tmp/yurana-XXXXXX";
    std::string dir = ::mkdtemp(pattern);
    std::string file = dir + "/curves.csv";
    test::FakePanel panel;
    ModelRecord record;
    RunState run{kStopped};
    test::RecordingMessageBox box;
    PosixFiles files;
};

struct Regime {
    const char* name;
    std::map<std::string, std::string> texts;
};

TEST_F(ExportTest, CurvesOfEachRegimeMatchTheClosedFormAtEveryRow) {
    const Regime regimes[] = {
        {"underdamped",
         {{"Textm", "2.5"},
          {"Textk", "900"},
          {"Textc", "3"},
          {"Textf", "4"},
          {"Textw", "5"},
          {"Textkabem", "700"},
          {"Textxshoki", "0.03"},
          {"Textvshoki", "-0.2"},
          {"Textt0", "0.4"},
          {"Texttmin", "1.5"},
          {"Texttmax", "7.25"}}},
        {"critical",
         {{"Textm", "2"},
          {"Textk", "50"},
          {"Textc", "20"},
          {"Textf", "1.5"},
          {"Textw", "3"},
          {"Textkabem", "300"},
          {"Textxshoki", "-0.04"},
          {"Textvshoki", "0.3"},
          {"Textt0", "0.5"},
          {"Texttmin", "-2"},
          {"Texttmax", "4"}}},
        {"overdamped",
         {{"Textm", "0.5"},
          {"Textk", "40"},
          {"Textc", "30"},
          {"Textf", "6"},
          {"Textw", "7"},
          {"Textkabem", "90"},
          {"Textxshoki", "0.02"},
          {"Textvshoki", "0.1"},
          {"Textt0", "0.1"},
          {"Texttmin", "0.25"},
          {"Texttmax", "3"}}},
    };
    for (const Regime& regime : regimes) {
        SCOPED_TRACE(regime.name);
        enter(regime.texts);
        record = {};  // the export recomputes from the panel, not from this record
        ASSERT_TRUE(exportCurves(panel, record, run, box, files, file));
        ModelRecord r;
        ParameterPanel form(panel, r, run, box, {});
        form.dainyuu();
        form.keisan2();
        form.keisan_c1c2();

        const std::string text = readBytes(file);
        EXPECT_EQ(text.find('\r'), std::string::npos);
        std::istringstream lines(text);
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line, kCurvesCsvHeader);
        std::vector<std::vector<double>> rows;
        while (std::getline(lines, line)) {
            rows.push_back(fields(line));
        }
        ASSERT_EQ(rows.size(), kCsvRows);
        EXPECT_EQ(rows.front()[0], r.tmin);
        EXPECT_EQ(rows.back()[0], r.tmax);
        for (std::size_t i : {std::size_t{0}, std::size_t{1}, std::size_t{417}, kCsvRows - 1}) {
            const std::vector<double>& row = rows[i];
            ASSERT_EQ(row.size(), 9u);
            const double t = row[0];
            EXPECT_DOUBLE_EQ(t, r.tmin + (r.tmax - r.tmin) * i / 1000.0);
            const double xc = complementary(r, t), xp = particular(r, t);
            const double wall = wallDisplacement(r, t);
            const double v = analysis::velocityAt(r, t);
            const std::vector<double> expected = {
                t,  xc + xp + wall,    xc,
                xp, xc + xp,           wall,
                v,  0.5 * r.m * v * v, 0.5 * r.k * (xc + xp) * (xc + xp)};
            for (std::size_t c = 1; c < 9; ++c) {
                EXPECT_NEAR(row[c], expected[c], 1e-12 * (1 + std::abs(expected[c])))
                    << "row " << i << " column " << c;
            }
        }
        // The velocity column is the derivative of x_c + x_p.
        const double h = rows[2][0] - rows[1][0];
        const double slope = (rows[2][4] - rows[0][4]) / (2 * h);
        EXPECT_NEAR(rows[1][6], slope, 1e-2 * (std::abs(slope) + 0.01));
        EXPECT_TRUE(box.texts.empty());
    }
}

TEST_F(ExportTest, ARecomputeOrEvaluationThatFailsWritesNothing) {
    const Regime failures[] = {
        {"empty window", {{"Texttmin", "3"}, {"Texttmax", "3"}}},
        {"reversed window", {{"Texttmin", "3"}, {"Texttmax", "1"}}},
        {"not a number", {{"Textm", "abc"}}},
        {"overflow", {{"Texttmin", "-90000"}, {"Texttmax", "1"}}},
    };
    for (const Regime& failure : failures) {
        SCOPED_TRACE(failure.name);
        test::FakePanel fresh;
        for (const auto& [name, text] : failure.texts) {
            fresh.preset(name, text);
        }
        box = {};
        EXPECT_FALSE(exportCurves(fresh, record, run, box, files, file));
        EXPECT_EQ(box.texts, std::vector<std::string>{std::string(kMsgBadValue)});
        EXPECT_FALSE(fs::exists(file));
    }
}

TEST_F(ExportTest, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
    std::ofstream(file) << "old";
    ::chmod(file.c_str(), 0444);
    const std::string missing = dir + "/no/such/folder/c.csv";
    for (const std::string& path : {file, missing}) {
        box = {};
        EXPECT_FALSE(saveExport(files, box, path, "new"));
        ASSERT_EQ(box.texts.size(), 1u);
        EXPECT_EQ(box.texts[0].rfind(path + " に保存できませんでした。\n", 0), 0u) << box.texts[0];
    }
    EXPECT_EQ(readBytes(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(CsvNumber, ReadsBackAsTheSameDoubleInItsShortestForm) {
    for (double v : {0.1, -2.5e-300, 1.0 / 3.0, 123456789.0, 5e-324, -0.0}) {
        const std::string text = csvNumber(v);
        double back = 1;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(std::signbit(back), std::signbit(v)) << text;
        EXPECT_EQ(back, v) << text;
    }
    EXPECT_EQ(csvNumber(0.1), "0.1");
    EXPECT_EQ(csvNumber(-1.5e-7), "-1.5e-07");
}

}  // namespace
}  // namespace yurana
