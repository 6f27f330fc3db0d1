#pragma once
// Button function codes: what the mouse does itself and what it hands to the computer.

#include <array>
#include <cstdint>

namespace vux {

// The mouse's own id of buttons 1..8; a press of button i arrives as 240 + buttonHwCode[i-1].
inline constexpr std::array<uint8_t, 8> buttonHwCode{1, 2, 3, 5, 4, 6, 8, 9};
inline constexpr std::array<int32_t, 8> defaultKeyFunc{1, 2, 3, 5, 4, 18, 17, 13};
inline constexpr int kHostDeviceCode = 31;

} // namespace vux
