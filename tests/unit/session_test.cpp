// The session on test doubles: what every panel button does in every run state, what it
// announces, the load handler's recovery, full screen's entry and exit, and a day's run.

#include "session/session.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "panel/control_names.h"
#include "panel/messages.h"
#include "support/session_rig.h"

namespace yurana {
namespace {

using namespace std::string_literals;

// The run states a user can be in when pressing a button.
enum class State { Stopped, Running, Paused, FullScreen, AboutRunning, AboutPaused };

struct Button {
    const char* name;
    PanelAction action;
};

const Button kButtons[] = {
    {ctl::Command_keisan, PanelAction::Calculate}, {ctl::Command2, PanelAction::StartStop},
    {ctl::Command6, PanelAction::Pause},           {ctl::Command5, PanelAction::Clear},
    {ctl::Command3, PanelAction::ApplyChanges},    {ctl::Command1, PanelAction::Quit},
    {ctl::Command4, PanelAction::EnterFullScreen}, {ctl::cmdtest, PanelAction::OpenAbout},
    {ctl::Cmd_Load[1], PanelAction::LoadSlot},     {ctl::Cmd_Save[1], PanelAction::SaveSlot},
};

// A started session brought into `state`, the panel's texts not the defaults' (m 2, tmin 1.5).
void enter(test::SessionRig& r, State state) {
    r.panel.setText(ctl::Textm, "2");
    r.panel.setText(ctl::Texttmin, "1.5");
    r.session.Main();
    r.session.perform(PanelAction::SaveSlot, 1);  // Load1 then finds its file
    r.passes(2);
    auto press = [&](PanelAction a) {
        r.session.perform(a);
        r.passes(3);
    };
    switch (state) {
        case State::Stopped:
            break;
        case State::Running:
        case State::AboutRunning:
            press(PanelAction::StartStop);
            break;
        case State::Paused:
        case State::AboutPaused:
            press(PanelAction::StartStop);
            press(PanelAction::Pause);
            break;
        case State::FullScreen:
            press(PanelAction::EnterFullScreen);
            break;
    }
    if (state == State::AboutRunning || state == State::AboutPaused) {
        press(PanelAction::OpenAbout);
    }
    r.host.log.clear();
    r.box.texts.clear();
}

// What a press leaves: joutai, the pause flag, Command2's caption, whether 変更 is shown,
// what the windows were asked and how many messages were shown; "disabled" when the
// button cannot be pressed.
std::string outcome(State state, const Button& b) {
    test::SessionRig r;
    enter(r, state);
    if (!r.panel.isEnabled(b.name)) {
        return "disabled";
    }
    r.session.perform(b.action, 1);
    r.passes(1);
    return std::to_string(r.session.run().joutai) + " " +
           std::to_string(r.session.run().ichijiteishi) + " " + r.panel.text(ctl::Command2) +
           (r.panel.isVisible(ctl::Command3) ? " 変更" : "") +
           (r.host.log.empty() ? "" : " " + r.host.log) +
           (r.box.texts.empty() ? "" : " msg" + std::to_string(r.box.texts.size()));
}

// Each cell: joutai, the pause flag, Command2's caption, 変更 when shown, then what the
// windows were asked and the messages shown. Opening About toggles the pause: over a run it
// pauses (5), over a pause it resumes (4); the run buttons are disabled while it is open.
// In full screen (3) 開始/停止 toggles nothing; a slot load stops whatever runs.
TEST(SessionTransitions, EveryButtonInEveryState) {
    const char* const about = "5 1 開始 about;";
    const std::vector<std::string> expected[] = {
        // 計算, 開始/停止, 一時停止, クリア, 変更, 終了, FullScreen, about, Load1, Save1
        {"1 0 開始", "2 0 停止 変更", "1 1 開始", "1 0 開始", "1 0 開始", "1 0 開始 quit;",
         "3 0 開始 open2;show2;", about, "1 0 開始", "1 0 開始 msg1"},
        {"2 0 停止 変更", "1 0 開始", "2 1 停止 変更", "2 0 停止 変更", "2 0 停止 変更",
         "2 0 停止 変更 quit;", "3 0 停止 変更 open2;show2;", "5 1 停止 変更 about;",
         "1 0 開始 変更", "2 0 停止 変更 msg1"},
        {"2 1 停止 変更", "1 0 開始", "2 0 停止 変更", "2 1 停止 変更", "2 1 停止 変更",
         "2 1 停止 変更 quit;", "3 1 停止 変更 open2;show2;", "4 0 停止 変更 about;",
         "1 1 開始 変更", "2 1 停止 変更 msg1"},
        {"3 0 開始", "3 0 開始", "3 1 開始", "3 0 開始", "3 0 開始", "3 0 開始 quit;", "3 0 開始",
         about, "1 0 開始", "3 0 開始 msg1"},
        {"5 1 停止 変更", "disabled", "disabled", "disabled", "disabled", "disabled", "disabled",
         "4 0 停止 変更 about;", "1 1 開始 変更", "5 1 停止 変更 msg1"},
        {"4 0 停止 変更", "disabled", "disabled", "disabled", "disabled", "disabled", "disabled",
         "5 1 停止 変更 about;", "1 0 開始 変更", "4 0 停止 変更 msg1"},
    };
    const State states[] = {State::Stopped,    State::Running,      State::Paused,
                            State::FullScreen, State::AboutRunning, State::AboutPaused};
    for (std::size_t s = 0; s < std::size(states); ++s) {
        for (std::size_t b = 0; b < std::size(kButtons); ++b) {
            EXPECT_EQ(outcome(states[s], kButtons[b]), expected[s][b])
                << "state " << s << ", " << kButtons[b].name;
        }
    }
}

// The observers learn what changed, once per operation, and nothing else: before the first
// recompute an edit changes what 計算 would make; a resize changes only the view; running
// passes move the time, paused ones do not; an edit after the start changes nothing until 変更.
TEST(SessionAnnouncements, WhatChangedOncePerOperation) {
    test::SessionRig r;
    r.session.Main();
    EXPECT_EQ(r.observer.take(), kPhysicsChanged | kViewChanged | kRunStateChanged | kTimeChanged);
    r.panel.setText(ctl::Textk, "2000");
    EXPECT_EQ(r.observer.take(), kPhysicsChanged);
    EXPECT_EQ(r.session.analysedRecord().k, 2000.f);
    EXPECT_EQ(r.session.record().k, 0.f);  // the panel's record waits for 開始 or 変更

    r.plot.width = 700;  // the graph window widened
    r.session.frameResized();
    r.passes(1);  // the layout pass redraws the graph, which takes its width
    EXPECT_EQ(r.observer.take(), kViewChanged);

    r.session.perform(PanelAction::StartStop);
    EXPECT_EQ(r.observer.seen.size(), 1u);
    EXPECT_EQ(r.observer.take(), kPhysicsChanged | kViewChanged | kRunStateChanged);
    r.plot.width = 660;  // and again, with the record computed
    r.session.frameResized();
    r.session.pass();  // the clock stands: the time too
    EXPECT_EQ(r.observer.take(), kViewChanged);
    r.passes(3);
    EXPECT_EQ(r.observer.seen, std::vector<unsigned>(3, kTimeChanged));
    EXPECT_EQ(r.session.time(), r.session.run().jikan);
    r.observer.take();
    r.session.perform(PanelAction::Pause);
    r.passes(1);  // the paused pass shows the time it stopped at
    r.observer.take();
    r.passes(5);
    EXPECT_EQ(r.observer.take(), 0u);

    r.panel.setText(ctl::Textm, "3");
    EXPECT_EQ(r.observer.take(), 0u);
    r.session.perform(PanelAction::ApplyChanges);
    EXPECT_EQ(r.observer.take(), kPhysicsChanged);
    r.session.perform(PanelAction::StartStop);  // stopped: the time is tmin
    EXPECT_EQ(r.observer.take(), kRunStateChanged | kTimeChanged);
    EXPECT_EQ(r.session.time(), r.session.record().tmin);
}

// While a handler lets events through (about's wait), a pass is refused (it would write the
// pause flag into Texttest) and what a nested operation changed reaches the observers only
// when the handler ends, once, with the handler's own changes.
TEST(SessionAnnouncements, NestedOperationsAnnounceOnceAndPassesWait) {
    test::SessionRig r;
    r.session.Main();
    r.session.perform(PanelAction::StartStop);
    r.passes(2);
    r.observer.take();
    std::size_t seenInside = 0;
    r.host.duringEvents = [&] {
        r.clock.t += 1.0;
        r.session.pass();
        if (r.host.events == 1) {
            r.panel.setText(ctl::Textwn, "40");  // recomputes at once
        }
        seenInside = std::max(seenInside, r.observer.seen.size());
    };
    r.session.perform(PanelAction::OpenAbout);
    EXPECT_EQ(std::tuple(r.host.events, seenInside, r.panel.text(ctl::Texttest)),
              std::tuple(2002, 0u, "0"s));
    EXPECT_EQ(r.observer.seen, std::vector<unsigned>{kPhysicsChanged | kRunStateChanged});
    EXPECT_EQ(r.session.record().wn, 40.f);
}

// The load handler's recovery: an arrangement that cannot be made is reported once, however
// often it fails, and the rest goes on.
TEST(SessionRecovery, AnArrangementThatAlwaysFailsIsReportedOnce) {
    test::SessionRig narrow;
    narrow.frame.w = -1;  // no window fits: every arrangement fails
    narrow.session.Main();
    narrow.passes(3);
    EXPECT_EQ(narrow.box.texts, std::vector{std::string(kMsgBadRun)});
    EXPECT_EQ(narrow.session.run().joutai, kStopped);
    EXPECT_TRUE(narrow.host.shown[ProgramWindow::Frame]);
}

// Each kind of failing pass is reported once and recovered (tmin 0, stopped, the windows
// arranged and shown again); no pass fails again until the user acts, and the texts stay,
// so the next start fails the same way.
TEST(SessionRecovery, EveryFailingPassIsToldOnceUntilTheUserActs) {
    const std::pair<const char*, const char*> rows[] = {{ctl::Texthenibairitu, "abc"},
                                                        {ctl::Texttmax, "0"},
                                                        {ctl::Textgraphbairitu, "x"},
                                                        {ctl::Textjikanbairitu, "1e308"},
                                                        {ctl::Texthenibairitu, "1e308"},
                                                        {ctl::Textgraphbairitu, "1e300"},
                                                        {ctl::Textf, "3e38"},
                                                        {ctl::Textkabem, "1e-37"}};
    for (const auto& [box, text] : rows) {
        test::SessionRig r;
        r.panel.setText(ctl::Texttmin, "0.5");
        r.panel.setValue(ctl::Check1, 1);
        r.panel.setText(box, text);
        r.session.Main();
        for (std::size_t attempt = 1; attempt <= 2; ++attempt) {
            r.session.perform(PanelAction::StartStop);
            for (int i = 0; i < 50 && r.box.texts.size() < attempt; ++i) {
                r.passes(1);
            }
            r.passes(100);
            EXPECT_EQ(r.box.texts, std::vector(attempt, std::string(kMsgBadRun))) << box << text;
            EXPECT_EQ(std::pair(r.session.run().joutai, r.session.record().tmin),
                      std::pair(kStopped, 0.f));
            EXPECT_TRUE(r.host.shown[ProgramWindow::Form3] && !r.session.flags().saihaichi);
        }
    }
}

// A full-screen view that cannot be shown returns at once, running (the hand-over, the
// frames and leaving it: animation_test).
TEST(SessionFullScreen, AViewThatCannotBeShownReturnsAtOnce) {
    test::SessionRig cannot;
    cannot.host.failShow = true;
    cannot.session.Main();
    cannot.session.perform(PanelAction::EnterFullScreen);
    EXPECT_EQ(cannot.host.log, "open2;show2;hide2;close2;");
    EXPECT_EQ(std::tuple(cannot.session.run().joutai, cannot.session.form0Loaded(),
                         cannot.session.fullScreen() == nullptr, cannot.box.texts.size()),
              std::tuple(kRunning, true, true, 0u));
}

// The time set by the user, in every state (tmin 1.5, time magnification 2, the cursor at
// 2.75): running, it pauses first; stopped, it starts paused there; paused, it moves; in
// full screen and with About open nothing moves. Each cell: set or not, joutai, the pause
// flag, Command2's caption, 変更 when shown, the time.
TEST(SessionTimeCursor, MovesByStateAsATable) {
    const std::pair<State, std::string> table[] = {
        {State::Stopped, "1 2 1 停止 変更 2.75"},   {State::Running, "1 2 1 停止 変更 2.75"},
        {State::Paused, "1 2 1 停止 変更 2.75"},    {State::FullScreen, "0 3 0 開始 -"},
        {State::AboutRunning, "0 5 1 停止 変更 -"}, {State::AboutPaused, "0 4 0 停止 変更 -"},
    };
    for (const auto& [state, expected] : table) {
        test::SessionRig r;
        r.panel.setText(ctl::Textjikanbairitu, "2");
        enter(r, state);
        const double before = r.session.run().jikan;
        const bool set = r.session.setTime(2.75);
        const double t = r.session.run().jikan;
        const std::string time = set || t != before ? std::to_string(t).substr(0, 4) : "-";
        EXPECT_EQ(std::to_string(set) + " " + std::to_string(r.session.run().joutai) + " " +
                      std::to_string(r.session.run().ichijiteishi) + " " +
                      r.panel.text(ctl::Command2) +
                      (r.panel.isVisible(ctl::Command3) ? " 変更 " : " ") + time,
                  expected)
            << int(state);
    }
}

// Moved back while paused, the animation shows that time on the next pass, the observers
// learn it, and a resume goes on from there at the run's pace, the graph tracing on from the
// new time with no line back to where it stood.
TEST(SessionTimeCursor, ResumesFromTheCursorWithoutALineBack) {
    test::SessionRig r;
    for (const char* box : {ctl::Checkxc, ctl::Checkxp, ctl::Checkxcxp}) {
        r.panel.setValue(box, 1);
    }
    r.panel.setText(ctl::Texttmin, "1.5");
    r.panel.setText(ctl::Textjikanbairitu, "2");
    r.session.Main();
    r.session.perform(PanelAction::StartStop);
    r.passes(240);  // to t = 1.5 + 8
    const float reached = r.plot.rightmost;
    r.observer.take();
    ASSERT_TRUE(r.session.setTime(3.25));
    r.plot.rightmost = 0;
    EXPECT_EQ(r.observer.take(), kRunStateChanged | kTimeChanged);
    EXPECT_EQ(r.session.time(), 3.25);
    r.passes(1);
    EXPECT_TRUE(r.session.scene().textLine().starts_with("3.25秒")) << r.session.scene().textLine();
    r.session.perform(PanelAction::Pause);  // resume
    r.passes(30);
    EXPECT_NEAR(r.session.run().jikan, 3.25 + 30 * 2.0 / 60, 1e-9);
    EXPECT_GT(r.plot.rightmost, 0.f);
    EXPECT_LT(r.plot.rightmost, reached - 100);
}

// A system repaint of the animation window composes a frame (advancing the time) only
// while running; otherwise the next pass draws it whole.
TEST(SessionRepaint, ASystemRepaintComposesOnlyWhileRunning) {
    for (PanelAction then : {PanelAction::StartStop, PanelAction::None,
                             PanelAction::EnterFullScreen, PanelAction::OpenAbout}) {
        test::SessionRig r;
        r.session.Main();
        r.session.perform(PanelAction::StartStop);
        r.passes(2);
        r.session.perform(then);  // stopped, running, full screen, About open
        const double t = r.session.run().jikan;
        const int texts = r.surfaces.texts;
        r.clock.t += 4.5;
        r.session.animationRepaint();
        const bool composes = r.session.run().joutai == kRunning;
        EXPECT_EQ(composes, then == PanelAction::None);
        EXPECT_EQ(r.session.run().jikan != t, composes) << int(then);
        EXPECT_EQ(r.surfaces.texts - texts, composes ? 1 : 0) << int(then);
    }
}

// A day of passes at 30 per second with every curve ticked, 開始 with a trace of about
// 14 h: no pass fails, the text line keeps the time, the trace ends at tmax, and neither
// the surfaces nor the heap grow. Minutes under the sanitizers: optimised builds only.
TEST(SessionDay, ADayOfPassesTracesToTmaxAndGrowsNothing) {
#ifndef NDEBUG
    GTEST_SKIP() << "a day of passes is run in optimised builds only";
#endif
    constexpr long kPerSecond = 30, kDay = 24 * 60 * 60, kPasses = kDay * kPerSecond;
    test::SessionRig r;
    for (const char* box : {ctl::Check1, ctl::Checkheni, ctl::Checkxc, ctl::Checkxp, ctl::Checkxcxp,
                            ctl::Checkkabeheni}) {
        r.panel.setValue(box, 1);
    }
    r.session.Main();
    r.session.pass();
    r.panel.setText(ctl::Texttmax, "50000");
    r.session.perform(PanelAction::StartStop);
    const double start = r.clock.t;
    int mostSurfaces = 0;
    std::size_t heapAfterAMinute = 0;
    for (long i = 1; i <= kPasses; ++i) {
        r.clock.t = start + double(i) / kPerSecond;  // from the count: the clock does not drift
        r.session.pass();
        mostSurfaces = std::max(mostSurfaces, r.surfaces.live);
        if (i == kPerSecond * 60) {
            heapAfterAMinute = mallinfo2().uordblks;
            r.observer.seen.shrink_to_fit();
        }
        r.observer.seen.clear();
    }
    EXPECT_EQ(std::tuple(r.box.texts.size(), r.session.run().joutai, r.session.run().jikan),
              std::tuple(0u, kRunning, double(kDay)));
    EXPECT_TRUE(r.session.scene().textLine().starts_with("86400.00秒"))
        << r.session.scene().textLine();
    // x_c has died out: x_p alone of the defaults (F 3, k 1000, m 1, c 1, ω 2), 1000 px per m,
    // at the pass before (blt advances the time after the response is evaluated).
    const double wt = 2.0 * double(kPasses - 1) / kPerSecond;
    EXPECT_NEAR(r.session.step().xpix,
                3000 * (996 * std::sin(wt) - 2 * std::cos(wt)) / (996.0 * 996 + 4), 1e-9);
    // Five chains of ⌈50 · ωd / (2π · 30)⌉ = 9 pieces a pass up to tmax but the first; the
    // pass at tmax draws the 8 before it, and nothing is drawn after it.
    EXPECT_EQ(r.plot.segments, 5L * (9 * (50000L * kPerSecond - 1) + 8));
    EXPECT_LE(r.plot.rightmost, 0.875f * 640);
    EXPECT_EQ(std::pair(mostSurfaces, r.surfaces.live), std::pair(7, 7));
    EXPECT_LE(mallinfo2().uordblks, heapAfterAMinute + 1024);
}

}  // namespace
}  // namespace yurana
