#include "animation/run_state.h"

#include "model/numbers.h"

namespace yurana {

void advanceClock(RunState& s, double T, float tmin, double jikanbairitu) {
    if (s.ichijiteishi == 0) {
        s.jikan = num::add(num::mul(num::sub(T, s.timer0), jikanbairitu), tmin);
    }
    if (s.joutai == kStopped) {
        s.jikan = 0;
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

}  // namespace yurana
