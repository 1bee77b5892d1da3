#pragma once

// A whole session on test doubles: the panel, the clock and the message box of
// fake_panel.h, slot files in a folder of the test's own, surfaces that count, pictures
// that count, window geometries as plain values, and a host that logs what it is asked.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/calc_error.h"
#include "panel/panel_controls.h"
#include "platform/posix/posix_files.h"
#include "session/session.h"
#include "support/counting_picture.h"
#include "support/design_windows.h"
#include "support/fake_panel.h"
#include "support/sized_surfaces.h"
#include "support/temp_folder.h"

namespace yurana::test {

// Logs the windows' part; showing the full-screen view can be made to fail.
struct FakeSessionHost : SessionHost {
    void setShown(ProgramWindow w, bool shown) override { this->shown[w] = shown; }
    void sizePicture1(double, double) override {}
    FramePresenter& openFullScreen() override {
        log += "open2;";
        return fullScreen;
    }
    void showFullScreen(const Scene&) override {
        log += "show2;";
        if (failShow) {
            throw calc_error(calc_error::Kind::InvalidCall, "no screen");
        }
    }
    void hideFullScreen() override { log += "hide2;"; }
    void closeFullScreen() override { log += "close2;"; }
    void showAbout() override { log += "about;"; }
    void quit() override { log += "quit;"; }
    void processEvents() override {
        ++events;
        if (duringEvents) {
            duringEvents();
        }
    }

    std::map<ProgramWindow, bool> shown;
    SizedSurfaces fullScreen;  // presents Form2's frames
    std::string log;
    std::function<void()> duringEvents;  // a handler run while events are let through
    int events = 0;
    bool failShow = false;
};

// Records every announcement.
struct RecordingObserver : SessionObserver {
    void changed(unsigned what) override { seen.push_back(what); }
    // The announcements since the last call, or'ed.
    unsigned take() {
        unsigned all = 0;
        for (unsigned w : seen) {
            all |= w;
        }
        seen.clear();
        return all;
    }
    std::vector<unsigned> seen;
};

// What the scene and the graph draw on, where not the rig's counting doubles.
struct SessionDrawing {
    SurfaceFactory* surfaces = nullptr;
    FramePresenter* animation = nullptr;
    Picture* plot = nullptr;
    Picture* summary = nullptr;
    std::string bitmapFolder = "data";
};

// The frame 12000 × 9000 twips, form0 4800 × 3600, the panel beside it, the graph under.
struct SessionRig : DesignWindows {
    explicit SessionRig(const SessionDrawing& d = {})
        : session(SessionParts{.panel = panel,
                               .box = box,
                               .clock = clock,
                               .files = files,
                               .slotFolder = folder.path(),
                               .surfaces = d.surfaces != nullptr ? *d.surfaces : surfaces,
                               .bitmapFolder = d.bitmapFolder,
                               .fullScreenSurfaces = host.fullScreen,
                               .fullScreenFolder = d.bitmapFolder,
                               .animation = d.animation != nullptr ? *d.animation : surfaces,
                               .plot = d.plot != nullptr ? *d.plot : plot,
                               .summary = d.summary != nullptr ? *d.summary : summary,
                               .windows = windows,
                               .content = content,
                               .host = host}) {
        panel.setChangeHandler([this](std::string_view c) { session.textChanged(c); });
        clock.t = 1000;
        session.subscribe(observer);
    }

    FakePanel panel;
    RecordingMessageBox box;
    ManualClock clock;
    PosixFiles files;
    TempFolder folder;
    SizedSurfaces surfaces;  // the animation window's
    CountingPicture plot, summary;
    FakeSessionHost host;
    Session session;
    RecordingObserver observer;

    // Passes at 60 a second.
    void passes(int n) {
        for (int i = 0; i < n; ++i) {
            clock.t += 1.0 / 60;
            session.pass();
        }
    }
};

}  // namespace yurana::test
