#pragma once

// The program's two messages for values it cannot work with.

#include <string_view>

namespace yurana {

// "正しい値を半角数字で入力してください。": a failed 計算, start or apply changes.
inline constexpr std::string_view kMsgBadValue = "正しい値を半角数字で入力してください。";
// "正しい数値を半角英数字で入力し再度実行してください。": a failed pass of the main loop.
inline constexpr std::string_view kMsgBadRun =
    "正しい数値を半角英数字で入力し再度実行してください。";

}  // namespace yurana
