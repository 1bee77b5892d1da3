#pragma once

#include <QPointer>
#include <QScreen>
#include <memory>
#include <string_view>
#include <vector>

#include "animation/full_screen.h"
#include "app/form2.h"

namespace yurana::app {

// The full-screen view's lifetime: Form2 loaded and shown on entry (a view that cannot
// be shown returns at once to the animation window), its frame pump, and its unload.
// Form2 is unloaded from inside its own event handlers, so an unloaded view is deleted
// later, once the event loop has them behind it.
class FullScreenSession : private FullScreenWindows {
  public:
    // What leaving needs of the application.
    class Host {
      public:
        virtual ~Host() = default;
        virtual void showWindows() = 0;  // form0 and Form1 visible
        virtual void reloadForm0() = 0;  // form0 unloaded and loaded afresh
        virtual void report(std::string_view message) = 0;
    };

    FullScreenSession(FullScreenInputs inputs, Host& host, Form2Options options);
    // A view unloaded but not yet deleted refers to the session: it goes first.
    ~FullScreenSession() override;

    // Form2 made visible on `screen` (nothing when it already is).
    void enter(QScreen* screen);
    // One frame of the view; a failing frame leaves full screen.
    void pass();
    // Unload: Form2 hidden, deleted by the event loop (deleteLater).
    void unload() override;

    Form2* form2() const { return form2_.get(); }
    const Form2Options& options() const { return options_; }

  private:
    void hide() override;
    void showWindows() override { host_.showWindows(); }
    void reloadForm0() override { host_.reloadForm0(); }

    FullScreenInputs inputs_;
    Host& host_;
    Form2Options options_;
    std::unique_ptr<Form2> form2_;
    std::vector<QPointer<Form2>> retired_;  // unloaded, their deletion pending
};

}  // namespace yurana::app
