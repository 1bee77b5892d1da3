#include "storage/slots.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "model/panel_controls.h"
#include "model/parameter_panel.h"
#include "platform/posix_files.h"
#include "storage/slot_format.h"
#include "support/fake_panel.h"
#include "unit/temp_folder.h"

namespace yurana {
namespace {

using test::readBytes;
using test::writeBytes;

// Everything the panel shows: each control's text and value.
using Snapshot = std::map<std::string, std::pair<std::string, int>>;

Snapshot snapshot(const Panel& panel) {
    Snapshot s;
    for (const ControlDef& c : panelControls()) {
        std::string name(c.name);
        s[name] = {panel.text(name), panel.value(name)};
    }
    return s;
}

// 25 slot lines: defaults for the boxes and captions, then the six check boxes.
std::vector<std::string> slotLinesWith(std::map<int, std::string> changes) {
    std::vector<std::string> lines = {
        "1000", "1", "1", "0.0158", "31.6228", "63.2456", "31.6189", "0",    "5.0329",
        "0.05", "0", "0", "20",     "1000",    "2",       "3",       "1000", "1",
        "1000", "1", "1", "0",      "0",       "2",       "0"};
    for (const auto& [line, text] : changes) {
        lines.at(static_cast<std::size_t>(line - 1)) = text;
    }
    return lines;
}

std::string crlfJoined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

std::string toCp932(const std::string& utf8) {
    iconv_t cd = ::iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* src = const_cast<char*>(utf8.data());
    std::size_t srcLeft = utf8.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    ::iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

class SlotsTest : public ::testing::Test {
  protected:
    SlotsTest() {
        panel.setChangeHandler([this](std::string_view c) {
            if (firstChange.empty()) {
                firstChange = std::string(c) + " " + std::to_string(run.joutai) + " " +
                              panel.text("Command2");
            }
            form.textChanged(c);
        });
        run.joutai = kStopped;
    }

    // A running animation, as a load may find it.
    void startRunning() {
        run.joutai = kRunning;
        panel.setText("Command2", "停止");
        panel.setVisible("Command3", true);
    }

    // The slot file as it stands: its bytes, or only its size when it is huge.
    std::string fileState(int n) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(slots.path(n), ec)) {
            return "(none)";
        }
        auto size = std::filesystem::file_size(slots.path(n));
        return size > 1024 * 1024 ? "size " + std::to_string(size) : readBytes(slots.path(n));
    }

    // Runs `act`; expects one message naming yuranN.txt and `problem`, and the panel,
    // the run state and the slot file exactly as they were.
    template <typename Act>
    void expectRefused(int n, const std::string& title, const std::string& problem, Act act) {
        std::string file = fileState(n);
        Snapshot shown = snapshot(panel);
        int joutai = run.joutai;
        box.texts.clear();
        box.titles.clear();
        act();
        ASSERT_EQ(box.texts.size(), 1u);
        const std::string& text = box.texts[0];
        EXPECT_NE(text.find("yuran" + std::to_string(n) + ".txt"), std::string::npos) << text;
        EXPECT_NE(text.find(problem), std::string::npos) << text;
        EXPECT_EQ(text.find("に値を保存しました"), std::string::npos) << text;
        EXPECT_EQ(box.titles[0], title);
        EXPECT_EQ(snapshot(panel), shown);
        EXPECT_EQ(run.joutai, joutai);
        EXPECT_EQ(fileState(n), file);
    }

    void expectLoadRefused(int n, const std::string& problem) {
        expectRefused(n, "Load" + std::to_string(n), problem, [&] { slots.yomikomi(n); });
    }
    void expectSaveRefused(int n, const std::string& problem) {
        expectRefused(n, "Save" + std::to_string(n), problem, [&] { slots.hozon(n); });
    }

    test::TempFolder dir;
    test::FakePanel panel;
    ModelRecord record;
    RunState run;
    test::RecordingMessageBox box;
    ParameterPanel form{panel, record, run, box, {}};
    PosixFiles files;
    Slots slots{panel, run, box, files, dir.path()};
    std::string firstChange;
};

TEST_F(SlotsTest, SavedPanelLoadsBackCharacterForCharacter) {
    panel.preset("Textk", "  1000 ");
    panel.preset("Textc", "");
    panel.preset("Textm", "abc");
    panel.preset("Textz", "0.5");
    panel.preset("Textwn", "1e1");
    panel.preset("Labelwd", "***");
    panel.preset("Labelhz", "9.9999");
    panel.preset("Textt0", "ｔ０＝２秒");
    panel.preset("Textf", "\t3 ");
    const int checks[] = {0, 1, 2, 2, 1, 0};
    const char* boxes[] = {"Check1",  "Checkheni", "Checkxc",
                           "Checkxp", "Checkxcxp", "Checkkabeheni"};
    for (int i = 0; i < 6; ++i) {
        panel.setValue(boxes[i], checks[i]);
    }
    Snapshot saved = snapshot(panel);

    slots.hozon(0);
    EXPECT_EQ(box.texts, std::vector<std::string>{"yuran0.txtに値を保存しました。"});
    EXPECT_EQ(box.titles, std::vector<std::string>{"Save0"});
    std::string bytes = readBytes(dir.file("yuran0.txt"));
    EXPECT_EQ(bytes, crlfJoined({"  1000 ",    "",       "abc",  "0.5", "1e1",  "63.2456", "***",
                                 "ｔ０＝２秒", "9.9999", "0.05", "0",   "0",    "20",      "1000",
                                 "2",          "\t3 ",   "1000", "1",   "1000", "0",       "1",
                                 "2",          "2",      "1",    "0"}));

    // Everything else edited away, then loaded back.
    for (const SlotLine& line : slotLines()) {
        if (line.field == SlotField::Check) {
            panel.setValue(line.control, 1);
        } else {
            panel.setText(line.control, "0");
        }
    }
    box.texts.clear();
    slots.yomikomi(0);
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(snapshot(panel), saved);
}

TEST_F(SlotsTest, SlotNumberNamesTheFileTheTextAndTheTitle) {
    writeBytes(dir.file("yuran4.txt"), crlfJoined(std::vector<std::string>(30, "junk")));
    slots.hozon(4);
    EXPECT_EQ(box.texts.back(), "yuran4.txtに値を保存しました。");
    EXPECT_EQ(box.titles.back(), "Save4");
    // The earlier content is replaced whole, without a question.
    EXPECT_EQ(readBytes(dir.file("yuran4.txt")),
              crlfJoined(slotLinesWith({{24, "0"}, {20, "0"}, {21, "0"}})));
    EXPECT_FALSE(std::filesystem::exists(dir.file("yuran0.txt")));
    EXPECT_EQ(slots.path(2), dir.path() + "/yuran2.txt");
    EXPECT_THROW(slots.path(5), std::out_of_range);
}

TEST_F(SlotsTest, LoadStopsTheRunRecomputesThenRestoresTheSavedCaptions) {
    startRunning();
    writeBytes(
        slots.path(1),
        crlfJoined(slotLinesWith({{4, "0.5"}, {5, "10"}, {7, "***"}, {9, "9.9999"}, {12, "3"}})));
    slots.yomikomi(1);

    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(panel.text("Command2"), "開始");
    // The first change came from ζ (line 4), with the run already stopped.
    EXPECT_EQ(firstChange, "Textz 1 開始");
    // ζ and ωn recomputed the model from the panel as it was at their lines: the start
    // time (line 12) came only after them.
    EXPECT_FLOAT_EQ(record.z, 0.5f);
    EXPECT_FLOAT_EQ(record.wn, 10.0f);
    EXPECT_FLOAT_EQ(record.wd, 8.6603f);
    EXPECT_FLOAT_EQ(record.tmin, 0.0f);
    // ...and the saved captions came back after the recompute had written its own.
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(panel.text("Labelhz"), "9.9999");
    EXPECT_EQ(panel.text("Texttmin"), "3");
    // The apply-changes button is left as it was.
    EXPECT_TRUE(panel.isVisible("Command3"));
}

TEST_F(SlotsTest, CheckBoxLinesTakeTheirLeadingNumberHalvesToEven) {
    writeBytes(
        slots.path(3),
        crlfJoined(slotLinesWith(
            {{20, "1.5"}, {21, "0.5"}, {22, ""}, {23, " 2.5 "}, {24, "1 tick"}, {25, "-0.4"}})));
    slots.yomikomi(3);
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(panel.value("Check1"), 2);
    EXPECT_EQ(panel.value("Checkheni"), 0);
    EXPECT_EQ(panel.value("Checkxc"), 0);
    EXPECT_EQ(panel.value("Checkxp"), 2);
    EXPECT_EQ(panel.value("Checkxcxp"), 1);
    EXPECT_EQ(panel.value("Checkkabeheni"), 0);
}

TEST_F(SlotsTest, LongestTextsRoundTrip) {
    std::string longest;
    for (int i = 0; i < 32767; ++i) {
        longest += i % 2 == 0 ? "ζ" : "x";  // two-byte and one-byte characters
    }
    panel.preset("Textt0", longest);
    panel.preset("Textf", std::string(32765, 'y') + "\U0001F600");  // a surrogate pair last
    slots.hozon(0);
    panel.preset("Textt0", "");
    panel.preset("Textf", "");
    slots.yomikomi(0);
    EXPECT_EQ(box.texts, std::vector<std::string>{"yuran0.txtに値を保存しました。"});
    EXPECT_EQ(panel.text("Textt0"), longest);
    EXPECT_EQ(panel.text("Textf"), std::string(32765, 'y') + "\U0001F600");
}

TEST_F(SlotsTest, LinesAfterThe25thAreIgnored) {
    std::vector<std::string> lines = slotLinesWith({{1, "555"}});
    std::string tail = "7\r\n\x01\x02garbage\r\n3\r\n4\r\n5\r\n";
    writeBytes(slots.path(0), crlfJoined(lines) + tail);
    slots.yomikomi(0);
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(panel.text("Textk"), "555");
    EXPECT_EQ(panel.value("Checkkabeheni"), 0);
}

TEST_F(SlotsTest, ShiftJisFileFromTheOriginalLoads) {
    std::string text = crlfJoined(slotLinesWith({{7, "***"}, {3, "質量は１キロ"}, {16, "ﾃｽﾄ～"}}));
    writeBytes(slots.path(2), toCp932(text));
    slots.yomikomi(2);
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(panel.text("Labelwd"), "***");
    EXPECT_EQ(panel.text("Textm"), "質量は１キロ");
    EXPECT_EQ(panel.text("Textf"), "ﾃｽﾄ～");
}

TEST_F(SlotsTest, HundredMegabyteFileWithGoodLinesLoadsItsHead) {
    writeBytes(slots.path(0), crlfJoined(slotLinesWith({{1, "42"}})));
    test::extendSparse(slots.path(0), 100LL * 1024 * 1024);
    long long before = test::bytesReadByProcess();
    slots.yomikomi(0);
    EXPECT_LT(test::bytesReadByProcess() - before, 1024 * 1024);
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(panel.text("Textk"), "42");
}

TEST_F(SlotsTest, LoadsThatCannotBeDoneChangeNothing) {
    startRunning();
    expectLoadRefused(0, "ファイルがありません");

    std::vector<std::string> lines = slotLinesWith({{1, "2"}});
    lines.pop_back();
    writeBytes(slots.path(1), crlfJoined(lines));
    expectLoadRefused(1, "25行必要ですが、24行しかありません");

    writeBytes(slots.path(2), crlfJoined(slotLinesWith({{1, "2"}, {22, "7"}})));
    expectLoadRefused(2, "22行目（グラフの描写(余関数)）のチェックボックスの値「7」");
    writeBytes(slots.path(2), crlfJoined(slotLinesWith({{1, "2"}, {25, "-0.6"}})));
    expectLoadRefused(2, "「-0.6」");
    writeBytes(slots.path(2), crlfJoined(slotLinesWith({{1, "2"}, {25, "1e999"}})));
    expectLoadRefused(2, "「1e999」");

    std::filesystem::create_directory(slots.path(3));
    expectLoadRefused(3, "フォルダです");

    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    writeBytes(slots.path(4), garbage);
    expectLoadRefused(4, "テキストファイルではありません");

    writeBytes(slots.path(4), crlfJoined(slotLinesWith({{3, "\x81 "}})));
    expectLoadRefused(4, "UTF-8でもShift-JISでもありません");

    // More than a text box holds.
    writeBytes(slots.path(4), crlfJoined(slotLinesWith({{8, std::string(32768, '9')}})));
    expectLoadRefused(4, "8行目が長すぎます（32767文字");
    // A character beyond U+FFFF takes two of them.
    std::string paired = std::string(32766, '9') + "\U0001F600";
    writeBytes(slots.path(4), crlfJoined(slotLinesWith({{8, paired}})));
    expectLoadRefused(4, "8行目が長すぎます");

    // 100 MB without a line end: refused after reading little of it.
    writeBytes(slots.path(0), std::string(200 * 1024, '1'));
    test::extendSparse(slots.path(0), 100LL * 1024 * 1024);
    long long before = test::bytesReadByProcess();
    expectLoadRefused(0, "1行目が長すぎます");
    EXPECT_LT(test::bytesReadByProcess() - before, 1024 * 1024);
}

TEST_F(SlotsTest, SavesThatCannotBeDoneAreReportedAndKeepTheOldFile) {
    std::string old = crlfJoined(slotLinesWith({{1, "old"}}));
    panel.preset("Textk", "new");

    // The slot file is read-only (no write bit at all: refused even for root).
    writeBytes(slots.path(0), old);
    ::chmod(slots.path(0).c_str(), 0444);
    expectSaveRefused(0, "読み取り専用");
    EXPECT_EQ(readBytes(slots.path(0)), old);

    // The slot path is a folder.
    std::filesystem::create_directory(slots.path(1));
    expectSaveRefused(1, "同じ名前のフォルダ");
    EXPECT_TRUE(std::filesystem::is_directory(slots.path(1)));

    // A text longer than a text box takes back.
    writeBytes(slots.path(2), old);
    panel.preset("Textk", std::string(32768, 'x'));
    expectSaveRefused(2, "「バネ定数k(N/m)」の値が長すぎる");
    panel.preset("Textk", "new");

    // A text that would break the 25-line format.
    writeBytes(slots.path(2), old);
    panel.preset("Textc", "1\n2");
    expectSaveRefused(2, "「減衰係数c(Ns/m)」の値に改行");
    panel.preset("Textc", "1\r");
    expectSaveRefused(2, "「減衰係数c(Ns/m)」の値に改行");
    EXPECT_EQ(readBytes(slots.path(2)), old);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              3);
}

TEST_F(SlotsTest, ProgramFolderThatCannotTakeAFileIsNamed) {
    // A "folder" that is a regular file: no file can be created in it, not even by root.
    std::string notAFolder = dir.file("yurana");
    writeBytes(notAFolder, "x");
    Slots inFile(panel, run, box, files, notAFolder);
    expectRefused(0, "Save0", "プログラムのフォルダ " + notAFolder + " に書き込めません",
                  [&] { inFile.hozon(0); });
    EXPECT_EQ(readBytes(notAFolder), "x");
}

TEST_F(SlotsTest, ReadOnlyProgramFolderKeepsTheOldSlot) {
    std::string folder = dir.file("app");
    std::filesystem::create_directory(folder);
    Slots installed(panel, run, box, files, folder);
    std::string old = crlfJoined(slotLinesWith({{1, "old"}}));
    writeBytes(installed.path(0), old);
    ::chmod(installed.path(0).c_str(), 0666);  // the file itself may be replaced
    ::chmod(dir.path().c_str(), 0755);
    ::chmod(folder.c_str(), 0555);
    // Root may write anywhere: act as an ordinary user for the save.
    bool root = ::geteuid() == 0;
    if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) {
        GTEST_SKIP() << "cannot act as an ordinary user";
    }
    installed.hozon(0);
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
        ASSERT_EQ(::setegid(0), 0);
    }
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_NE(box.texts[0].find("プログラムのフォルダ " + folder + " に書き込めません"),
              std::string::npos)
        << box.texts[0];
    EXPECT_EQ(readBytes(installed.path(0)), old);
}

TEST_F(SlotsTest, WriteFailingHalfwayKeepsTheOldSlot) {
    std::string old = crlfJoined(slotLinesWith({{1, "old"}}));
    writeBytes(slots.path(0), old);
    // A file size limit of 16 bytes makes the write fail part way, also for root.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    slots.hozon(0);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);

    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_NE(box.texts[0].find("書き込み中にエラーが発生しました"), std::string::npos);
    EXPECT_EQ(readBytes(slots.path(0)), old);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace yurana
