#include "storage/slot_folder.h"

#include <cstdlib>

namespace yurana {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

UserFolders userFolders() {
    return {environment("XDG_DATA_HOME"), environment("HOME")};
}

std::string userDataFolder(const UserFolders& user) {
    if (user.dataHome.starts_with('/')) {
        return user.dataHome + "/yurana";
    }
    if (user.home.empty()) {
        return {};
    }
    return user.home + "/.local/share/yurana";
}

std::string slotFolder(Files& files, const std::string& programFolder, const UserFolders& user) {
    if (files.canCreateFiles(programFolder)) {
        return programFolder;
    }
    std::string data = userDataFolder(user);
    return data.empty() ? programFolder : data;
}

}  // namespace yurana
