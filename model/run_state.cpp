#include "model/run_state.h"

#include <cmath>

#include "model/numbers.h"

namespace yurana {

void advanceClock(RunState& s, double T, float tmin, double jikanbairitu) {
    // Stopped, the time is 0 whatever the product: skip it, so a magnification that
    // overflows cannot fail every pass of the stopped state.
    if (s.joutai == kStopped) {
        s.jikan = 0;
        return;
    }
    if (s.ichijiteishi == 0) {
        s.jikan = num::add(num::mul(num::sub(T, s.timer0), jikanbairitu), tmin);
    }
}

void startClock(RunState& s, double T) {
    s.timer0 = T;
}

void togglePause(RunState& s, double T) {
    s.ichijiteishi = s.ichijiteishi == 0 ? 1 : 0;
    if (s.ichijiteishi == 1) {
        s.pausetimer = T;
    } else {
        s.timer0 = s.timer0 + T - s.pausetimer;
    }
}

void seekPaused(RunState& s, double t, float tmin, double jikanbairitu) {
    s.jikan = t;
    const double back = (t - tmin) / jikanbairitu;
    if (std::isfinite(back)) {
        s.timer0 = s.pausetimer - back;
    }
}

}  // namespace yurana
