// Reading a measured file: its columns, header and separators, and each refusal named by
// its line.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "measured/measured_data.h"
#include "measured/thinning.h"

namespace yurana::measured {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Ten rows "<i>.5<sep><2i>e-3" after `head`.
std::string rows(const std::string& head, const std::string& sep, int count = 10) {
    std::string text = head;
    for (int i = 0; i < count; ++i) {
        text += std::to_string(i) + ".5" + sep + std::to_string(2 * i) + "e-3\n";
    }
    return text;
}

std::variant<MeasuredData, Refusal> read(const std::string& text, DataKind kind) {
    const std::vector<std::string> lines = linesOf(text);
    const auto table = parseTable(lines);
    if (const Refusal* r = std::get_if<Refusal>(&table)) {
        return *r;
    }
    return measuredData(std::get<Table>(table), kind);
}

TEST(MeasuredData, ColumnsHeadersAndSeparators) {
    for (const std::string sep : {",", " ; ", "\t", "   ", " , "}) {
        const auto d = read(rows("# a comment\n\n", sep), DataKind::FreeDecay);
        ASSERT_TRUE(std::holds_alternative<MeasuredData>(d)) << std::get<Refusal>(d).what;
        const MeasuredData& data = std::get<MeasuredData>(d);
        ASSERT_EQ(data.x.size(), 10u);
        EXPECT_DOUBLE_EQ(data.x[3], 3.5);
        EXPECT_DOUBLE_EQ(data.y[4], 8e-3);
        EXPECT_EQ(data.lines.front(), 3);
    }
    const std::pair<std::string, std::optional<DataKind>> headers[] = {
        {"t (s), x (m)\n", DataKind::FreeDecay},
        {"Time[s]\tX[m]\n", DataKind::FreeDecay},
        {"f/Hz;amplitude\n", DataKind::ResponseHz},
        {"ω (rad/s), X\n", DataKind::ResponseOmega},
        {"omega amplitude\n", DataKind::ResponseOmega},
        {"t, y\n", std::nullopt},
        {"a b\n", std::nullopt},
    };
    for (const auto& [head, kind] : headers) {
        const std::vector<std::string> lines = linesOf(rows(head, ","));
        const Table t = std::get<Table>(parseTable(lines));
        EXPECT_TRUE(t.header) << head;
        EXPECT_EQ(t.headerKind, kind) << head;
        EXPECT_EQ(t.lines.front(), 2);
    }
    // Hz become rad/s.
    const auto hz = read(rows("", ","), DataKind::ResponseHz);
    EXPECT_DOUBLE_EQ(std::get<MeasuredData>(hz).x[2], 2.5 * 2 * std::numbers::pi);
}

TEST(MeasuredData, RefusalsNameTheLineAndWhatIsWrong) {
    const std::string ten = rows("", ",");
    struct Case {
        std::string text;
        DataKind kind;
        int line;
        std::string what;
    };
    const Case cases[] = {
        {"t,x\n0.5\n" + ten, DataKind::FreeDecay, 2, "列が足りません"},
        {ten + "12,1,2\n", DataKind::FreeDecay, 11, "列が多すぎます"},
        {ten + "12,abc\n", DataKind::FreeDecay, 11, "2列目が数値ではありません: 「abc」"},
        {"1,2\n3,4x\n" + ten, DataKind::FreeDecay, 2, "2列目が数値ではありません: 「4x」"},
        // A decimal comma reads as two columns.
        {"0.1,1\n0,5\n" + ten, DataKind::FreeDecay, 2, "時刻が前の行より大きくありません"},
        {ten + "1,5;2\n", DataKind::FreeDecay, 11, "列が多すぎます"},
        {ten + "12,\n", DataKind::FreeDecay, 11, "2列目が数値ではありません: 「」"},
        {ten + "nan,1\n", DataKind::FreeDecay, 11, "1列目が数値ではありません: 「nan」"},
        {ten + "1e999,1\n", DataKind::FreeDecay, 11, "1列目が数値ではありません"},
        {"# c\n" + ten + "9.5,1\n", DataKind::FreeDecay, 12, "時刻が前の行より大きくありません"},
        {ten + "9.5,1\n", DataKind::ResponseHz, 11, "周波数が前の行より大きくありません"},
        {"-1,1\n" + ten, DataKind::ResponseOmega, 1, "周波数が負です"},
        {ten + "20,-1\n", DataKind::ResponseHz, 11, "振幅が負です"},
        {rows("t,x\n", ",", 9), DataKind::FreeDecay, 0, "データが9行しかありません"},
        {"t,x\n", DataKind::FreeDecay, 0, "データが0行しかありません"},
    };
    for (const Case& c : cases) {
        const auto d = read(c.text, c.kind);
        ASSERT_TRUE(std::holds_alternative<Refusal>(d)) << c.what;
        const Refusal& r = std::get<Refusal>(d);
        EXPECT_EQ(r.line, c.line) << c.what << ": " << r.what;
        EXPECT_EQ(r.what.rfind(c.what, 0), 0u) << r.what;
    }
    EXPECT_EQ(refusalText({7, "列が足りません"}), "7行目: 列が足りません");
    EXPECT_EQ(refusalText({0, "x"}), "x");
}

TEST(MeasuredData, AMillionRowsAndNoMore) {
    std::vector<std::string> lines{"t x"};
    for (std::size_t i = 0; i < kMaxRows; ++i) {
        lines.push_back(std::to_string(i) + " 1");
    }
    EXPECT_TRUE(std::holds_alternative<Table>(parseTable(lines)));
    lines.push_back("2000000 1");
    const Refusal r = std::get<Refusal>(parseTable(lines));
    EXPECT_EQ(r.line, int(kMaxRows) + 2);
    EXPECT_EQ(r.what, "行が多すぎます (データは100万行まで)");
}

TEST(MeasuredData, ThinnedForDrawingKeepEveryExtreme) {
    std::vector<double> y;
    for (int i = 0; i < 10007; ++i) {
        y.push_back(std::sin(i * 0.37) * (i == 7321 ? 9 : 1) - (i == 123 ? 5 : 0));
    }
    const std::vector<std::size_t> kept = thinnedIndices(y, 400);
    EXPECT_LE(kept.size(), 400u);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_TRUE(std::adjacent_find(kept.begin(), kept.end()) == kept.end());
    for (const std::size_t extreme : {std::size_t(7321), std::size_t(123)}) {
        EXPECT_NE(std::find(kept.begin(), kept.end(), extreme), kept.end()) << extreme;
    }
    EXPECT_EQ(thinnedIndices(std::span(y).first(30), 400).size(), 30u);
}

}  // namespace
}  // namespace yurana::measured
