#pragma once

namespace yurana {

// The layout flags: saihaichi (a layout pass is requested) and shukushou (the
// collapsed arrangement is in effect). The original held them as −1/0 integers.
struct LayoutFlags {
    bool saihaichi = false;
    bool shukushou = false;
};

// Resize notification of the frame: request a layout pass unless collapsed.
inline void frameResized(LayoutFlags& flags) {
    if (!flags.shukushou) {
        flags.saihaichi = true;
    }
}

}  // namespace yurana
