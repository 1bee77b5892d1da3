#pragma once

// The one Qt application object the Qt benchmarks need (offscreen), created on first use.

#include <QApplication>
#include <filesystem>
#include <string>

#include "platform/qt/fonts.h"

namespace yurana::bench {

inline void ensureQtApplication() {
    static int argc = 1;
    static char name[] = "yurana_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        qt::installFontSubstitutions();
        return a;
    }();
    (void)app;
}

// The bitmaps of the source tree.
inline const std::string kDataFolder =
    (std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string();

}  // namespace yurana::bench
