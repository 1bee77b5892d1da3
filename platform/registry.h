#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace yurana {

// A hierarchical store of named, typed values under fixed roots, read the way the
// Windows registry is read: open a key, query a value into a buffer, close the key.
enum class RegistryRoot {
    LocalMachine,  // HKEY_LOCAL_MACHINE
};

// Value types the callers tell apart; the store may hold others.
inline constexpr std::uint32_t kRegString = 1;  // REG_SZ: text, normally ending in one NUL
inline constexpr std::uint32_t kRegDword = 4;   // REG_DWORD: 32-bit little-endian number

// Access asked for when opening a key: read control (131072) and all six key rights (63).
inline constexpr std::uint32_t kKeyAllAccess = 131135;

// The system-information tool's full path, as Windows keeps it.
inline constexpr std::string_view kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kMsInfoPathValue = "PATH";
// The folder of the system-information tool, as older Windows versions keep it.
inline constexpr std::string_view kSharedToolsLocationKey =
    "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kMsInfoFolderValue = "MSINFO";

// One value as a query returns it: its type, the bytes placed in the caller's buffer
// and the length the store reports for them (which may differ from data.size()).
struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;
    std::size_t length = 0;
};

// An open key; destroying it closes it.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;

    // The named value read into a buffer of `capacity` bytes; nothing when the value
    // does not exist, cannot be read or does not fit.
    virtual std::optional<RegistryValue> queryValue(std::string_view name,
                                                    std::size_t capacity) const = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;

    // The key `path` (backslash-separated, case-insensitive) under `root`, or null when
    // it does not exist or cannot be opened with `access`.
    virtual std::unique_ptr<RegistryKey> openKey(RegistryRoot root, std::string_view path,
                                                 std::uint32_t access) = 0;
};

}  // namespace yurana
