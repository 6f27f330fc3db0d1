#pragma once
// An injector for the engine benchmarks: stores the steady-clock time of each
// injection and wakes a waiter. Nothing reaches the desktop.

#include "platform/input/InputInjector.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace vux::bench {

class TimestampInjector final : public InputInjector {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    explicit TimestampInjector(std::size_t capacity = 4096) { times_.reserve(capacity); }

    void keybdEvent(uint8_t, uint8_t, uint32_t) override { stamp(); }
    void mouseEvent(uint32_t) override { stamp(); }

    // Waits until count injections have happened; false after timeout.
    bool waitForCount(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(m_);
        return cv_.wait_for(lock, timeout, [&] { return times_.size() >= count; });
    }
    std::vector<TimePoint> times() {
        std::lock_guard lock(m_);
        return times_;
    }
    void clear() {
        std::lock_guard lock(m_);
        times_.clear();
    }

private:
    void stamp() {
        const TimePoint now = std::chrono::steady_clock::now();
        {
            std::lock_guard lock(m_);
            times_.push_back(now);
        }
        cv_.notify_all();
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::vector<TimePoint> times_;
};

// p-th percentile (0..100) of values, which it sorts.
template <class T> T percentile(std::vector<T>& values, double p) {
    if (values.empty())
        return T{};
    std::sort(values.begin(), values.end());
    const auto index =
        static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

} // namespace vux::bench
