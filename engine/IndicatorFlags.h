#pragma once
// Flags of the blinking prompt and the light-mode preview.

#include "platform/Relaxed.h"

#include <cstdint>

namespace vux {

struct IndicatorFlags {
    Relaxed<uint8_t> blinkOn;
    Relaxed<uint8_t> blinkLaunched;
    Relaxed<int32_t> animLevel;
    Relaxed<uint8_t> animOff;
    Relaxed<uint8_t> animRunning;
};

} // namespace vux
