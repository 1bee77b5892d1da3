#pragma once

// What the session tells its observers after each of its operations: which of the
// observed parts of the state differ from what it last told them.

#include <optional>
#include <string>
#include <vector>

#include "model/record.h"
#include "model/run_state.h"

namespace yurana {

enum Change : unsigned {
    kPhysicsChanged = 1u << 0,   // anything the curves depend on (physicsOf)
    kViewChanged = 1u << 1,      // the graph's size, the magnifications, the regime caption
    kRunStateChanged = 1u << 2,  // joutai or the pause flag
    kTimeChanged = 1u << 3,      // the time the windows show (see shownTime)
};

class SessionObserver {
  public:
    virtual ~SessionObserver() = default;
    // `what`: the Change bits; the session's state already holds the new values.
    virtual void changed(unsigned what) = 0;
};

// Whether the time moves on its own: running, full screen, or About open over a run.
bool timeMoves(const RunState& run);

// The time the windows show: the animation time while it moves, tmin otherwise.
double shownTime(const ModelRecord& record, const RunState& run);

// The observed parts as last announced, and the difference to the present ones.
class ChangeTracker {
  public:
    // The Change bits by which the state differs from the last call (all of them on the
    // first), remembering the present values: the physics of `analysed` (the record the
    // analyses show) and the time it shows, the view fields of `record`, the run state.
    unsigned update(const ModelRecord& analysed, const ModelRecord& record, const RunState& run);

  private:
    struct View {
        float graphw, graphh;
        std::string graphbairitu;
        double jikanbairitu;
        std::string gensui;
        bool operator==(const View&) const = default;
    };
    struct Seen {
        ModelRecord physics;
        View view;
        Joutai joutai;
        int ichijiteishi;
        double time;
    };
    std::optional<Seen> seen_;
};

}  // namespace yurana
