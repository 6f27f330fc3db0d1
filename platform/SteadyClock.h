#pragma once
// The program's clock: CLOCK_MONOTONIC time, and sleeps that block on a
// condition until the deadline passes or the worker is asked to stop.

#include "platform/Clock.h"

#include <condition_variable>
#include <mutex>

namespace vux {

class SteadyClock final : public Clock {
public:
    TimePoint now() const override;
    bool sleepUntil(TimePoint deadline, std::stop_token stop) override;

private:
    std::mutex mutex_;
    std::condition_variable_any wake_;
};

} // namespace vux
