#pragma once

// What only windows can do, asked for by the session.

#include "animation/scene.h"

namespace yurana {

// The windows the session shows and hides by name.
enum class ProgramWindow { Form0, Form1, Form3, Frame };

class SessionHost {
  public:
    virtual ~SessionHost() = default;
    virtual void setShown(ProgramWindow window, bool shown) = 0;
    // Size form0's Picture1 (pixels) to form0's inner width and height.
    virtual void sizePicture1(double width, double height) = 0;

    // The full-screen view Form2: made (not yet shown), its frames presented there.
    virtual FramePresenter& openFullScreen() = 0;
    // Shown full screen, with the scene whose text line it tells; fails (calc_error)
    // when it cannot be shown.
    virtual void showFullScreen(const Scene& scene) = 0;
    virtual void hideFullScreen() = 0;
    // Unloaded: hidden and deleted once the event loop has its handlers behind it; it
    // shows no scene from now on.
    virtual void closeFullScreen() = 0;

    virtual void showAbout() = 0;      // the About window, modeless
    virtual void quit() = 0;           // end the program at once
    virtual void processEvents() = 0;  // let pending user-interface events run
};

}  // namespace yurana
