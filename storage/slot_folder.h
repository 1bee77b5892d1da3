#pragma once

#include <string>

#include "platform/files.h"

namespace yurana {

// The user's base folders as the environment gives them (XDG_DATA_HOME, HOME); empty
// when unset.
struct UserFolders {
    std::string dataHome;
    std::string home;
};

// The environment's UserFolders.
UserFolders userFolders();

// The user's data folder for the program: $XDG_DATA_HOME/yurana, or
// $HOME/.local/share/yurana when XDG_DATA_HOME is unset, empty or relative.
std::string userDataFolder(const UserFolders& user);

// Where the slot files live: the program's folder when a new file can be made there (the
// build tree, a copy in the user's home), otherwise the user's data folder (an installed
// program). Without a home either, the program's folder: its save then fails by name.
std::string slotFolder(Files& files, const std::string& programFolder, const UserFolders& user);

}  // namespace yurana
