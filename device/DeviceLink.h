#pragma once
// The mouse's two vendor channels and what discovery learnt about them.

#include "platform/Relaxed.h"

#include <QString>

#include <cstdint>

namespace vux {

struct DeviceLink {
    static constexpr uint16_t vendorId = 0x18F8;
    static constexpr uint16_t productId = 0x0F99;

    Relaxed<uint8_t> connected;
    Guarded<QString> devicePath;
};

} // namespace vux
