#include "app/session_signals.h"

namespace yurana::app {

SessionSignals::SessionSignals(Session& session, QObject* parent)
    : QObject(parent), session_(session) {
    session.subscribe(*this);
}

void SessionSignals::changed(unsigned what) {
    if ((what & kPhysicsChanged) != 0) {
        emit physicsChanged();
    }
    if ((what & kViewChanged) != 0) {
        emit viewChanged();
    }
    if ((what & kRunStateChanged) != 0) {
        emit runStateChanged();
    }
    if ((what & kTimeChanged) != 0) {
        emit timeChanged(session_.time());
    }
}

}  // namespace yurana::app
