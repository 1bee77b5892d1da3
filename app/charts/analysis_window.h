#pragma once

#include <QHideEvent>
#include <QShowEvent>
#include <QString>
#include <QWidget>

#include "model/record.h"

namespace yurana::charts {

// An analysis window: top level even with a parent (it closes with its owner and stays out
// of any layout), non-modal, and telling when the user or the program shows or hides it, so
// a checkable menu item can follow it. Minimising is not hiding.
class AnalysisWindow : public QWidget {
    Q_OBJECT

  public:
    AnalysisWindow(const QString& objectName, const QString& title, QWidget* parent);

    // Recomputes and shows the curves of the record, markers at tmin; call when the record
    // changes.
    virtual void setModel(const ModelRecord& r) = 0;

    // Moves the markers and the read-out to animation time t (s), held to [tmin, tmax]; no
    // curve is recomputed. Call at most once per frame; with the run stopped, t = tmin. A
    // window whose charts do not depend on the time ignores it.
    virtual void setTime(double t) { (void)t; }

    // Follows time t between the calls of setTime, at every announcement: only what is
    // cheap enough for every pass (a cursor line, a picture), no read-out.
    virtual void followTime(double t) { (void)t; }

  signals:
    void shownChanged(bool shown);

  protected:
    // F11 puts the window full screen and back, Esc leaves full screen.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

}  // namespace yurana::charts
