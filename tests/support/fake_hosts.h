#pragma once

// The windows around the run controls and the main loop, as logs a test reads.

#include <functional>
#include <string>
#include <vector>

#include "animation/main_loop.h"
#include "animation/run_controls.h"
#include "model/calc_error.h"

namespace yurana::test {

inline void callIfSet(const std::function<void()>& f) {
    if (f) {
        f();
    }
}

// Logs what the run controls ask of the windows; the graph redraw can be made to fail.
struct FakeRunHost : RunHost {
    explicit FakeRunHost(std::string& sharedLog) : log(sharedLog) {}
    void resetPen() override { log += "pen;"; }
    void graph_haikei() override {
        log += "haikei;";
        if (failHaikei) {
            throw calc_error(calc_error::Kind::InvalidCall, "narrow");
        }
    }
    void clearGraph() override { log += "clear;"; }
    void quit() override { log += "quit;"; }
    void processEvents() override { ++events; }
    void showAbout() override { log += "about;"; }
    void enterFullScreen() override { log += "full;"; }

    std::string& log;
    int events = 0;
    bool failHaikei = false;
};

// Logs what one pass of the main loop asks of the windows; blt and the plot step run
// what the test gives them.
struct FakeLoopHost : LoopHost {
    explicit FakeLoopHost(std::string& sharedLog) : log(sharedLog) {}
    bool layoutPending() override { return pending; }
    void haichi() override { log += "haichi;"; }
    void unloadForm2() override { log += "unload2;"; }
    void showForm2() override { log += "show2;"; }
    void unloadForm0() override { log += "unload0;"; }
    void blt() override {
        log += "blt;";
        callIfSet(onBlt);
    }
    void plotStep(double t, const std::function<void()>& between) override {
        plotted.push_back(t);
        log += "plot;";
        between();
        callIfSet(afterBetween);
    }

    bool pending = false;
    std::string& log;
    std::vector<double> plotted;
    std::function<void()> onBlt;
    std::function<void()> afterBetween;
};

}  // namespace yurana::test
