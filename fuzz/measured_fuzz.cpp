// Reading a measured data file of any bytes, through the real path (the file's lines split and
// decoded as on disk, parseTable, measuredData for each kind), then measuring what was read.
//
// What must hold: the reader gives either a table or one refusal whose line is 0 or one of
// the file's lines and whose words are well-formed UTF-8; a table gives, for each kind,
// either data (at least 10 and at most a million rows, finite, the first column strictly
// increasing, a response never negative) or one such refusal naming one of its rows. The
// peaks and the half-power band of any data are found without a failure.

#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

#include "damping/half_power.h"
#include "damping/peaks.h"
#include "fuzz_check.h"
#include "measured/measured_data.h"
#include "memory_files.h"
#include "utf8.h"

namespace {

using namespace yurana;

void checkRefusal(const measured::Refusal& r, int lastLine) {
    FUZZ_CHECK(r.line >= 0 && r.line <= lastLine);
    FUZZ_CHECK(!r.what.empty() && fuzz::wellFormedUtf8(r.what));
}

void checkData(const measured::MeasuredData& d, measured::DataKind kind) {
    FUZZ_CHECK(d.kind == kind && d.x.size() == d.y.size() && d.lines.size() == d.x.size());
    FUZZ_CHECK(d.x.size() >= measured::kMinRows && d.x.size() <= measured::kMaxRows);
    for (std::size_t i = 0; i < d.x.size(); ++i) {
        FUZZ_CHECK(std::isfinite(d.x[i]) && std::isfinite(d.y[i]));
        FUZZ_CHECK(i == 0 || d.x[i] > d.x[i - 1]);
        FUZZ_CHECK(!d.isResponse() || (d.x[i] >= 0 && d.y[i] >= 0));
    }
    if (d.isResponse()) {
        const auto band = damping::dataHalfPower(d.x, d.y);
        FUZZ_CHECK(band.value.has_value() != !band.why.empty());
    } else {
        for (const damping::Peak& p : damping::samplePeaks(d.x, d.y).peaks) {
            FUZZ_CHECK(p.t >= d.x.front() && p.t <= d.x.back());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::MemoryFiles files;
    files.files["/data.csv"] = bytes;
    // Every line break ends a line; a last line without one counts too.
    int lines = 1;
    for (std::size_t i = 0; i < size; ++i) {
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == size || bytes[i + 1] != '\n'));
    }

    const auto table = measured::readTable(files, "/data.csv");
    if (const auto* r = std::get_if<measured::Refusal>(&table)) {
        checkRefusal(*r, lines);
        return 0;
    }
    const measured::Table& t = std::get<measured::Table>(table);
    FUZZ_CHECK(t.first.size() == t.lines.size() && t.second.size() == t.lines.size());
    for (auto kind : {measured::DataKind::FreeDecay, measured::DataKind::ResponseOmega,
                      measured::DataKind::ResponseHz}) {
        const auto d = measured::measuredData(t, kind);
        if (const auto* r = std::get_if<measured::Refusal>(&d)) {
            checkRefusal(*r, lines);
            FUZZ_CHECK(r->line == 0 ||
                       std::find(t.lines.begin(), t.lines.end(), r->line) != t.lines.end());
        } else {
            checkData(std::get<measured::MeasuredData>(d), kind);
        }
    }
    return 0;
}
