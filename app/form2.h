#pragma once

#include <QScreen>
#include <QWidget>
#include <functional>

#include "animation/full_screen.h"
#include "app/form0.h"
#include "platform/qt/qt_surface.h"

namespace yurana::app {

// Shows the view full screen on `screen`; fails (calc_error) when it cannot.
void showFullScreenOn(QWidget& view, QScreen* screen);

// Where the full-screen view takes its bitmaps and surfaces from, and how it is shown.
struct Form2Options {
    QString folder;                     // the bitmaps; empty: the program's folder
    SurfaceFactory* factory = nullptr;  // null: Qt surfaces of its own
    // How the window is shown full screen; null: showFullScreenOn.
    std::function<void(QWidget& view, QScreen* screen)> show;
};

// The full-screen view Form2: a top-level window covering one screen that shows the
// 640 × 480 back buffer scaled to the screen with its 4:3 aspect kept (black bars).
// Frames come from pass(), one per display frame, driven from outside; a system paint
// runs the paint rule. A click anywhere, Esc, or a request to close leaves through EndIt.
// Its accessible name is its current text line.
class Form2 : public ScenePicture {
    Q_OBJECT
  public:
    Form2(FullScreenInputs inputs, FullScreenWindows& windows, QScreen* screen,
          Form2Options options = {});

    // Load: shows the window full screen, then init. Fails (calc_error) when the window
    // cannot be shown or a bitmap cannot be loaded.
    void load();

    // One pass of the frame pump: yurana and blt in joutai 3. Fails (calc_error).
    void pass();

    // The click's path: Command2 reads "停止", then EndIt.
    void leave();

    const FullScreenView& view() const { return view_; }
    QString textLine() const;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The paint rule; a frame that fails is skipped, the pump meets the failure next.
    void Form2_Paint();

    qt::QtSurfaceFactory ownFactory_;
    QScreen* screen_;
    std::function<void(QWidget&, QScreen*)> show_;
    FullScreenView view_;
    bool pressed_ = false;  // a press began on the view: its release is a click
    bool left_ = false;     // EndIt has run
};

}  // namespace yurana::app
