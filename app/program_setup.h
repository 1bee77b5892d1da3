#pragma once

namespace yurana::app {

// What the program sets on the QApplication before any window exists: its name (the
// window class), its icon and the font substitutions. No display name: the platform
// would append it to every title ("Save2 — ユラナ"), and every title stands as given.
void setUpProgram();

}  // namespace yurana::app
