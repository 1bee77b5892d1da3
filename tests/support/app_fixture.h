#pragma once

// The whole application for Qt tests: a recording message box, a clock driven by hand
// and the main loop stepped by the test (no timer).

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "app/application.h"
#include "support/fake_panel.h"

namespace yurana::test {

struct AppFixture {
    RecordingMessageBox box;
    ManualClock clock;
    std::unique_ptr<app::Application> app;

    AppFixture() {
        app::Application::Options o;
        o.box = &box;
        o.clock = &clock;
        o.runLoop = false;
        o.folder = QCoreApplication::applicationDirPath();
        clock.t = 100;
        app = std::make_unique<app::Application>(o);
        app->Main();
    }

    std::string text(const char* name) { return app->panel().text(name); }

    void type(const char* name, const char* text) {
        auto* edit = qobject_cast<QLineEdit*>(app->form1().control(name));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void click(const char* name) {
        QTest::mouseClick(qobject_cast<QAbstractButton*>(app->form1().control(name)),
                          Qt::LeftButton);
    }
};

}  // namespace yurana::test
