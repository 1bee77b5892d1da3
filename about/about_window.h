#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/launcher.h"
#include "platform/message_box.h"
#include "platform/registry.h"

namespace yurana {

// The product title shown by the About window (lblTitle).
inline constexpr std::string_view kProductTitle = "ユラナ";
// Shown when no system-information tool can be started.
inline constexpr std::string_view kMsgSysInfoUnavailable = "現時点ではｼｽﾃﾑ情報を使用できません";
// The tool's file inside the folder named by the Shared Tools Location value.
inline constexpr std::string_view kMsInfoExe = "\\MSINFO32.EXE";
// Bytes of the buffer a registry value is read into.
inline constexpr std::size_t kKeyValueBufferSize = 1024;

// The program's version record.
struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// "major.minor.revision" (missing or non-numeric parts read as 0; further parts ignored).
Version parseVersion(std::string_view text);
// The version the program was built as (one number, defined by the build).
Version programVersion();
// The caption of lblVersion: "ﾊﾞｰｼﾞｮﾝ " then major.minor.revision in plain digits.
std::string versionCaption(const Version& v);

// The logic behind the About window's system-information button.
class AboutWindow {
  public:
    AboutWindow(Registry& registry, Launcher& launcher, MessageBox& box)
        : registry_(registry), launcher_(launcher), box_(box) {}

    // Starts the system-information tool named by the registry, or says it cannot.
    void StartSysInfo();

    // Reads value `subKeyRef` of key `keyName` under `root`. A string gives its text, a
    // 32-bit number its decimal text; another type leaves `keyVal` as passed. False, with
    // `keyVal` empty, when the key or the value cannot be read.
    bool GetKeyValue(RegistryRoot root, std::string_view keyName, std::string_view subKeyRef,
                     std::string& keyVal);

  private:
    // The path of the tool to start, or empty when the registry names none.
    std::string sysInfoPath();

    Registry& registry_;
    Launcher& launcher_;
    MessageBox& box_;
};

}  // namespace yurana
