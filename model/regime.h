#pragma once

#include <string>

namespace yurana {

enum class Regime { Overdamped, Critical, Underdamped };

// Damping regime of ζ: overdamped when ζ > 1, critical when ζ is exactly the Single
// 1.0, underdamped when ζ < 1 (a negative ζ included).
inline Regime regimeOf(float z) {
    if (z > 1.0f) {
        return Regime::Overdamped;
    }
    if (z == 1.0f) {
        return Regime::Critical;
    }
    return Regime::Underdamped;
}

// "(超過減衰)", "(臨界減衰)" or "(不足減衰)".
std::string regimeCaption(Regime r);

}  // namespace yurana
