#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace yurana {

// The one failure of the core. A step "fails" by throwing it; only the handlers the
// system names catch it (the 計算 command, the run controls, the main loop's recovery).
class calc_error : public std::runtime_error {
  public:
    enum class Kind { DivisionByZero, NegativeSqrt, Overflow, TypeMismatch, InvalidCall };

    calc_error(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

// Runs `f`; a failure ends it where it happens and is reported by no one (a recompute step,
// a handler the original gave no error handling).
template <typename F>
void silently(F f) {
    try {
        f();
    } catch (const calc_error&) {
    }
}

// `f()`, or nothing where it fails: a reading of typed text that may not be a number.
template <typename F>
auto valueOrNone(F f) -> std::optional<decltype(f())> {
    try {
        return f();
    } catch (const calc_error&) {
        return std::nullopt;
    }
}

}  // namespace yurana
