#pragma once
// The single-entry mailbox between the device event reader and the button
// action executor. The reader writes eventCode before it publishes
// eventPending (release); the executor reads eventCode only after it has seen
// eventPending set (acquire), and waits on eventPending instead of polling.

#include "platform/Relaxed.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace vux {

struct EventMailbox {
    std::atomic<int32_t> eventPending{0};
    Relaxed<uint8_t> eventCode;
    Relaxed<int32_t> stopRequest;
    // The last input report read; only the reader touches it.
    std::array<uint8_t, 256> inputReport{};
};

} // namespace vux
