#include "platform/posix/linux_registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace yurana {

namespace {

// Registry names compare without regard to ASCII case.
bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// The MSINFO key, holding one string value.
class SysInfoKey : public RegistryKey {
  public:
    explicit SysInfoKey(std::string programPath) : program_(std::move(programPath)) {}

    std::optional<RegistryValue> queryValue(std::string_view name,
                                            std::size_t capacity) const override {
        if (!sameName(name, kMsInfoPathValue)) {
            return std::nullopt;
        }
        RegistryValue v;
        v.type = kRegString;
        v.data = program_ + '\0';  // stored strings carry their terminating NUL
        v.length = v.data.size();
        if (v.length > capacity) {
            return std::nullopt;  // the registry refuses a value larger than the buffer
        }
        return v;
    }

  private:
    std::string program_;
};

}  // namespace

std::optional<std::string> findOnPath(std::string_view pathVariable,
                                      std::span<const std::string_view> programs,
                                      const ExecutableTest& isExecutable) {
    for (std::string_view program : programs) {
        std::string_view rest = pathVariable;
        while (true) {
            std::size_t colon = rest.find(':');
            std::string_view dir = rest.substr(0, colon);
            if (!dir.empty() && dir.front() == '/') {
                std::string candidate(dir);
                if (candidate.back() != '/') {
                    candidate += '/';
                }
                candidate += program;
                if (isExecutable(candidate)) {
                    return candidate;
                }
            }
            if (colon == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(colon + 1);
        }
    }
    return std::nullopt;
}

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

LinuxRegistry::LinuxRegistry() : isExecutable_(isExecutableFile) {}

LinuxRegistry::LinuxRegistry(std::string pathVariable, ExecutableTest isExecutable)
    : pathVariable_(std::move(pathVariable)), isExecutable_(std::move(isExecutable)) {}

std::unique_ptr<RegistryKey> LinuxRegistry::openKey(RegistryRoot root, std::string_view path,
                                                    std::uint32_t /*access*/) {
    if (root != RegistryRoot::LocalMachine || !sameName(path, kMsInfoKey)) {
        return nullptr;
    }
    std::string searchPath;
    if (pathVariable_) {
        searchPath = *pathVariable_;
    } else if (const char* env = std::getenv("PATH")) {
        searchPath = env;
    }
    std::optional<std::string> program = findOnPath(searchPath, kSysInfoPrograms, isExecutable_);
    if (!program) {
        return nullptr;
    }
    return std::make_unique<SysInfoKey>(std::move(*program));
}

}  // namespace yurana
