#pragma once

#include <string>

namespace yurana {

// What the desktop does for the program: starting other programs, testing files and
// handing documents to their default viewers.
class Launcher {
  public:
    virtual ~Launcher() = default;

    // Starts the program file at `path` on its own, in a normal focused window; false
    // when it could not be started.
    virtual bool startProgram(const std::string& path) = 0;

    // True when a regular file exists at `path`.
    virtual bool fileExists(const std::string& path) const = 0;

    // Opens `target` with the desktop's default handler: a web address or file URL
    // ("https://...", "file:///..."), or an absolute local path. False when no handler
    // took it.
    virtual bool openDocument(const std::string& target) = 0;
};

}  // namespace yurana
