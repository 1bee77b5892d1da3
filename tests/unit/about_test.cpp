#include <gtest/gtest.h>

#include <map>
#include <set>

#include "about/about_window.h"
#include "platform/posix/linux_registry.h"
#include "support/fake_launcher.h"
#include "support/fake_panel.h"

using namespace yurana;
using namespace std::string_literals;

namespace {

// Keys holding values; records every key opened.
struct FakeRegistry : Registry {
    using Values = std::map<std::string, RegistryValue, std::less<>>;
    struct Key : RegistryKey {
        explicit Key(const Values& values) : values(values) {}
        std::optional<RegistryValue> queryValue(std::string_view name, std::size_t) const override {
            auto it = values.find(name);
            return it == values.end() ? std::nullopt : std::optional(it->second);
        }
        const Values& values;
    };
    std::unique_ptr<RegistryKey> openKey(RegistryRoot, std::string_view p, std::uint32_t) override {
        opened.emplace_back(p);
        auto it = keys.find(std::string(p));
        return it == keys.end() ? nullptr : std::make_unique<Key>(it->second);
    }
    std::map<std::string, Values> keys;
    std::vector<std::string> opened;
};

using Strings = std::vector<std::string>;
const std::string kMsInfo(kMsInfoKey),
    kLocation(kSharedToolsLocationKey), kShared = "C:\\Shared\\MSINFO32.EXE";

struct About : ::testing::Test {
    FakeRegistry registry;
    test::FakeLauncher launcher;
    test::RecordingMessageBox box;
    AboutWindow about{registry, launcher, box};
    static RegistryValue str(std::string s) { return {kRegString, s, s.size()}; }
};

TEST_F(About, StartSysInfoTriesTheFirstValueThenTheSecondWithItsFile) {
    about.StartSysInfo();  // neither: the message once, nothing started
    EXPECT_EQ(std::tuple(box.texts, registry.opened, launcher.calls),
              std::tuple(Strings{"現時点ではｼｽﾃﾑ情報を使用できません"}, Strings{kMsInfo, kLocation},
                         Strings{}));
    registry.keys[kLocation]["MSINFO"] = str("C:\\Shared\0"s);
    about.StartSysInfo();  // only the second: started only when its file exists
    launcher.files.insert(kShared);
    about.StartSysInfo();
    EXPECT_EQ(launcher.calls, (Strings{"test " + kShared, "test " + kShared, "start " + kShared}));
    EXPECT_EQ(box.texts.size(), 2u);
    registry.keys[kMsInfo]["PATH"] = str("C:\\Tools\\msinfo32.exe\0"s);
    registry.opened = launcher.calls = {};
    about.StartSysInfo();  // the first: the second key is not read, no file test
    EXPECT_EQ(std::tuple(launcher.calls, registry.opened, box.texts.size()),
              std::tuple(Strings{"start C:\\Tools\\msinfo32.exe"}, Strings{kMsInfo}, 2u));
}

TEST_F(About, GetKeyValueByTypeAndTrailingNul) {
    const std::pair<RegistryValue, std::string> rows[] = {
        {str("path\0"s), "path"},
        {str("path\0\0"s), "path\0"s},  // exactly one NUL dropped
        {str("path"), "path"},
        {str(""), ""},
        {{kRegString, "abc\0garbage"s, 4}, "abc"},  // cut to the reported length first
        {{kRegDword, "\x10\x27\x01\x02"s, 4}, "33629968"},
        {{kRegDword, "\xff\xff\xff\xff"s, 4}, "4294967295"},
        {{3, "\x01\x02"s, 2}, "as passed"},  // another type leaves the out value
    };
    for (const auto& [value, expected] : rows) {
        registry.keys["K"]["V"] = value;
        std::string out = "as passed";
        EXPECT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "V", out));
        EXPECT_EQ(out, expected) << value.data;
    }
    for (const char* key : {"K", "None"}) {  // a missing value or key empties the out value
        std::string out = "as passed";
        EXPECT_FALSE(about.GetKeyValue(RegistryRoot::LocalMachine, key, "None", out));
        EXPECT_EQ(out, "");
    }
}

TEST_F(About, LinuxRegistryNamesTheFirstProgramInPreferenceThenPathOrderAndTheVersion) {
    auto existing = [](std::set<std::string> files) -> ExecutableTest {
        return [files](const std::string& p) { return files.contains(p); };
    };
    std::string_view programs[] = {"hardinfo", "kinfocenter"};
    const char* path = "::rel:/a:/b/:";  // empty and relative entries skipped
    EXPECT_EQ(findOnPath(path, programs, existing({"/a/kinfocenter", "/b/hardinfo"})),
              "/b/hardinfo");
    EXPECT_EQ(findOnPath(path, programs, existing({"/a/kinfocenter", "/b/kinfocenter"})),
              "/a/kinfocenter");
    EXPECT_EQ(findOnPath(path, programs, existing({"rel/hardinfo"})), std::nullopt);

    LinuxRegistry onLinux("/usr/bin", existing({"/usr/bin/kinfocenter", "/usr/bin/hardinfo"}));
    AboutWindow(onLinux, launcher, box).StartSysInfo();
    EXPECT_EQ(launcher.calls, Strings{"start /usr/bin/hardinfo"});

    // The version caption: major, minor and revision in plain digits.
    EXPECT_EQ(versionCaption(parseVersion("10.x.25.4")), "ﾊﾞｰｼﾞｮﾝ 10.0.25");
    EXPECT_EQ(versionCaption(programVersion()), "ﾊﾞｰｼﾞｮﾝ "s + YURANA_VERSION);
}

}  // namespace
