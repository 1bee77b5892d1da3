#pragma once

// The whole application for Qt tests: a recording message box, a clock driven by hand,
// a launcher that only records (no browser opens) and the main loop stepped by the test
// (no timer).

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/application.h"
#include "support/fake_launcher.h"
#include "support/fake_panel.h"

namespace yurana::test {

// The number after `label` in a read-out; NaN when there is none.
inline double numberAfter(const QString& text, const QString& label) {
    const QRegularExpression re(QRegularExpression::escape(label) + "([-0-9.e+]+)");
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : std::nan("");
}

// How many pixels of `image` have the colour.
inline int countColour(const QImage& image, QColor colour) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(rgb.constBits());
    return int(std::count(px, px + std::size_t(rgb.width()) * rgb.height(), colour.rgb()));
}

struct AppFixture {
    RecordingMessageBox box;
    ManualClock clock;
    FakeLauncher launcher;
    QTemporaryDir settings;  // nothing a test does is remembered for the next
    std::unique_ptr<app::Application> app;

    // `folder` holds the bitmaps and slots; `dialog` answers the exports' save dialogs;
    // `realBox`: the program's own modal message box instead of the recording one.
    explicit AppFixture(QString folder = QCoreApplication::applicationDirPath(),
                        app::Form2Options fullScreen = {}, qt::SaveDialog* dialog = nullptr,
                        bool realBox = false) {
        clock.t = 100;
        app = std::make_unique<app::Application>(
            app::Application::Options{.box = realBox ? nullptr : &box,
                                      .clock = &clock,
                                      .folder = folder,
                                      .runLoop = false,
                                      .fullScreen = std::move(fullScreen),
                                      .saveDialog = dialog,
                                      .launcher = &launcher,
                                      .settingsFile = settings.filePath("yurana.conf")});
        app->Main();
    }

    std::string text(std::string_view name) { return app->panel().text(name); }

    // True when the 表示 item `caption` stands after `before`, unchecked and checkable, and
    // triggered shows `window` checked: top level, owned by the frame, titled as the item
    // without its accelerator.
    bool viewOpens(const QString& caption, const QString& before, const QWidget& window) const {
        const QList<QAction*> items =
            app->frame().menuBar()->findChild<QMenu*>("ViewMenu")->actions();
        const qsizetype at = std::ranges::find(items, caption, &QAction::text) - items.begin();
        if (at <= 0 || at == items.size() || items[at - 1]->text() != before ||
            !items[at]->isCheckable() || items[at]->isChecked()) {
            return false;
        }
        items[at]->trigger();
        return window.isVisible() && window.isWindow() && items[at]->isChecked() &&
               window.windowTitle() == caption.chopped(4) && window.parentWidget() == &app->frame();
    }

    void type(const char* name, const char* text) {
        auto* edit = qobject_cast<QLineEdit*>(app->form1().control(name));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void click(const char* name) {
        QTest::mouseClick(qobject_cast<QAbstractButton*>(app->form1().control(name)),
                          Qt::LeftButton);
    }

    // Passes of the main loop, the clock moving `step` seconds before each.
    void run(int passes, double step) {
        for (int i = 0; i < passes; ++i) {
            clock.t += step;
            app->tick();
        }
    }
};

}  // namespace yurana::test
