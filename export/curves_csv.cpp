#include "export/curves_csv.h"

#include <charconv>
#include <cmath>

#include "analysis/energy.h"
#include "analysis/motion.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "model/response.h"

namespace yurana {

namespace {

double finite(double v) {
    if (!std::isfinite(v)) {
        throw calc_error(calc_error::Kind::Overflow, "curve value beyond the Double range");
    }
    return v;
}

void appendRow(std::string& out, const ModelRecord& r, double t) {
    const double xc = complementary(r, t);
    const double xp = particular(r, t);
    const double wall = wallDisplacement(r, t);
    const analysis::State s = analysis::stateAt(r, t);
    const auto [kinetic, potential] = analysis::mechanicalEnergy(r, s);
    const double row[] = {
        t,        num::add(num::add(xc, xp), wall), xc, xp, num::add(xc, xp), wall, s.v, kinetic,
        potential};
    for (double v : row) {
        out += csvNumber(finite(v));
        out += ',';
    }
    out.back() = '\n';
}

}  // namespace

std::string csvNumber(double value) {
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc{} ? std::string(buf, end) : std::string{};
}

double csvTime(const ModelRecord& r, std::size_t i) {
    const double tmin = r.tmin;
    const double tmax = r.tmax;
    if (i + 1 >= kCsvRows) {
        return tmax;
    }
    return tmin + (tmax - tmin) * static_cast<double>(i) / static_cast<double>(kCsvRows - 1);
}

std::string curvesCsv(const ModelRecord& r) {
    if (!(r.tmax > r.tmin)) {
        throw calc_error(calc_error::Kind::DivisionByZero, "the run's window is empty");
    }
    std::string out(kCurvesCsvHeader);
    out += '\n';
    for (std::size_t i = 0; i < kCsvRows; ++i) {
        appendRow(out, r, csvTime(r, i));
    }
    return out;
}

}  // namespace yurana
