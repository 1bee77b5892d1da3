#include "session/changes.h"

#include <bit>
#include <cstdint>

namespace yurana {

bool timeMoves(const RunState& run) {
    return run.joutai == kRunning || run.joutai == kFullScreen || run.joutai == kAboutResumed ||
           run.joutai == kAboutPaused;
}

double shownTime(const ModelRecord& record, const RunState& run) {
    return timeMoves(run) ? run.jikan : record.tmin;
}

unsigned ChangeTracker::update(const ModelRecord& analysed, const ModelRecord& record,
                               const RunState& run) {
    Seen now{
        physicsOf(analysed),
        View{record.graphw, record.graphh, record.graphbairitu, record.jikanbairitu, record.gensui},
        run.joutai, run.ichijiteishi, shownTime(analysed, run)};
    unsigned what = kPhysicsChanged | kViewChanged | kRunStateChanged | kTimeChanged;
    if (seen_) {
        what = 0;
        what |= seen_->physics != now.physics ? kPhysicsChanged : 0u;
        what |= seen_->view != now.view ? kViewChanged : 0u;
        what |= seen_->joutai != now.joutai || seen_->ichijiteishi != now.ichijiteishi
                    ? kRunStateChanged
                    : 0u;
        // Bitwise: a NaN time (an overflowed clock) is announced once, not every pass.
        what |= std::bit_cast<std::uint64_t>(seen_->time) != std::bit_cast<std::uint64_t>(now.time)
                    ? kTimeChanged
                    : 0u;
    }
    seen_ = std::move(now);
    return what;
}

}  // namespace yurana
