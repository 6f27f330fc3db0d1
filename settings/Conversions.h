#pragma once
// Profile values as the mouse and the desktop receive them.

#include <array>
#include <cstdint>

namespace vux {

// Windows pointer speed (1..20 scale) of pointerSpeed 0..8; anything else is the fastest used, 18.
inline constexpr std::array<int, 9> kWindowsPointerSpeeds{1, 2, 4, 6, 8, 10, 12, 14, 16};
inline constexpr int kFastestWindowsPointerSpeed = 18;

constexpr int windowsPointerSpeed(uint8_t pointerSpeed) {
    return pointerSpeed < kWindowsPointerSpeeds.size() ? kWindowsPointerSpeeds[pointerSpeed]
                                                       : kFastestWindowsPointerSpeed;
}

// Wheel scroll lines: wheelSpeed + 1, modulo 256.
constexpr uint8_t wheelScrollLines(uint8_t wheelSpeed) {
    return static_cast<uint8_t>(wheelSpeed + 1);
}

// The fire-time byte: milliseconds / 8, truncated toward zero, low 8 bits (0..37 for 0..300).
constexpr uint8_t fireTimeByte(int32_t fireTime) {
    return static_cast<uint8_t>(fireTime / 8);
}

// The DPI/light byte: bit 7 set, bits 4..6 the DPI step, bits 0..3 the light
// mode for steps 0..4 and modes 0..3; ((step + 8) x 16 + light) modulo 256 in general.
constexpr uint8_t dpiReportByte(uint8_t step, uint8_t light) {
    return static_cast<uint8_t>((step + 8) * 16 + light);
}

} // namespace vux
