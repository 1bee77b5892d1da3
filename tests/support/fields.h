#pragma once

// Compares several values at once and names each one that differs, so that a failure of a
// many-field check says which field is wrong rather than printing two long tuples.
//
//     EXPECT_FIELDS("caption, joutai", std::tuple(panel.text(...), run.joutai),
//                   std::tuple("開始"s, kStopped));

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace yurana::test {

inline std::vector<std::string> fieldNames(std::string_view names) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t comma = std::min(names.find(',', start), names.size());
        std::string_view name = names.substr(start, comma - start);
        while (!name.empty() && name.front() == ' ') {
            name.remove_prefix(1);
        }
        out.emplace_back(name);
        start = comma + 1;
    }
    return out;
}

template <class Actual, class Expected>
void expectFields(const char* file, int line, std::string_view names, const Actual& actual,
                  const Expected& expected) {
    static_assert(std::tuple_size_v<Actual> == std::tuple_size_v<Expected>);
    const std::vector<std::string> named = fieldNames(names);
    EXPECT_EQ(named.size(), std::tuple_size_v<Actual>) << "names: " << names;
    auto one = [&]<std::size_t I>(std::integral_constant<std::size_t, I>) {
        const auto& a = std::get<I>(actual);
        const auto& e = std::get<I>(expected);
        if (!(a == e)) {
            const std::string name = I < named.size() ? named[I] : "#" + std::to_string(I);
            ADD_FAILURE_AT(file, line) << name << " is " << ::testing::PrintToString(a)
                                       << ", expected " << ::testing::PrintToString(e);
        }
    };
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (one(std::integral_constant<std::size_t, I>{}), ...);
    }
    (std::make_index_sequence<std::tuple_size_v<Actual>>{});
}

}  // namespace yurana::test

#define EXPECT_FIELDS(names, actual, expected) \
    ::yurana::test::expectFields(__FILE__, __LINE__, names, actual, expected)
