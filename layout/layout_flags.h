#pragma once

namespace yurana {

inline constexpr int kTrue = -1;
inline constexpr int kFalse = 0;

// The layout flags: saihaichi (a layout pass is requested) and shukushou (the
// collapsed arrangement is in effect); True is −1.
struct LayoutFlags {
    int saihaichi = kFalse;
    int shukushou = kFalse;
};

// Resize notification of the frame: request a layout pass unless collapsed.
inline void frameResized(LayoutFlags& flags) {
    if (flags.shukushou != kTrue) {
        flags.saihaichi = kTrue;
    }
}

}  // namespace yurana
