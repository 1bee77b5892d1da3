#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/launcher.h"

namespace yurana::test {

// Records each file test and program start in `calls`, in order, and each document
// opened in `opened`; only the paths in `files` exist.
struct FakeLauncher : Launcher {
    bool startProgram(const std::string& path) override {
        calls.push_back("start " + path);
        return true;
    }
    bool fileExists(const std::string& path) const override {
        calls.push_back("test " + path);
        return files.contains(path);
    }
    bool openDocument(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    std::set<std::string> files;
    mutable std::vector<std::string> calls;
    std::vector<std::string> opened;
};

}  // namespace yurana::test
