#pragma once

#include <QObject>

#include "session/session.h"

namespace yurana::app {

// The session's announcements as Qt signals, for the windows that follow the model and
// the time.
class SessionSignals : public QObject, private SessionObserver {
    Q_OBJECT
  public:
    explicit SessionSignals(Session& session, QObject* parent = nullptr);

    const Session& session() const { return session_; }

  signals:
    void physicsChanged();       // the record the analyses show: see Session::analysedRecord
    void viewChanged();          // the graph's size, the magnifications, the regime caption
    void runStateChanged();      // joutai or the pause flag
    void timeChanged(double t);  // the time the windows show

  private:
    void changed(unsigned what) override;

    Session& session_;
};

}  // namespace yurana::app
