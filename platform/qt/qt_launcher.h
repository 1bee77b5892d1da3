#pragma once

#include "platform/launcher.h"

namespace yurana::qt {

// Programs started detached with QProcess, files tested with QFileInfo, documents
// handed to the desktop with QDesktopServices.
class QtLauncher : public Launcher {
  public:
    bool startProgram(const std::string& path) override;
    bool fileExists(const std::string& path) const override;
    bool openDocument(const std::string& target) override;
};

}  // namespace yurana::qt
