#pragma once
// Time for the workers: a monotonic clock that tests replace, and sleeps that
// end early when the worker is asked to stop.

#include <chrono>
#include <stop_token>

namespace vux {

class Clock {
public:
    using Duration = std::chrono::steady_clock::duration;
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    // Sleeps until deadline; returns false when stop was requested first.
    virtual bool sleepUntil(TimePoint deadline, std::stop_token stop) = 0;
    bool sleepFor(Duration d, std::stop_token stop) { return sleepUntil(now() + d, stop); }
};

} // namespace vux
