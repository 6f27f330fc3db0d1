#include "platform/SteadyClock.h"

namespace vux {

Clock::TimePoint SteadyClock::now() const {
    return std::chrono::steady_clock::now();
}

bool SteadyClock::sleepUntil(TimePoint deadline, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    // Nothing but a stop request ends the wait early; spurious wake-ups are
    // absorbed by the predicate form, which waits again until the deadline.
    wake_.wait_until(lock, stop, deadline, [] { return false; });
    return !stop.stop_requested();
}

} // namespace vux
