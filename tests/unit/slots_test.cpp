#include "storage/slots.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "panel/control_names.h"
#include "panel/parameter_panel.h"
#include "platform/posix/posix_files.h"
#include "storage/slot_folder.h"
#include "storage/slot_format.h"
#include "storage/slot_messages.h"
#include "support/fake_panel.h"
#include "support/temp_folder.h"

namespace yurana {
namespace {

namespace fs = std::filesystem;
constexpr off_t k100MB = 100LL * 1024 * 1024;
constexpr auto npos = std::string::npos;
using namespace std::string_literals;
using test::readBytes;
using test::writeBytes;

// Bytes this process has read through read() so far: the first line of /proc/self/io.
long long bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    io >> key >> value;
    EXPECT_EQ(key, "rchar:");
    return value;
}

// A folder, or the size and (when small) the bytes of the file at `path`.
std::string fileState(const std::string& path) {
    std::error_code ec;
    auto size = fs::file_size(path, ec);
    return fs::is_directory(path) ? "(folder)"
                                  : std::to_string(size) + (size < 1 << 20 ? readBytes(path) : "");
}

// Every control's text and value.
using Snapshot = std::map<std::string, std::pair<std::string, int>>;
Snapshot snapshot(const Panel& panel) {
    Snapshot s;
    for (const ControlDef& c : panelControls()) {
        s[std::string(c.name)] = {panel.text(c.name), panel.value(c.name)};
    }
    return s;
}

// A slot file of `count` lines: the panel's defaults except `changes` (1-based line numbers).
std::string slotFile(std::map<int, std::string> changes, int count = 25) {
    std::istringstream defaults(
        "1000 1 1 0.0158 31.6228 63.2456 31.6189 0 5.0329 0.05 0 0 20 "
        "1000 2 3 1000 1 1000 0 0 0 0 0 0");
    std::string text, value;
    for (int i = 1; i <= count && defaults >> value; ++i) {
        text += (changes.contains(i) ? changes[i] : value) + "\r\n";
    }
    return text;
}

class SlotsTest : public ::testing::Test {
  protected:
    SlotsTest() {
        panel.setChangeHandler([this](std::string_view c) { form.textChanged(c); });
    }

    test::TempFolder temp;
    std::string dir = temp.path();
    test::FakePanel panel;
    ModelRecord record;
    RunState run{kStopped};
    test::RecordingMessageBox box;
    ParameterPanel form{panel, record, run, box, {}};
    PosixFiles files;
    Slots slots{panel, run, box, files, dir};
};

// Loading the file back into a panel is fuzz_slot_save's round trip.
TEST_F(SlotsTest, SavedPanelIsWrittenCharacterForCharacter) {
    const std::map<int, std::string> edits = {
        {1, "  1000 "}, {2, ""},           {3, "abc"},    {4, "0.5"},   {5, "1e1"},
        {7, "***"},     {8, "ｔ０＝２秒"}, {9, "9.9999"}, {16, "\t3 "}, {21, "1"},
        {22, "2"},      {24, "1"},         {25, "2"}};
    for (const auto& [n, text] : edits) {  // set without raising change handling
        const SlotLine& line = slotLines()[std::size_t(n - 1)];
        line.field == SlotField::Check ? panel.setValue(line.control, std::stoi(text))
                                       : panel.preset(line.control, text);
    }
    writeBytes(slots.path(4), slotFile({}) + "longer old content\r\n");
    slots.hozon(4);  // put in place whole, past stale temporary files: robustness_test
    EXPECT_EQ(box.texts, std::vector<std::string>{"yuran4.txtに値を保存しました。"});
    EXPECT_EQ(readBytes(slots.path(4)), slotFile(edits));
}

// A 100 MB file, 25 good lines and then junk. The decoding and the values shown (the saved
// captions back after the recompute, the check-box values) are left to fuzz_decoding and
// fuzz_slot_load.
TEST_F(SlotsTest, LoadStopsTheRunRecomputesAndRestoresTheSavedCaptions) {
    run.joutai = kRunning;
    panel.setText(ctl::Command2, "停止");
    const std::string text =
        slotFile({{4, "0.5"}, {5, "10"}, {7, "***"}, {9, "9.9999"}, {12, "3"}, {22, "2"}});
    writeBytes(slots.path(1), text + "7\r\n\x01\x02garbage\r\n3\r\n4\r\n5\r\n");
    ASSERT_EQ(::truncate(slots.path(1).c_str(), k100MB), 0);
    slots.yomikomi(1);
    EXPECT_EQ(std::tuple(box.texts.size(), run.joutai, panel.text(ctl::Command2)),
              std::tuple(0u, kStopped, "開始"s));
    // ζ/ωn recomputed at their lines (before line 12).
    EXPECT_EQ((std::vector{record.z, record.wn, record.wd, record.tmin}),
              (std::vector{0.5f, 10.0f, 8.6603f, 0.0f}));
}

TEST_F(SlotsTest, FailedLoadsAndSavesSaySoAndChangeNothing) {
    const std::string a = dir, b = dir + "/b", notAFolder = dir + "/f";
    fs::create_directory(b);
    writeBytes(notAFolder, "x");  // no file can be created in it, even by root
    writeBytes(a + "/yuran2.txt", slotFile({{1, "2"}, {22, "7"}}));
    fs::create_directory(a + "/yuran3.txt");
    writeBytes(b + "/yuran0.txt", std::string(200 * 1024, '1'));  // no line end, then a hole
    ASSERT_EQ(::truncate((b + "/yuran0.txt").c_str(), k100MB), 0);
    writeBytes(b + "/yuran1.txt", slotFile({}));
    ::chmod((b + "/yuran1.txt").c_str(), 0444);
    writeBytes(b + "/yuran2.txt", slotFile({}));
    // Save or load, slot, folder, the problem named, a file size limit (0: none).
    const std::tuple<bool, int, std::string, std::string, rlim_t> cases[] = {
        {false, 0, a, "ファイルがありません", 0},
        {false, 2, a, "22行目（グラフの描写(余関数)）のチェックボックスの値「7」", 0},
        {false, 3, a, "フォルダです", 0},
        {false, 0, b, "1行目が長すぎます", 0},
        {true, 1, b, "読み取り専用", 0},
        {true, 2, b, "書き込み中にエラーが発生しました", 16},  // fails part way, even for root
        {true, 3, a, "同じ名前のフォルダ", 0},
        {true, 0, notAFolder, "フォルダ " + notAFolder + " に書き込めません", 0},
    };
    rlimit noLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &noLimit), 0);
    panel.preset(ctl::Textk, "new");
    for (const auto& [save, n, folder, problem, sizeLimit] : cases) {
        SCOPED_TRACE(problem);
        run.joutai = kRunning;
        panel.setText(ctl::Command2, "停止");
        Slots s{panel, run, box, files, folder};
        std::string file = fileState(s.path(n));
        Snapshot shown = snapshot(panel);
        box = {};
        long long before = bytesRead();
        rlimit limit{sizeLimit ? sizeLimit : noLimit.rlim_cur, noLimit.rlim_max};
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        save ? s.hozon(n) : s.yomikomi(n);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &noLimit), 0);
        EXPECT_LT(bytesRead() - before, 1024 * 1024);
        ASSERT_EQ(box.texts.size(), 1u);
        EXPECT_NE(box.texts[0].find(s.path(n)), npos) << box.texts[0];  // the full path
        EXPECT_NE(box.texts[0].find(problem), npos) << box.texts[0];
        EXPECT_EQ(box.titles[0], (save ? "Save" : "Load") + std::to_string(n));
        // A load stops the run even when it fails; a save leaves it running.
        EXPECT_EQ(run.joutai, save ? kRunning : kStopped);
        EXPECT_EQ(panel.text(ctl::Command2), save ? "停止" : "開始");
        panel.setText(ctl::Command2, "停止");
        EXPECT_EQ(snapshot(panel), shown);
        EXPECT_EQ(fileState(s.path(n)), file);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(b), fs::directory_iterator()), 3);  // no temp

    // A value a text box could not take back is refused before the file is touched.
    box = {};
    panel.preset(ctl::Textc, std::string(kSlotMaxTextLength + 1, 'x'));
    slots.hozon(2);
    EXPECT_EQ(box.texts,
              std::vector<std::string>{saveFailedText(
                  2, slots.path(2), "「減衰係数c(Ns/m)」の値が長すぎるため、保存できません。")});
    EXPECT_EQ(readBytes(slots.path(2)), slotFile({{1, "2"}, {22, "7"}}));
}

// The slots stay in a program folder where files can be made; otherwise they go to the
// user's data folder, which the first save makes and the loads use.
TEST_F(SlotsTest, SlotsLiveInTheProgramFolderWhenWritableElseInTheUsersDataFolder) {
    const std::string blocked = dir + "/file/program";  // under a file: not even root writes
    writeBytes(dir + "/file", "x");
    const std::string home = dir + "/home", data = home + "/.local/share/yurana";
    // clang-format off
    const std::tuple<const char*, std::string, UserFolders, std::string> rows[] = {
        {"writable program folder", dir, {dir + "/xdg", home}, dir},
        {"XDG_DATA_HOME", blocked, {dir + "/xdg", home}, dir + "/xdg/yurana"},
        {"no XDG_DATA_HOME", blocked, {"", home}, data},
        {"relative XDG_DATA_HOME", blocked, {"xdg", home}, data},
        {"no home at all", blocked, {"", ""}, blocked}};
    // clang-format on
    for (const auto& [name, program, user, expected] : rows) {
        EXPECT_EQ(slotFolder(files, program, user), expected) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no probe
    Slots user{panel, run, box, files, data};
    panel.preset(ctl::Textk, "321");
    user.hozon(3);  // then loaded back from the same folder
    EXPECT_EQ(fs::status(data).permissions(), fs::perms::owner_all);
    panel.preset(ctl::Textk, "5");
    user.yomikomi(3);
    EXPECT_EQ(panel.text(ctl::Textk), "321");
    EXPECT_FALSE(fs::exists(dir + "/yuran3.txt"));
}

}  // namespace
}  // namespace yurana
