#include "measured/measured_data.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace yurana::measured {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The fields of a line: split at each comma or semicolon when it has one, else at runs of
// blanks.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    if (line.find_first_of(",;") != std::string_view::npos) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = line.find_first_of(",;", start);
            fields.push_back(trimmed(line.substr(start, end - start)));
            if (end == std::string_view::npos) {
                return fields;
            }
            start = end + 1;
        }
    }
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kBlanks, start);
        fields.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(kBlanks, end);
    }
    return fields;
}

// A finite number written with "." as the decimal point, the whole field.
std::optional<double> numberOf(std::string_view field) {
    if (field.size() > 1 && field[0] == '+' && field[1] != '-') {
        field.remove_prefix(1);
    }
    double v = 0;
    const auto [end, ec] =
        std::from_chars(field.data(), field.data() + field.size(), v, std::chars_format::general);
    if (ec != std::errc{} || end != field.data() + field.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

// A field quoted in a message: printable ASCII, the rest shown as '?', at most 20 characters.
std::string quoted(std::string_view field) {
    std::string q = "「";
    for (std::size_t i = 0; i < std::min<std::size_t>(field.size(), 20); ++i) {
        const auto c = static_cast<unsigned char>(field[i]);
        q += c >= 0x20 && c < 0x7f ? char(c) : '?';
    }
    return q + (field.size() > 20 ? "…」" : "」");
}

// A column's name without its unit: "t (s)", "t[s]" and "t/s" are all "t"; ASCII lower case.
std::string nameOf(std::string_view field) {
    std::string name;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '(' || c == '[' || c == '/' || c == ' ' || c == '\t' ||
            field.substr(i).starts_with("（")) {
            break;
        }
        name += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    return name;
}

bool oneOf(const std::string& name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::optional<DataKind> kindOf(std::string_view first, std::string_view second) {
    const std::string a = nameOf(first), b = nameOf(second);
    if (oneOf(a, {"t", "time", "時間", "時刻"}) && oneOf(b, {"x", "変位", "displacement"})) {
        return DataKind::FreeDecay;
    }
    if (oneOf(a, {"f", "freq", "frequency", "振動数", "周波数"})) {
        return DataKind::ResponseHz;
    }
    if (oneOf(a, {"ω", "w", "omega", "角振動数"})) {
        return DataKind::ResponseOmega;
    }
    return std::nullopt;
}

std::optional<Refusal> columnCount(std::size_t count, int line) {
    if (count < 2) {
        return Refusal{line, "列が足りません (数値が2列必要です)"};
    }
    if (count > 2) {
        return Refusal{line, "列が多すぎます (数値が2列必要です)"};
    }
    return std::nullopt;
}

}  // namespace

std::variant<Table, Refusal> parseTable(std::span<const std::string> lines) {
    Table t;
    bool first = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = int(i + 1);
        const std::string_view text = trimmed(lines[i]);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        const std::vector<std::string_view> fields = fieldsOf(text);
        const bool isHeader =
            first && std::none_of(fields.begin(), fields.end(),
                                  [](std::string_view f) { return numberOf(f).has_value(); });
        first = false;
        if (auto bad = columnCount(fields.size(), line)) {
            return *bad;
        }
        if (isHeader) {
            t.header = true;
            t.headerKind = kindOf(fields[0], fields[1]);
            continue;
        }
        if (t.lines.size() == kMaxRows) {
            return Refusal{line, "行が多すぎます (データは100万行まで)"};
        }
        std::array<double, 2> row{};
        for (std::size_t c = 0; c < 2; ++c) {
            const std::optional<double> v = numberOf(fields[c]);
            if (!v) {
                return Refusal{
                    line, std::to_string(c + 1) + "列目が数値ではありません: " + quoted(fields[c])};
            }
            row[c] = *v;
        }
        t.first.push_back(row[0]);
        t.second.push_back(row[1]);
        t.lines.push_back(line);
    }
    return t;
}

std::variant<MeasuredData, Refusal> measuredData(const Table& table, DataKind kind) {
    const std::size_t n = table.lines.size();
    if (n < kMinRows) {
        return Refusal{0, "データが" + std::to_string(n) + "行しかありません (10行以上必要です)"};
    }
    const bool response = kind != DataKind::FreeDecay;
    const std::string axis = response ? "周波数" : "時刻";
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && !(table.first[i] > table.first[i - 1])) {
            return Refusal{table.lines[i],
                           axis + "が前の行より大きくありません (増加する順に並べてください)"};
        }
        if (response && table.first[i] < 0) {
            return Refusal{table.lines[i], "周波数が負です"};
        }
        if (response && table.second[i] < 0) {
            return Refusal{table.lines[i], "振幅が負です"};
        }
    }
    MeasuredData d{kind, table.first, table.second, table.lines};
    if (kind == DataKind::ResponseHz) {
        for (double& w : d.x) {
            w *= 2 * std::numbers::pi;
        }
    }
    return d;
}

std::variant<Table, Refusal> readTable(Files& files, const std::string& path) {
    std::vector<std::string> lines;
    try {
        // Enough lines for every row, a header and one row too many; comments beyond that
        // are not worth reading a huge file for.
        lines = files.readLines(path, 2 * kMaxRows + 2, kMaxLineBytes);
    } catch (const file_error& e) {
        switch (e.reason()) {
            case file_error::Reason::NotFound:
                return Refusal{0, "ファイルが見つかりません"};
            case file_error::Reason::IsFolder:
            case file_error::Reason::NotRegular:
                return Refusal{0, "ファイルではありません"};
            case file_error::Reason::AccessDenied:
                return Refusal{0, "読む権限がありません"};
            case file_error::Reason::Binary:
                return Refusal{e.line(), "制御文字があります (テキストファイルではありません)"};
            case file_error::Reason::BadEncoding:
                return Refusal{e.line(), "文字コードが UTF-8 でも Shift-JIS でもありません"};
            case file_error::Reason::LineTooLong:
                return Refusal{e.line(), "行が長すぎます"};
            default:
                return Refusal{e.line(), e.detail().empty() ? "読み込めません" : e.detail()};
        }
    }
    return parseTable(lines);
}

std::string refusalText(const Refusal& r) {
    return r.line > 0 ? std::to_string(r.line) + "行目: " + r.what : r.what;
}

}  // namespace yurana::measured
