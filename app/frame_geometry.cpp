#include "app/frame_geometry.h"

#include "app/units.h"

namespace yurana::app {

double FrameGeometry::width() const {
    return units::pxToTwips(mdi_->contentsRect().width() + kBorderPx);
}

double FrameGeometry::height() const {
    return units::pxToTwips(mdi_->contentsRect().height() + kCaptionAndBorderPx);
}

bool FrameGeometry::visible() const {
    return mdi_->window()->isVisible();
}

// The frame is never hidden again once shown: hiding and re-showing a top-level
// window would only make it flicker or move under a window manager.
void FrameGeometry::setVisible(bool v) {
    if (v) {
        mdi_->window()->show();
    }
}

}  // namespace yurana::app
