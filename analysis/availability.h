#pragma once

#include <string_view>

#include "model/record.h"

namespace yurana::analysis {

// Read-out texts for what the windows cannot draw or say.
inline constexpr std::string_view kNeedPositiveMassAndStiffness = "m と k が正のときに描けます";
inline constexpr std::string_view kNoResonancePeak = "共振ピークなし";
// The energy balance does not close: x_c (ζ, ωn, ωd) does not follow m, k and c. The
// promise only where 計算 keeps it; otherwise the head with what stands in the way.
inline constexpr std::string_view kInconsistentRecord =
    "ζ・ωn が m・k・c と一致していません（計算 を押すと揃います）";
inline constexpr std::string_view kMismatchHead = "ζ・ωn が m・k・c と一致していません";
inline constexpr std::string_view kNegativeDamping =
    "減衰係数 c が負のため ζ も負になり、ωd が求まらない（***）ので、x_c は m・k・c "
    "の運動と一致しません（計算 を押しても揃いません）";
// The energy read-out before a whole period of the force has passed since tmin (or for ω = 0).
inline constexpr std::string_view kNoCompletePeriod = "1周期 まだ力の1周期分の時間がありません";
// The 時刻歴 read-out before two maxima of x_c + x_p, and before a maximum of the force
// with one of x_c + x_p within the period after it.
inline constexpr std::string_view kNoMeasuredPeriod = "周期(測定)なし";
inline constexpr std::string_view kNoMeasuredLag = "位相遅れ(測定)なし";
// A value of the motion beyond the Double range, or x_p at an undamped resonance.
inline constexpr std::string_view kBeyondRange = "この条件では値が求まりません";

// The windows draw a spring–mass system only: m > 0 and k > 0.
inline bool drawable(const ModelRecord& r) {
    return r.m > 0 && r.k > 0;
}

}  // namespace yurana::analysis
