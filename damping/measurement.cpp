#include "damping/measurement.h"

#include <cmath>

#include "analysis/format.h"
#include "analysis/frequency_response.h"

namespace yurana::damping {

namespace {

using analysis::g6;

constexpr double kLargeError = 0.01;

Measured<double> zetaOfRecord(const ModelRecord& r) {
    const analysis::Oscillator o = analysis::oscillatorOf(r);
    if (!(o.m > 0 && o.k > 0)) {
        return {std::nullopt, "m, k が正でない"};
    }
    return {analysis::dampingRatio(o), {}};
}

Measurement common(const ModelRecord& r) {
    Measurement m;
    m.zetaMkc = zetaOfRecord(r);
    m.zetaPanel = r.z;
    return m;
}

template <typename T, typename F>
std::string valueOr(const Measured<T>& m, F value) {
    return m.value ? g6(value(*m.value)) : "なし(" + m.why + ")";
}

std::string percent(double fraction) {
    return g6(100 * fraction) + "%";
}

}  // namespace

Measurement measureModel(const ModelRecord& r, std::size_t first, std::size_t count) {
    Measurement m = common(r);
    m.peaks = modelPeaks(r);
    m.decrement = logDecrement(m.peaks, first, count);
    m.envelope = envelopeOf(m.peaks);
    m.halfPower = modelHalfPower(r);
    m.forced = r.f != 0 && r.w != 0;
    return m;
}

Measurement measureData(const measured::MeasuredData& d, const ModelRecord& r, std::size_t first,
                        std::size_t count) {
    Measurement m = common(r);
    m.fromData = true;
    m.response = d.isResponse();
    if (m.response) {
        const char* const why = "周波数応答のデータ";
        m.decrement.why = m.envelope.why = why;
        m.halfPower = dataHalfPower(d.x, d.y);
        return m;
    }
    const SampledPeaks s = samplePeaks(d.x, d.y);
    m.peaks = s.peaks;
    m.level = s.level;
    m.decrement = logDecrement(m.peaks, first, count);
    m.envelope = envelopeOf(m.peaks);
    m.halfPower.why = "自由振動のデータ";
    return m;
}

std::string dampingReadout(const Measurement& m) {
    const auto delta = [](const Decrement& d) { return d.delta; };
    std::string text =
        "δ=" + valueOr(m.decrement, delta) +
        "  ζ(対数減衰率)=" + valueOr(m.decrement, [](const Decrement& d) { return d.zeta; }) +
        "  ζ(δ/2π)=" + valueOr(m.decrement, [](const Decrement& d) { return d.zetaSmall; }) +
        "  ζ(包絡線)=" + valueOr(m.envelope, [](const Envelope& e) { return e.zeta; }) +
        "  ζ(半値幅)=" + valueOr(m.halfPower, [](const HalfPower& h) { return h.zeta; }) +
        "  ζ(m,k,c)=" + valueOr(m.zetaMkc, [](double z) { return z; }) +
        "  ζ(パネル)=" + g6(m.zetaPanel);
    std::string notes;
    if (m.decrement.value) {
        notes += "ζ(δ/2π)の誤差=" + percent(m.decrement.value->smallError);
    }
    // The model's exact ζ is its m, k, c; the data's has none to compare with.
    if (m.halfPower.value && m.zetaMkc.value && !m.fromData && *m.zetaMkc.value > 0) {
        const double error = m.halfPower.value->zeta / *m.zetaMkc.value - 1;
        notes += std::string(notes.empty() ? "" : "  ") + "ζ(半値幅)の誤差=" + percent(error);
        if (std::abs(error) > kLargeError) {
            notes += " (1%を超える: 半値幅法は ζ が大きいほど粗い)";
        }
    }
    if (!notes.empty()) {
        text += "\n" + notes;
    }
    if (m.forced && !m.fromData) {
        text += "\nF≠0: 山は定常の強制振動を含むので、対数減衰率は自由減衰を測っていません。";
    }
    return text;
}

}  // namespace yurana::damping
