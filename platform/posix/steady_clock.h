#pragma once

#include <chrono>

#include "platform/clock.h"

namespace yurana {

// The real clock: std::chrono::steady_clock, seconds since an arbitrary origin.
class SteadyClock : public Clock {
  public:
    double now() const override {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace yurana
