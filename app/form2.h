#pragma once

#include <QScreen>
#include <QWidget>
#include <functional>

#include "app/form0.h"
#include "platform/surface.h"

namespace yurana::app {

// Shows the view full screen on `screen`; fails (calc_error) when it cannot.
void showFullScreenOn(QWidget& view, QScreen* screen);

// Where the full-screen view takes its bitmaps and surfaces from, and how it is shown.
struct Form2Options {
    QString folder;                     // the bitmaps; empty: the program's folder
    SurfaceFactory* factory = nullptr;  // null: Qt surfaces of the program's own
    // How the window is shown full screen; null: showFullScreenOn.
    std::function<void(QWidget& view, QScreen* screen)> show;
};

// The full-screen view Form2: a top-level window covering one screen that shows the
// 640 × 480 back buffer scaled to the screen with its 4:3 aspect kept (black bars).
// A system paint emits systemRepaint; a click anywhere, Esc, or a request to close emits
// leaveRequested. Its accessible name is its scene's current text line.
class Form2 : public ScenePicture {
    Q_OBJECT
  public:
    Form2();

    QString textLine() const { return accessibleLine(); }

  signals:
    void leaveRequested();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool pressed_ = false;  // a press began on the view: its release is a click
};

}  // namespace yurana::app
