#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace yurana {

// System-information programs, most fitting first: hardware and system summaries, then
// the desktops' own information centres and system monitors.
inline constexpr std::string_view kSysInfoPrograms[] = {
    "hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
};

// True when `path` names a file the user may run.
using ExecutableTest = std::function<bool(const std::string& path)>;

// The first of `programs` (in their order) found in the directories of `pathVariable`
// (colon-separated, searched in order) as an executable file, as a full path. Empty and
// relative directory entries are skipped: the result is always absolute.
std::optional<std::string> findOnPath(std::string_view pathVariable,
                                      std::span<const std::string_view> programs,
                                      const ExecutableTest& isExecutable);

// A regular file with execute permission for this user.
bool isExecutableFile(const std::string& path);

// The registry on Linux: no keys at all, except the system-information tool's key,
// whose PATH value (a string with its trailing NUL, as the registry stores it) is the
// first system-information program found on the search path. The search runs anew
// at each opening, so a tool installed while the program runs is found.
class LinuxRegistry : public Registry {
  public:
    // Searches the PATH of the environment, for executable files.
    LinuxRegistry();
    // Searches `pathVariable` with `isExecutable` (tests).
    LinuxRegistry(std::string pathVariable, ExecutableTest isExecutable);

    std::unique_ptr<RegistryKey> openKey(RegistryRoot root, std::string_view path,
                                         std::uint32_t access) override;

  private:
    std::optional<std::string> pathVariable_;  // none: read the environment's PATH
    ExecutableTest isExecutable_;
};

}  // namespace yurana
