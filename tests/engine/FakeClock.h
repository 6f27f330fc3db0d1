#pragma once
// A clock for tests: time stands still until someone sleeps, and a sleep moves
// it to the deadline at once (plus an optional lateness, as a busy machine
// would wake up late). A hook runs at each sleep so a test can act "during" a
// delay: set a stop request, edit the macro table.

#include "platform/Clock.h"

#include <functional>
#include <mutex>
#include <vector>

namespace vux::test {

class FakeClock final : public Clock {
public:
    using Hook = std::function<void(int sleepIndex)>;

    TimePoint now() const override {
        std::lock_guard lock(m_);
        return now_;
    }

    bool sleepUntil(TimePoint deadline, std::stop_token stop) override {
        Hook hook;
        int index;
        {
            std::lock_guard lock(m_);
            index = static_cast<int>(sleeps_.size());
            sleeps_.push_back(deadline - now_);
            if (deadline > now_)
                now_ = deadline;
            now_ += index < static_cast<int>(lateness_.size())
                        ? lateness_[static_cast<std::size_t>(index)]
                        : defaultLateness_;
            hook = hook_;
        }
        if (hook)
            hook(index);
        return !stop.stop_requested();
    }

    void setHook(Hook hook) {
        std::lock_guard lock(m_);
        hook_ = std::move(hook);
    }
    // Every wake-up comes this late; per-sleep values override it.
    void setLateness(Duration late) {
        std::lock_guard lock(m_);
        defaultLateness_ = late;
    }
    void setLatenessOf(std::vector<Duration> perSleep) {
        std::lock_guard lock(m_);
        lateness_ = std::move(perSleep);
    }
    // What each sleep asked for: deadline minus the time when it was called.
    std::vector<Duration> sleeps() const {
        std::lock_guard lock(m_);
        return sleeps_;
    }
    Duration elapsed() const { return now() - TimePoint{}; }

private:
    mutable std::mutex m_;
    TimePoint now_{};
    std::vector<Duration> sleeps_;
    std::vector<Duration> lateness_;
    Duration defaultLateness_{};
    Hook hook_;
};

} // namespace vux::test
