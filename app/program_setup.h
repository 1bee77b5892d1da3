#pragma once

#include <QString>

namespace yurana::app {

// The folder of the bitmaps, the guide and the window icons: the program's own folder
// when the bitmaps are there (the build tree), otherwise ../share/yurana beside it (an
// installation: bin/yurana and share/yurana/).
QString programDataFolder();

// Qt's own texts in Japanese, from Qt's installed translations.
void installJapaneseQtTexts();

// What the program sets on the QApplication before any window exists: its name (the
// window class), its icon, the font substitutions and Qt's texts in Japanese. No display
// name: the platform would append it to every title ("Save2 — ユラナ"), and every title
// stands as given.
void setUpProgram();

}  // namespace yurana::app
