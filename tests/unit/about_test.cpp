// The About window's logic: finding and starting the system-information tool through
// the registry, reading registry values, the version caption, and the Linux registry.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "about/about_window.h"
#include "platform/linux_registry.h"
#include "support/fake_panel.h"

using namespace yurana;
using namespace std::string_literals;

namespace {

// A registry of keys holding values; it records every key opened and every value read.
class FakeRegistry : public Registry {
  public:
    void put(std::string key, std::string name, RegistryValue value) {
        keys_[std::move(key)][std::move(name)] = std::move(value);
    }
    void putString(std::string key, std::string name, std::string text) {
        std::size_t length = text.size();
        put(std::move(key), std::move(name), {kRegString, std::move(text), length});
    }

    std::unique_ptr<RegistryKey> openKey(RegistryRoot, std::string_view path,
                                         std::uint32_t access) override {
        opened.emplace_back(path);
        accesses.push_back(access);
        auto it = keys_.find(std::string(path));
        if (it == keys_.end()) {
            return nullptr;
        }
        return std::make_unique<Key>(*this, it->second);
    }

    std::vector<std::string> opened;
    std::vector<std::uint32_t> accesses;
    std::vector<std::size_t> capacities;
    int openKeys = 0;  // keys opened and not yet closed

  private:
    using Values = std::map<std::string, RegistryValue>;
    class Key : public RegistryKey {
      public:
        Key(FakeRegistry& owner, const Values& values) : owner_(owner), values_(values) {
            ++owner_.openKeys;
        }
        ~Key() override { --owner_.openKeys; }
        std::optional<RegistryValue> queryValue(std::string_view name,
                                                std::size_t capacity) const override {
            owner_.capacities.push_back(capacity);
            auto it = values_.find(std::string(name));
            if (it == values_.end()) {
                return std::nullopt;
            }
            return it->second;
        }

      private:
        FakeRegistry& owner_;
        const Values& values_;
    };

    std::map<std::string, Values> keys_;
};

class FakeLauncher : public Launcher {
  public:
    bool startProgram(const std::string& path) override {
        started.push_back(path);
        return startSucceeds;
    }
    bool fileExists(const std::string& path) const override {
        tested.push_back(path);
        return files.contains(path);
    }
    bool openDocument(const std::string& target) override {
        opened.push_back(target);
        return true;
    }

    std::set<std::string> files;
    bool startSucceeds = true;
    std::vector<std::string> started;
    mutable std::vector<std::string> tested;
    std::vector<std::string> opened;
};

const std::string kMsInfo(kMsInfoKey);
const std::string kLocation(kSharedToolsLocationKey);

struct AboutFixture : ::testing::Test {
    FakeRegistry registry;
    FakeLauncher launcher;
    test::RecordingMessageBox box;
    AboutWindow about{registry, launcher, box};
};

}  // namespace

// --- StartSysInfo ----------------------------------------------------------------

using StartSysInfo = AboutFixture;

TEST_F(StartSysInfo, NeitherValueShowsTheMessageOnceAndStartsNothing) {
    about.StartSysInfo();
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(box.texts[0], "現時点ではｼｽﾃﾑ情報を使用できません");
    EXPECT_EQ(box.titles[0], "");  // no title of its own
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_TRUE(launcher.tested.empty());
    EXPECT_EQ(registry.opened, (std::vector<std::string>{kMsInfo, kLocation}));
}

TEST_F(StartSysInfo, FirstValueStartsItAndReadsNothingElse) {
    registry.putString(kMsInfo, "PATH", "C:\\Tools\\msinfo32.exe\0"s);
    registry.putString(kLocation, "MSINFO", "C:\\Other");
    launcher.files.insert("C:\\Other\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
    EXPECT_EQ(registry.opened, std::vector<std::string>{kMsInfo});
    EXPECT_TRUE(launcher.tested.empty());
    EXPECT_TRUE(box.texts.empty());
    EXPECT_EQ(registry.openKeys, 0);  // the key was closed
}

TEST_F(StartSysInfo, KeyWithoutTheFirstValueFallsThroughToTheSecond) {
    registry.putString(kMsInfo, "Other", "x");
    registry.putString(kLocation, "MSINFO", "/opt/tools");
    launcher.files.insert("/opt/tools\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/tools\\MSINFO32.EXE"});
    EXPECT_TRUE(box.texts.empty());
}

TEST_F(StartSysInfo, SecondValueStartsTheToolOnlyWhenItsFileExists) {
    registry.putString(kLocation, "MSINFO", "C:\\Shared\0"s);
    about.StartSysInfo();
    EXPECT_EQ(launcher.tested, std::vector<std::string>{"C:\\Shared\\MSINFO32.EXE"});
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(box.texts.size(), 1u);

    launcher.files.insert("C:\\Shared\\MSINFO32.EXE");
    box.texts.clear();
    about.StartSysInfo();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"C:\\Shared\\MSINFO32.EXE"});
    EXPECT_TRUE(box.texts.empty());
}

TEST_F(StartSysInfo, ProgramThatCannotStartShowsTheMessage) {
    registry.putString(kMsInfo, "PATH", "/usr/bin/hardinfo");
    launcher.startSucceeds = false;
    about.StartSysInfo();
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(box.texts.size(), 1u);
}

TEST_F(StartSysInfo, FirstValueOfAnotherTypeStartsNothingAndSkipsTheSecondKey) {
    // Found, but its type gives no text: the empty path cannot be started.
    registry.put(kMsInfo, "PATH", {3, "\x01\x02", 2});
    registry.putString(kLocation, "MSINFO", "C:\\Shared");
    launcher.files.insert("C:\\Shared\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(registry.opened, std::vector<std::string>{kMsInfo});
    EXPECT_EQ(box.texts.size(), 1u);
}

// --- GetKeyValue -------------------------------------------------------------------

using GetKeyValue = AboutFixture;

TEST_F(GetKeyValue, OpensWithFullReadAccessAndA1024ByteBuffer) {
    registry.putString("K", "V", "abc");
    std::string out;
    EXPECT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "V", out));
    EXPECT_EQ(registry.accesses, std::vector<std::uint32_t>{131135});
    EXPECT_EQ(registry.capacities, std::vector<std::size_t>{1024});
    EXPECT_EQ(out, "abc");
}

TEST_F(GetKeyValue, MissingKeyOrValueEmptiesTheOutValue) {
    registry.putString("K", "V", "abc");
    std::string out = "before";
    EXPECT_FALSE(about.GetKeyValue(RegistryRoot::LocalMachine, "None", "V", out));
    EXPECT_EQ(out, "");
    out = "before";
    EXPECT_FALSE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "None", out));
    EXPECT_EQ(out, "");
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(GetKeyValue, StringLosesExactlyOneTrailingNul) {
    std::string out;
    registry.putString("K", "one", "path\0"s);
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "one", out));
    EXPECT_EQ(out, "path");
    registry.putString("K", "two", "path\0\0"s);
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "two", out));
    EXPECT_EQ(out, "path\0"s);
    registry.putString("K", "none", "path");
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "none", out));
    EXPECT_EQ(out, "path");
    registry.putString("K", "empty", "");
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "empty", out));
    EXPECT_EQ(out, "");
}

TEST_F(GetKeyValue, DataIsCutToTheReportedLengthBeforeTheNulRule) {
    std::string out;
    // The buffer holds more than the value; only the reported bytes count.
    registry.put("K", "V", {kRegString, "abc\0garbage"s, 4});
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "V", out));
    EXPECT_EQ(out, "abc");
    registry.put("K", "W", {kRegString, "abcdef"s, 3});
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "W", out));
    EXPECT_EQ(out, "abc");
}

TEST_F(GetKeyValue, DwordGivesItsDecimalText) {
    std::string out;
    registry.put("K", "small",
                 {kRegDword, "\x05\x00\x00\x00"s, 4});  // high NUL dropped, same value
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "small", out));
    EXPECT_EQ(out, "5");
    registry.put("K", "mixed", {kRegDword, "\x10\x27\x01\x02"s, 4});
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "mixed", out));
    EXPECT_EQ(out, std::to_string(0x02012710u));
    registry.put("K", "max", {kRegDword, "\xff\xff\xff\xff"s, 4});
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "max", out));
    EXPECT_EQ(out, "4294967295");
    registry.put("K", "zero", {kRegDword, "\0\0\0\0"s, 4});
    ASSERT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "zero", out));
    EXPECT_EQ(out, "0");
}

TEST_F(GetKeyValue, OtherTypeLeavesTheOutValueButSucceeds) {
    registry.put("K", "bin", {3, "\x01\x02\x03"s, 3});
    registry.put("K", "multi", {7, "a\0b\0\0"s, 5});
    std::string out = "as passed";
    EXPECT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "bin", out));
    EXPECT_EQ(out, "as passed");
    EXPECT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "multi", out));
    EXPECT_EQ(out, "as passed");
}

// --- Version caption -----------------------------------------------------------------

TEST(VersionCaption, MajorMinorRevisionInPlainDigits) {
    EXPECT_EQ(versionCaption({1, 1, 0}), "ﾊﾞｰｼﾞｮﾝ 1.1.0");
    EXPECT_EQ(versionCaption({10, 0, 25}), "ﾊﾞｰｼﾞｮﾝ 10.0.25");
}

TEST(VersionCaption, ParsesTheBuildVersion) {
    Version v = parseVersion("2.13.7");
    EXPECT_EQ(versionCaption(v), "ﾊﾞｰｼﾞｮﾝ 2.13.7");
    EXPECT_EQ(versionCaption(parseVersion("3")), "ﾊﾞｰｼﾞｮﾝ 3.0.0");
    EXPECT_EQ(versionCaption(parseVersion("1.2.3.4")), "ﾊﾞｰｼﾞｮﾝ 1.2.3");
    EXPECT_EQ(versionCaption(parseVersion("1.x.3")), "ﾊﾞｰｼﾞｮﾝ 1.0.3");
    EXPECT_EQ(versionCaption(programVersion()), "ﾊﾞｰｼﾞｮﾝ "s + YURANA_VERSION);
}

// --- The Linux registry ----------------------------------------------------------------

namespace {
ExecutableTest existing(std::set<std::string> files) {
    return [files = std::move(files)](const std::string& p) { return files.contains(p); };
}
}  // namespace

TEST(FindOnPath, ProgramsInPreferenceOrderBeforeDirectoryOrder) {
    std::string_view programs[] = {"hardinfo", "kinfocenter"};
    auto found = findOnPath("/usr/local/bin:/usr/bin", programs,
                            existing({"/usr/local/bin/kinfocenter", "/usr/bin/hardinfo"}));
    EXPECT_EQ(found, "/usr/bin/hardinfo");
    found = findOnPath("/usr/local/bin:/usr/bin", programs,
                       existing({"/usr/local/bin/kinfocenter", "/usr/bin/kinfocenter"}));
    EXPECT_EQ(found, "/usr/local/bin/kinfocenter");
}

TEST(FindOnPath, SkipsEmptyAndRelativeEntriesAndJoinsTrailingSlashes) {
    std::string_view programs[] = {"hardinfo"};
    auto test = existing({"hardinfo", "bin/hardinfo", "/opt/x/hardinfo"});
    EXPECT_EQ(findOnPath("::bin:/opt/x/:", programs, test), "/opt/x/hardinfo");
    EXPECT_EQ(findOnPath("", programs, test), std::nullopt);
    EXPECT_EQ(findOnPath(":bin", programs, test), std::nullopt);
}

TEST(LinuxRegistry, ReportsTheFirstSysInfoProgramAsAStringWithItsNul) {
    LinuxRegistry registry("/bin:/usr/bin",
                           existing({"/usr/bin/gnome-system-monitor", "/usr/bin/kinfocenter"}));
    auto key = registry.openKey(RegistryRoot::LocalMachine,
                                "software\\microsoft\\shared "
                                "tools\\msinfo",
                                kKeyAllAccess);
    ASSERT_NE(key, nullptr);
    auto value = key->queryValue("Path", 1024);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, kRegString);
    EXPECT_EQ(value->data, "/usr/bin/kinfocenter\0"s);
    EXPECT_EQ(value->length, value->data.size());
    EXPECT_FALSE(key->queryValue("Other", 1024).has_value());
    EXPECT_FALSE(key->queryValue("PATH", 10).has_value());  // does not fit the buffer
}

TEST(LinuxRegistry, ReportsNothingElse) {
    LinuxRegistry none("/usr/bin", existing({}));
    EXPECT_EQ(none.openKey(RegistryRoot::LocalMachine, kMsInfoKey, kKeyAllAccess), nullptr);
    LinuxRegistry some("/usr/bin", existing({"/usr/bin/hardinfo"}));
    EXPECT_EQ(some.openKey(RegistryRoot::LocalMachine, kSharedToolsLocationKey, kKeyAllAccess),
              nullptr);
    EXPECT_EQ(some.openKey(RegistryRoot::LocalMachine, "SOFTWARE", kKeyAllAccess), nullptr);
}

TEST(LinuxRegistry, TheAboutWindowStartsWhatItFinds) {
    LinuxRegistry registry("/usr/bin", existing({"/usr/bin/hardinfo"}));
    FakeLauncher launcher;
    test::RecordingMessageBox box;
    AboutWindow about(registry, launcher, box);
    about.StartSysInfo();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/usr/bin/hardinfo"});
    EXPECT_TRUE(box.texts.empty());

    LinuxRegistry empty("/usr/bin", existing({}));
    AboutWindow without(empty, launcher, box);
    without.StartSysInfo();
    EXPECT_EQ(box.texts.size(), 1u);
    EXPECT_TRUE(launcher.tested.empty());
}

TEST(LinuxRegistry, DefaultSearchFindsRealExecutablesOnly) {
    EXPECT_TRUE(isExecutableFile("/bin/sh"));
    EXPECT_FALSE(isExecutableFile("/etc/passwd"));  // not executable
    EXPECT_FALSE(isExecutableFile("/bin"));         // a folder
    EXPECT_FALSE(isExecutableFile("/no/such/file"));
}
