#pragma once

#include <optional>
#include <string>

#include "model/record.h"

namespace yurana::analysis {

// The record as 計算 leaves it: ζ = c/(2√(k·m)) and ωn = √(k/m) through their 4-decimal
// texts, ωd = ωn·√(1 − ζ²) to 4 decimals (0 unless 0 ≤ ζ < 1), c1 and c2 fitted again. None
// where 計算 or the fit fails.
std::optional<ModelRecord> calculatedRecord(const ModelRecord& r);

// Why 計算 cannot make x_c follow m, k and c, for a record whose energy balance does not
// close even as 計算 leaves it: a negative c (ζ < 0 leaves ωd undefined), or else the
// quantity among ζ, ωn and ωd that its 4 decimals change the most, with both values.
std::string lastingMismatch(const ModelRecord& r, const ModelRecord& calculated);

}  // namespace yurana::analysis
