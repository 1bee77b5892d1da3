#include "about/about_window.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>

namespace yurana {

namespace {

int parseComponent(std::string_view part) {
    int value = 0;
    auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    return ec == std::errc{} && end == part.data() + part.size() ? value : 0;
}

// A REG_DWORD's value from its little-endian bytes; bytes cut off (a high zero byte
// taken for a trailing NUL) count as zero.
std::uint32_t dwordValue(std::string_view bytes) {
    std::uint32_t value = 0;
    std::size_t n = std::min<std::size_t>(bytes.size(), 4);
    for (std::size_t i = 0; i < n; ++i) {
        value |= std::uint32_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return value;
}

}  // namespace

Version parseVersion(std::string_view text) {
    int parts[3] = {0, 0, 0};
    for (int& part : parts) {
        std::size_t dot = text.find('.');
        part = parseComponent(text.substr(0, dot));
        if (dot == std::string_view::npos) {
            break;
        }
        text.remove_prefix(dot + 1);
    }
    return {parts[0], parts[1], parts[2]};
}

Version programVersion() {
    return parseVersion(YURANA_VERSION);
}

std::string versionCaption(const Version& v) {
    return "ﾊﾞｰｼﾞｮﾝ " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

void AboutWindow::StartSysInfo() {
    bool started = false;
    try {
        std::string path = sysInfoPath();
        started = !path.empty() && launcher_.startProgram(path);
    } catch (const std::exception&) {
        // Any failure on the way means the tool cannot be used now: the message below.
        started = false;
    }
    if (!started) {
        box_.show(kMsgSysInfoUnavailable);
    }
}

std::string AboutWindow::sysInfoPath() {
    std::string path;
    if (GetKeyValue(RegistryRoot::LocalMachine, kMsInfoKey, kMsInfoPathValue, path)) {
        return path;
    }
    if (GetKeyValue(RegistryRoot::LocalMachine, kSharedToolsLocationKey, kMsInfoFolderValue,
                    path)) {
        std::string exe = path + std::string(kMsInfoExe);
        if (launcher_.fileExists(exe)) {
            return exe;
        }
    }
    return {};
}

bool AboutWindow::GetKeyValue(RegistryRoot root, std::string_view keyName,
                              std::string_view subKeyRef, std::string& keyVal) {
    // The key closes when `key` goes out of scope, on every path.
    std::unique_ptr<RegistryKey> key = registry_.openKey(root, keyName, kKeyAllAccess);
    if (!key) {
        keyVal.clear();
        return false;
    }
    std::optional<RegistryValue> value = key->queryValue(subKeyRef, kKeyValueBufferSize);
    if (!value) {
        keyVal.clear();
        return false;
    }
    std::string_view data(value->data);
    data = data.substr(0, std::min(value->length, data.size()));
    if (!data.empty() && data.back() == '\0') {
        data.remove_suffix(1);
    }
    switch (value->type) {
        case kRegString:
            keyVal = std::string(data);
            break;
        case kRegDword:
            keyVal = std::to_string(dwordValue(data));
            break;
        default:
            break;
    }
    return true;
}

}  // namespace yurana
