#pragma once

namespace yurana {

// Run state joutai: 0 before the first load of the animation window (empty),
// 1 stopped, 2 running, 3 full screen, 4/5 About window open (pause flag 0/1).
enum Joutai : int {
    kJoutaiEmpty = 0,
    kStopped = 1,
    kRunning = 2,
    kFullScreen = 3,
    kAboutResumed = 4,
    kAboutPaused = 5,
};

// The run state and the animation clock. Times are clock readings in seconds
// (monotonic, Double); jikan is the model time t at which the response is evaluated.
struct RunState {
    Joutai joutai = kJoutaiEmpty;
    double jikan = 0;       // animation time t, s
    double timer0 = 0;      // clock reading at which jikan equals tmin
    double pausetimer = 0;  // clock reading when the pause began
    int ichijiteishi = 0;   // pause flag: 1 while paused
};

// Advance, with T the clock reading: 0 when stopped; otherwise, unless paused,
//   jikan = (T − timer0) · jikanbairitu + tmin.
// Fails on overflow.
void advanceClock(RunState& s, double T, float tmin, double jikanbairitu);

// Start: the clock origin becomes T.
void startClock(RunState& s, double T);

// Pause toggle: pausing records T; resuming shifts timer0 by the paused interval so
// the time goes on from where it stood.
void togglePause(RunState& s, double T);

// While paused: the time becomes t, and the clock's origin moves so that resuming goes on
// from t (with a time magnification of 0 or none that is a number, the time stands at tmin
// when running, and only jikan changes).
void seekPaused(RunState& s, double t, float tmin, double jikanbairitu);

}  // namespace yurana
