#include "session/session.h"

#include <algorithm>
#include <cmath>

#include "about/about_ok.h"
#include "analysis/extrema.h"
#include "layout/arrange.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "panel/control_names.h"
#include "panel/messages.h"
#include "panel/panel_copy.h"
#include "panel/run_buttons.h"

namespace yurana {

class Session::Operation {
  public:
    explicit Operation(Session& s) : s_(s) { ++s_.depth_; }
    ~Operation() {
        if (--s_.depth_ == 0) {
            s_.announce();
        }
    }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

  private:
    Session& s_;
};

Session::Session(SessionParts p)
    : panel_(p.panel),
      box_(p.box),
      clock_(p.clock),
      host_(p.host),
      fullScreenSurfaces_(p.fullScreenSurfaces),
      fullScreenFolder_(std::move(p.fullScreenFolder)),
      parameters_(p.panel, record_, run_, p.box,
                  [&plot = p.plot] {
                      return GraphSize{static_cast<float>(plot.clientWidth()),
                                       static_cast<float>(plot.clientHeight())};
                  }),
      graph_(p.plot, p.summary, p.panel, record_, pen_),
      scene_(p.surfaces, std::move(p.bitmapFolder), SceneInputs{step_, run_, record_, p.clock},
             p.animation),
      controls_(p.panel, run_, record_, parameters_, p.clock, p.box, *this),
      loop_(run_, record_, step_, p.panel, *this),
      slots_(p.panel, run_, p.box, p.files, std::move(p.slotFolder)),
      layout_{p.windows, p.content, tables_, flags_, *this} {}

Session::~Session() = default;

void Session::subscribe(SessionObserver& observer) {
    observers_.push_back(&observer);
}

const ModelRecord& Session::analysedRecord() const {
    return preview_ ? *preview_ : record_;
}

void Session::announce() {
    if (parameters_.recomputed()) {
        preview_.reset();
    } else if (previewStale_) {
        preview_ = calculatedRecord(panel_);
        previewStale_ = false;
    }
    const unsigned what = tracker_.update(analysedRecord(), record_, run_);
    if (what == 0) {
        return;
    }
    for (SessionObserver* o : observers_) {
        o->changed(what);
    }
}

// Start-up and the load handler.

void Session::Main() {
    Operation op(*this);
    panel_.setVisible(ctl::Command3, false);
    host_.setShown(ProgramWindow::Form1, false);
    form0Load();
}

void Session::form0Load() {
    Operation op(*this);
    for (ProgramWindow w : {ProgramWindow::Form0, ProgramWindow::Form1, ProgramWindow::Form3}) {
        host_.setShown(w, false);
    }
    arrangeInitAndShow();
    form0Loaded_ = true;
}

void Session::arrangeInitAndShow(bool told) {
    arrangeWindows(told);
    if (run_.joutai == kJoutaiEmpty) {
        run_.joutai = kStopped;
    }
    initForm0();
    step_.xpix = 0;
    for (ProgramWindow w :
         {ProgramWindow::Form0, ProgramWindow::Form1, ProgramWindow::Form3, ProgramWindow::Frame}) {
        host_.setShown(w, true);
    }
    // The arrangement just made is the one that counts: a layout request left by a
    // failed pass must not fail the next pass again.
    flags_.saihaichi = false;
}

void Session::arrangeWindows(bool told) {
    // A second failure in a row is the same failure: go on with what there is rather
    // than asking forever, and tell the user once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            arrange(layout_.windows, flags_);
            // A freshly loaded form0 is resized by the arrangement and so re-tiles through
            // its resize handling; the window kept here may already have that size, so run
            // the handling in any case: the windows must end up tiled.
            yurana::form0Resized(layout_);
            return;
        } catch (const calc_error&) {
            reportFailure(!told);
            told = true;
        }
    }
}

void Session::initForm0() {
    try {
        scene_.init();
    } catch (const bitmap_error& e) {
        // Reported once, by name; the picture stays empty and the rest works. The next
        // load of the animation window tries again.
        box_.show(bitmapFailedText(e.file()));
    }
}

void Session::reportFailure(bool tell) {
    if (tell) {
        box_.show(kMsgBadRun);
    }
    record_.tmin = 0;
    run_.joutai = kStopped;
}

void Session::pass() {
    if (nested_ > 0 || inPass_) {
        return;
    }
    Operation op(*this);
    inPass_ = true;
    retired_.reset();
    if (form0Loaded_) {
        try {
            loop_.pass();
        } catch (const calc_error&) {
            reportFailure();
            arrangeInitAndShow(true);
        }
    } else if (fullScreen_ != nullptr) {
        try {
            fullScreen_->frame();
        } catch (const calc_error&) {
            // A frame that fails (a magnification that is no number, an overflow) ends
            // full screen; the animation window's loop then reports it if it persists.
            leaveFullScreen();
        }
    }
    inPass_ = false;
}

// The panel's buttons.

void Session::perform(PanelAction action, int slot) {
    Operation op(*this);
    silently([&] {
        // No default: a new action the compiler sees unhandled here (-Wswitch).
        switch (action) {
            case PanelAction::None:
                return;
            case PanelAction::Calculate:
                return parameters_.calculate();
            case PanelAction::StartStop:
                return controls_.startStop();
            case PanelAction::Pause:
                return controls_.pause();
            case PanelAction::Clear:
                return controls_.clear();
            case PanelAction::ApplyChanges:
                return controls_.applyChanges();
            case PanelAction::Quit:
                return controls_.quit();
            case PanelAction::EnterFullScreen:
                return controls_.enterFullScreen();
            case PanelAction::OpenAbout:
                return controls_.openAbout();
            case PanelAction::LoadSlot:
                return slots_.yomikomi(slot);
            case PanelAction::SaveSlot:
                return slots_.hozon(slot);
        }
    });
}

void Session::loadExample(const Example& e) {
    Operation op(*this);
    silently([&] {
        applyExample(e, panel_, run_, parameters_);
        resetPen();
        graph_haikei();
    });
}

void Session::loadIdentified(std::optional<double> m, double k, double c) {
    Operation op(*this);
    silently([&] {
        stopRun(panel_, run_);
        if (m) {
            panel_.setText(ctl::Textm, num::singleText(num::toSingle(*m)));
        }
        panel_.setText(ctl::Textk, num::singleText(num::toSingle(k)));
        panel_.setText(ctl::Textc, num::singleText(num::toSingle(c)));
        parameters_.calculate();
    });
}

bool Session::canSetTime() const {
    return run_.joutai == kRunning || run_.joutai == kStopped;
}

bool Session::setTime(double t) {
    if (!canSetTime() || !std::isfinite(t)) {
        return false;
    }
    Operation op(*this);
    if (run_.joutai == kStopped) {
        perform(PanelAction::StartStop);
        if (run_.joutai != kRunning) {
            return false;  // 開始 failed and said why
        }
    }
    if (run_.ichijiteishi == 0) {
        perform(PanelAction::Pause);
    }
    // Held to the run's window, as the cursor's slider is.
    const double lo = std::min(record_.tmin, record_.tmax),
                 hi = std::max(record_.tmin, record_.tmax);
    seekPaused(run_, std::clamp(t, lo, hi), record_.tmin, record_.jikanbairitu);
    // The curves go on from the new time, with no line back to where they stood.
    resetPen();
    return true;
}

bool Session::stepFrames(int frames) {
    return setTime(time() + frames * analysedRecord().jikanbairitu / 60.0);
}

bool Session::stepExtremum(int direction) {
    const ModelRecord& r = analysedRecord();
    const std::optional<double> t = direction > 0 ? analysis::nextExtremum(r, time(), r.tmax)
                                                  : analysis::previousExtremum(r, time(), r.tmin);
    return t && setTime(*t);
}

bool Session::setTimeToEnd(bool tmax) {
    return setTime(tmax ? analysedRecord().tmax : analysedRecord().tmin);
}

// Notifications.

void Session::textChanged(std::string_view control) {
    Operation op(*this);
    previewStale_ = true;
    silently([&] { parameters_.textChanged(control); });
}

void Session::frameResized() {
    Operation op(*this);
    yurana::frameResized(flags_);
}

void Session::form0Resized() {
    Operation op(*this);
    yurana::form0Resized(layout_);
}

void Session::hscroll1Changed() {
    Operation op(*this);
    yurana::hscroll1Changed(layout_.windows.hscroll1, layout_.content, tables_);
}

void Session::vscroll1Changed() {
    Operation op(*this);
    yurana::vscroll1Changed(layout_.windows.vscroll1, layout_.content, tables_);
}

void Session::animationRepaint() {
    Operation op(*this);
    scene_.invalidate();
    if (run_.joutai != kRunning) {
        return;
    }
    try {
        scene_.blt();
    } catch (const calc_error&) {
        // Skip this frame; the canvas still holds the last one.
    }
}

void Session::animationResized() {
    scene_.invalidate();
}

void Session::summaryRepaint() {
    Operation op(*this);
    try {
        graph_haikei();
    } catch (const calc_error&) {
        // The panel's paint handling ignores a failed redraw.
    }
}

void Session::fullScreenRepaint() {
    if (fullScreen_ == nullptr) {
        return;
    }
    Operation op(*this);
    try {
        fullScreen_->frame();
    } catch (const calc_error&) {
        // The last frame stays; the pump's next pass meets the same failure and leaves.
    }
}

void Session::aboutClosed() {
    Operation op(*this);
    cmdOK_Click(panel_, run_);
}

void Session::fullScreenClicked() {
    Operation op(*this);
    leaveFullScreen();
}

// Full screen.

void Session::enterFullScreen() {
    if (fullScreen_ != nullptr) {
        return;  // already loaded and shown
    }
    FramePresenter& presenter = host_.openFullScreen();
    fullScreen_ = std::make_unique<FullScreenView>(fullScreenSurfaces_, fullScreenFolder_,
                                                   FullScreenInputs{run_, record_, panel_, clock_},
                                                   presenter, static_cast<FullScreenHost&>(*this));
    try {
        host_.showFullScreen(fullScreen_->scene());
        fullScreen_->init();
    } catch (const bitmap_error& e) {
        leaveFullScreen();
        box_.show(bitmapFailedText(e.file()));
    } catch (const calc_error&) {
        // No full screen: straight back to the animation window, running.
        leaveFullScreen();
    }
}

void Session::leaveFullScreen() {
    // Once: the view is retired as it unloads, so a second click finds none.
    if (fullScreen_ != nullptr) {
        fullScreen_->Click();
    }
}

void Session::hide() {
    host_.hideFullScreen();
}

void Session::showWindows() {
    host_.setShown(ProgramWindow::Form0, true);
    host_.setShown(ProgramWindow::Form1, true);
}

void Session::reloadForm0() {
    scene_.release();
    form0Load();
}

void Session::unloadForm2() {
    if (fullScreen_ == nullptr) {
        return;
    }
    host_.closeFullScreen();
    // The view may be unloading itself (EndIt): it is deleted at the next pass.
    retired_ = std::move(fullScreen_);
}

void Session::unloadForm0() {
    if (fullScreen_ == nullptr || !form0Loaded_) {
        return;  // the hand-over needs the view up
    }
    scene_.release();
    host_.setShown(ProgramWindow::Form0, false);
    form0Loaded_ = false;
}

// The run controls' and the main loop's other needs.

void Session::resetPen() {
    graph::resetPen(pen_);
}

void Session::graph_haikei() {
    graph_.graph_haikei();
}

void Session::clearGraph() {
    graph_.clear();
}

void Session::quit() {
    host_.quit();
}

void Session::processEvents() {
    ++nested_;
    host_.processEvents();
    --nested_;
}

void Session::showAbout() {
    host_.showAbout();
}

void Session::haichi() {
    yurana::haichi(layout_);
}

void Session::blt() {
    scene_.blt();
}

void Session::plotStep(double t, const std::function<void()>& between) {
    graph_.plotStep(t, step_, between);
}

void Session::sizePicture1(double width, double height) {
    host_.sizePicture1(width, height);
}

}  // namespace yurana
