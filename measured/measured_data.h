#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/files.h"

namespace yurana::measured {

// What a measured file holds: a free decay (t s, x m) or a frequency response (ω rad/s or
// f Hz, amplitude m).
enum class DataKind { FreeDecay, ResponseOmega, ResponseHz };

inline constexpr std::size_t kMaxRows = 1'000'000;
inline constexpr std::size_t kMinRows = 10;
// A longer line is no row of two numbers.
inline constexpr std::size_t kMaxLineBytes = 256;

// Why a file was not taken: the 1-based line that is wrong, 0 for the file as a whole.
struct Refusal {
    int line = 0;
    std::string what;
};

// The two numeric columns of a file as read, before their meaning is known.
struct Table {
    bool header = false;
    std::optional<DataKind> headerKind;  // what the header's names say, when they say it
    std::vector<double> first, second;
    std::vector<int> lines;  // the file line of each row
};

// The data of one file, by its kind.
struct MeasuredData {
    DataKind kind = DataKind::FreeDecay;
    std::vector<double> x;  // t, s; or ω, rad/s (an f column is converted)
    std::vector<double> y;  // x, m; or the amplitude, m
    std::vector<int> lines;

    bool isResponse() const { return kind != DataKind::FreeDecay; }
};

// The rows of the lines of a file. Blank lines and lines starting with '#' are skipped; the
// first other line is a header when none of its fields is a number. Fields are separated
// by commas or semicolons (when the line has one) or else by spaces and tabs; numbers use
// "." as the decimal point and must be finite.
std::variant<Table, Refusal> parseTable(std::span<const std::string> lines);

// The table as data of `kind`: the first column strictly increasing, at least kMinRows rows;
// a frequency and an amplitude are not negative.
std::variant<MeasuredData, Refusal> measuredData(const Table& table, DataKind kind);

// The table of the file at `path`, read through `files` (UTF-8 or Shift-JIS, any line end).
std::variant<Table, Refusal> readTable(Files& files, const std::string& path);

// "<n> 行目: <what>", or the what alone for the whole file.
std::string refusalText(const Refusal& r);

}  // namespace yurana::measured
