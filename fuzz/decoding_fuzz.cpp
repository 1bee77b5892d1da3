// Line splitting and text decoding of slot files (UTF-8, Shift-JIS fallback) on any bytes.
//
// Input: one byte choosing how many lines to read (1..32), one choosing the longest line
// allowed (1..128 bytes, or more than any input), then the file's bytes. What must hold:
//
// - The lines are those of a reference reading of the whole bytes: CR LF, CR and LF each
//   end a line, a last line without an end counts when not empty; a line holding a
//   control byte (C0 but TAB, DEL) or longer than allowed is refused at its number,
//   before anything later is looked at.
// - When every line read is well-formed UTF-8 they are taken as they are, a byte-order
//   mark dropped from the first; otherwise each is decoded as CP932, and the first that
//   is not CP932 is refused at its number.
// - Whatever is read is well-formed UTF-8 without control characters; pure ASCII lines
//   stay as they were.
// - The result does not depend on how the file arrives in pieces (one byte at a time or
//   all at once): the same lines, or a refusal of the same line.
// - Lines read, written again and read back are the same lines.

#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/posix/posix_files.h"
#include "utf8.h"

namespace {

using namespace yurana;
using Reason = file_error::Reason;

struct Result {
    bool ok = false;
    std::vector<std::string> lines;
    Reason reason = Reason::Io;
    int line = 0;
};

Result decoded(std::string_view bytes, std::size_t count, std::size_t maxLineBytes,
               std::size_t piece) {
    try {
        return {true, decodeLines(bytes, count, maxLineBytes, "slot", piece), {}, 0};
    } catch (const file_error& e) {
        FUZZ_CHECK(e.path() == "slot");
        return {false, {}, e.reason(), e.line()};
    }
}

std::optional<std::string> fromCp932(const std::string& in) {
    iconv_t cd = ::iconv_open("UTF-8", "CP932");
    FUZZ_CHECK(cd != reinterpret_cast<iconv_t>(-1));
    std::string out(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    std::size_t rc = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    ::iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - dstLeft);
    return out;
}

// The reading of the whole bytes at once, by the rules above.
Result reference(std::string_view bytes, std::size_t count, std::size_t maxLineBytes) {
    Result r;
    std::vector<std::string> raw;
    std::size_t start = 0;
    while (raw.size() < count && start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        std::string line(bytes.substr(start, end == std::string_view::npos ? end : end - start));
        int number = static_cast<int>(raw.size() + 1);
        if (fuzz::hasControl(line) || line.size() > maxLineBytes) {
            r.reason = fuzz::hasControl(line) ? Reason::Binary : Reason::LineTooLong;
            r.line = number;
            return r;
        }
        raw.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    bool utf8 = true;
    for (const std::string& line : raw) {
        utf8 = utf8 && fuzz::wellFormedUtf8(line);
    }
    if (utf8) {
        if (!raw.empty() && raw[0].starts_with("\xEF\xBB\xBF")) {
            raw[0].erase(0, 3);
        }
        return {true, raw, {}, 0};
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::optional<std::string> line = fromCp932(raw[i]);
        if (!line) {
            r.reason = Reason::BadEncoding;
            r.line = static_cast<int>(i + 1);
            return r;
        }
        bool ascii = true;
        for (char c : raw[i]) {
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        }
        FUZZ_CHECK(!ascii || *line == raw[i]);
        raw[i] = *line;
    }
    return {true, raw, {}, 0};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    std::size_t count = data[0] % 32 + 1;
    std::size_t maxLineBytes = data[1] < 128 ? data[1] + 1u : 1u << 20;
    std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    Result whole = decoded(bytes, count, maxLineBytes, kReadPiece);
    Result expected = reference(bytes, count, maxLineBytes);
    FUZZ_CHECK(whole.ok == expected.ok);
    if (!whole.ok) {
        FUZZ_CHECK(whole.reason == expected.reason && whole.line == expected.line);
    } else {
        FUZZ_CHECK(whole.lines == expected.lines);
        FUZZ_CHECK(whole.lines.size() <= count);
        for (const std::string& line : whole.lines) {
            FUZZ_CHECK(fuzz::wellFormedUtf8(line) && !fuzz::hasControl(line));
        }
    }

    for (std::size_t piece : {1, 2, 3, 7}) {
        Result r = decoded(bytes, count, maxLineBytes, piece);
        FUZZ_CHECK(r.ok == whole.ok && r.lines == whole.lines && r.line == whole.line);
        // A line both too long and binary may be noticed as either, by what came first.
        bool eitherFault = (r.reason == Reason::Binary || r.reason == Reason::LineTooLong) &&
                           (whole.reason == Reason::Binary || whole.reason == Reason::LineTooLong);
        FUZZ_CHECK(r.ok || r.reason == whole.reason || eitherFault);
    }

    if (whole.ok && !whole.lines.empty()) {
        constexpr std::size_t kRoomy = 1u << 20;
        std::string written = encodeLines(whole.lines, kRoomy, "slot");
        Result back = decoded(written, whole.lines.size(), kRoomy, kReadPiece);
        FUZZ_CHECK(back.ok && back.lines == whole.lines);
    }
    return 0;
}
