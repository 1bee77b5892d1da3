#pragma once

namespace yurana {

// A monotonic clock in seconds. The animation time is always taken from it, never
// from a frame count.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

}  // namespace yurana
