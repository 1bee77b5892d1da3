#include "animation/full_screen.h"

#include <utility>

#include "model/numbers.h"
#include "panel/control_names.h"

namespace yurana {

namespace {

// The full screen's back buffer and the wall band's height at rest, px.
constexpr PixelSize kBackBuffer{640, 480};
constexpr int kWallBand = 24;

}  // namespace

void advanceFullScreenClock(RunState& run, double T, const ModelRecord& record) {
    if (run.ichijiteishi == 0) {
        run.jikan = num::mul(num::sub(T, run.timer0), record.jikanbairitu);
    }
}

SceneVariant fullScreenVariant() {
    SceneVariant v;
    v.fixedSize = kBackBuffer;
    v.y0 = kWallBand;
    v.secondsUnit = " 秒";
    v.advance = advanceFullScreenClock;
    return v;
}

FullScreenView::FullScreenView(SurfaceFactory& factory, std::string folder, FullScreenInputs inputs,
                               FramePresenter& presenter, FullScreenHost& windows)
    : in_(inputs),
      windows_(windows),
      scene_(factory, std::move(folder), SceneInputs{step_, in_.run, in_.record, in_.clock},
             presenter, fullScreenVariant()) {}

void FullScreenView::init() {
    scene_.init();
}

void FullScreenView::yurana() {
    evaluateResponse(in_.record, in_.run.jikan, in_.panel.text(ctl::Texthenibairitu),
                     in_.panel.value(ctl::Check1), step_, true);
}

void FullScreenView::blt() {
    scene_.blt();
}

void FullScreenView::frame() {
    if (in_.run.joutai != kFullScreen) {
        return;
    }
    yurana();
    blt();
}

void FullScreenView::Click() {
    in_.panel.setText(ctl::Command2, "停止");
    EndIt();
}

void FullScreenView::EndIt() {
    windows_.hide();
    windows_.showWindows();
    in_.run.joutai = kRunning;
    windows_.reloadForm0();
    scene_.release();
    windows_.unload();
}

}  // namespace yurana
