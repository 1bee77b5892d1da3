#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/record.h"

namespace yurana {

// Rows of the curves file: evenly spaced instants over [tmin, tmax], both ends included.
inline constexpr std::size_t kCsvRows = 1001;

inline constexpr std::string_view kCurvesCsvHeader =
    "t_s,total_m,xc_m,xp_m,xcxp_m,wall_m,v_m_s,kinetic_J,potential_J";

// The shortest text that reads back as the same double, "." for the decimal point
// whatever the locale.
std::string csvNumber(double value);

// The instant of row i (0 .. kCsvRows − 1) over [tmin, tmax], s; the last is tmax exactly.
double csvTime(const ModelRecord& r, std::size_t i);

// The curves of the record's run as CSV with LF line ends: the header, then per instant
// t, x_c + x_p + x_w (as the total-displacement curve), x_c, x_p, x_c + x_p, x_w, the
// velocity of x_c + x_p and the kinetic and potential energies. Throws calc_error when
// tmax ≤ tmin or a value is beyond the Double range.
std::string curvesCsv(const ModelRecord& r);

}  // namespace yurana
