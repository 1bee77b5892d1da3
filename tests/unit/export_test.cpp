#include <gtest/gtest.h>
#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <sstream>

#include "analysis/motion.h"
#include "export/curves_csv.h"
#include "export/export_file.h"
#include "model/response.h"
#include "panel/control_names.h"
#include "panel/messages.h"
#include "panel/parameter_panel.h"
#include "platform/posix/posix_files.h"
#include "support/fake_panel.h"
#include "support/temp_folder.h"

namespace yurana {
namespace {

namespace fs = std::filesystem;
using test::readBytes;

// The numbers of a CSV line, each read back in full.
std::vector<double> fields(const std::string& line) {
    std::vector<double> out;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, ',');) {
        const auto [ptr, ec] = std::from_chars(f.data(), f.data() + f.size(), out.emplace_back());
        EXPECT_TRUE(ec == std::errc{} && ptr == f.data() + f.size()) << line;
    }
    return out;
}

class ExportTest : public ::testing::Test {
  protected:
    test::TempFolder temp;
    std::string dir = temp.path(), file = dir + "/curves.csv";
    test::FakePanel panel;
    ModelRecord record;
    RunState run{kStopped};
    test::RecordingMessageBox box;
    PosixFiles files;
};

TEST_F(ExportTest, CurvesOfEachRegimeMatchTheClosedFormAtEveryRow) {
    // 計算 derives ζ and ωn from these.
    const std::vector<std::string_view> boxes = {
        ctl::Textm,      ctl::Textk,      ctl::Textc,  ctl::Textf,    ctl::Textw,   ctl::Textkabem,
        ctl::Textxshoki, ctl::Textvshoki, ctl::Textt0, ctl::Texttmin, ctl::Texttmax};
    for (const auto& [name, texts] :
         {std::pair{"underdamped", "2.5 900 3 4 5 700 0.03 -0.2 0.4 1.5 7.25"},
          {"critical", "2 50 20 1.5 3 300 -0.04 0.3 0.5 -2 4"},
          {"overdamped", "0.5 40 30 6 7 90 0.02 0.1 0.1 0.25 3"}}) {
        SCOPED_TRACE(name);
        panel.preset(boxes, texts);
        ModelRecord r;
        ParameterPanel(panel, r, run, box, {}).calculate();
        // The export recomputes from the panel, not from the record it is given, and ωd
        // from ζ and ωn, not from its caption; the stale captions stay as they are shown.
        panel.preset(ctl::Labelwd, "1.5");
        panel.preset(ctl::Labelhz, "0.25");
        const test::FakePanel before = panel;
        ASSERT_TRUE(exportCurves(panel, record, run, box, files, file));
        EXPECT_EQ(std::pair(panel.controls(), panel.shown),
                  std::pair(before.controls(), before.shown));
        std::istringstream lines(readBytes(file));
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line, kCurvesCsvHeader);
        std::vector<std::vector<double>> rows;
        while (std::getline(lines, line)) {
            rows.push_back(fields(line));  // a CR would fail the last number
        }
        ASSERT_EQ(rows.size(), kCsvRows);
        for (std::size_t i : {std::size_t{0}, std::size_t{1}, std::size_t{417}, kCsvRows - 1}) {
            const double t = rows[i][0];
            EXPECT_DOUBLE_EQ(t, r.tmin + (r.tmax - r.tmin) * i / 1000.0);  // both ends included
            const double xc = complementary(r, t), xp = particular(r, t), x = xc + xp;
            const double wall = wallDisplacement(r, t), v = analysis::velocityAt(r, t);
            // Every number read back exactly.
            EXPECT_EQ(rows[i], (std::vector<double>{t, x + wall, xc, xp, x, wall, v,
                                                    0.5 * r.m * v * v, 0.5 * r.k * x * x}))
                << "row " << i;
        }
    }
}

TEST_F(ExportTest, ARecomputeOrEvaluationThatFailsWritesNothing) {
    // An empty window: menus_test.
    for (const auto& [name, boxes, texts] :
         {std::tuple{"reversed window", std::vector<std::string_view>{ctl::Texttmin, ctl::Texttmax},
                     "3 1"},
          {"not a number", {ctl::Textm}, "abc"},
          {"overflow", {ctl::Texttmin, ctl::Texttmax}, "-90000 1"}}) {
        SCOPED_TRACE(name);
        test::FakePanel fresh;
        fresh.preset(boxes, texts);
        box = {};
        EXPECT_FALSE(exportCurves(fresh, record, run, box, files, file));
        EXPECT_EQ(box.texts, std::vector<std::string>{std::string(kMsgBadValue)});
        EXPECT_FALSE(fs::exists(file));
    }
}

TEST_F(ExportTest, AFailedWriteNamesTheFileAsASlotsSaveDoes) {
    test::writeBytes(file, "old");
    ::chmod(file.c_str(), 0444);
    // The problem in the words a slot's save uses (slots_test names the others, and shows
    // the old file kept and no temporary file left by the same atomic write).
    EXPECT_FALSE(saveExport(files, box, file, "new"));
    EXPECT_EQ(box.texts, std::vector<std::string>{
                             file + " に保存できませんでした。\nファイルが読み取り専用です。"});
}

}  // namespace
}  // namespace yurana
