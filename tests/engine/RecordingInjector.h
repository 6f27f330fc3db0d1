#pragma once
// An injector that records what it was asked to send, with the time of the
// test clock, and lets a test wait for a number of events.

#include "platform/Clock.h"
#include "platform/input/InputInjector.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <vector>

namespace vux::test {

struct Injected {
    enum Kind { Key, Mouse } kind;
    uint8_t vk = 0;
    uint8_t scan = 0;
    uint32_t flags = 0;

    static Injected key(uint8_t vk, uint8_t scan, uint32_t flags) { return {Key, vk, scan, flags}; }
    static Injected mouse(uint32_t flags) { return {Mouse, 0, 0, flags}; }
    friend bool operator==(const Injected&, const Injected&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Injected& e) {
        if (e.kind == Mouse)
            return os << "mouse(0x" << std::hex << e.flags << std::dec << ")";
        return os << "key(" << int(e.vk) << ", 0x" << std::hex << int(e.scan) << ", " << e.flags
                  << std::dec << ")";
    }
};

class RecordingInjector final : public InputInjector {
public:
    explicit RecordingInjector(const Clock* clock = nullptr) : clock_(clock) {}

    void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) override {
        record(Injected::key(vk, scan, flags));
    }
    void mouseEvent(uint32_t flags) override { record(Injected::mouse(flags)); }

    std::vector<Injected> events() const {
        std::lock_guard lock(m_);
        return events_;
    }
    std::vector<Clock::TimePoint> times() const {
        std::lock_guard lock(m_);
        return times_;
    }
    // Waits (at most timeout, real time) until count events have been recorded.
    bool waitForCount(std::size_t count,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) const {
        std::unique_lock lock(m_);
        return changed_.wait_for(lock, timeout, [&] { return events_.size() >= count; });
    }

private:
    void record(const Injected& e) {
        {
            std::lock_guard lock(m_);
            events_.push_back(e);
            times_.push_back(clock_ ? clock_->now() : Clock::TimePoint{});
        }
        changed_.notify_all();
    }

    const Clock* clock_;
    mutable std::mutex m_;
    mutable std::condition_variable changed_;
    std::vector<Injected> events_;
    std::vector<Clock::TimePoint> times_;
};

} // namespace vux::test
