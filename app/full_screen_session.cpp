#include "app/full_screen_session.h"

#include "animation/scene.h"
#include "model/calc_error.h"

namespace yurana::app {

FullScreenSession::FullScreenSession(FullScreenInputs inputs, Host& host, Form2Options options)
    : inputs_(inputs), host_(host), options_(std::move(options)) {}

FullScreenSession::~FullScreenSession() {
    for (const QPointer<Form2>& view : retired_) {
        delete view.data();
    }
}

void FullScreenSession::enter(QScreen* screen) {
    if (form2_ != nullptr) {
        return;  // already loaded and shown
    }
    form2_ =
        std::make_unique<Form2>(inputs_, static_cast<FullScreenWindows&>(*this), screen, options_);
    try {
        form2_->load();
    } catch (const bitmap_error& e) {
        form2_->leave();
        host_.report(bitmapFailedText(e.file()));
    } catch (const calc_error&) {
        // No full screen: straight back to the animation window, running.
        form2_->leave();
    }
}

void FullScreenSession::pass() {
    if (form2_ == nullptr) {
        return;
    }
    try {
        form2_->pass();
    } catch (const calc_error&) {
        // A frame that fails (a magnification that is no number, an overflow) ends full
        // screen; the animation window's loop then reports it if it persists.
        form2_->leave();
    }
}

void FullScreenSession::hide() {
    if (form2_ != nullptr) {
        form2_->hide();
    }
}

void FullScreenSession::unload() {
    if (form2_ == nullptr) {
        return;
    }
    form2_->hide();
    std::erase_if(retired_, [](const QPointer<Form2>& view) { return view.isNull(); });
    Form2* view = form2_.release();
    retired_.emplace_back(view);
    view->deleteLater();
}

}  // namespace yurana::app
