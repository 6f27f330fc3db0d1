#pragma once
// The profile in force and the values derived from it when it is written to
// the mouse. The UI thread edits these while the executor reads them (and
// changes the DPI level or loads the next profile), so every field is a
// relaxed atomic; a copy of the struct is a snapshot.

#include "platform/Relaxed.h"

#include <array>
#include <cstdint>

namespace vux {

inline constexpr int kButtonCount = 8;
inline constexpr int kDpiLevelCount = 4;
inline constexpr int kDpiStepCount = 5;

struct ProfileSettings {
    std::array<Relaxed<int32_t>, kButtonCount> keyFunc{}; // "K1".."K8"
    Relaxed<int32_t> wheelStatus;                         // "WHEEL_STATUS"
    Relaxed<int32_t> macroMode;                           // "MACRO_MODE2"
    Relaxed<int32_t> dpiLevel;                            // "DPI_LEVEL"
    std::array<Relaxed<uint8_t>, kDpiLevelCount> dpiSet{};     // "DPI_SET1".."DPI_SET4"
    std::array<Relaxed<uint8_t>, kDpiLevelCount> dpiEnabled{}; // "DPI_SET_EN1".."DPI_SET_EN4"
    Relaxed<uint8_t> ledStatus;                           // "LED_STATUS"
    Relaxed<uint8_t> pointerSpeed;                        // "DPI_SPEED"
    Relaxed<uint8_t> wheelSpeed;                          // "WHEEL_SPEED"
    Relaxed<int32_t> fireTime{50};                        // "FIRE_TIME"
};

// Values derived from the profile when it is loaded or applied.
struct DerivedSettings {
    std::array<Relaxed<uint8_t>, kDpiLevelCount> dpiInForce{};
    std::array<Relaxed<int32_t>, kDpiLevelCount> dpiArea{};
    Relaxed<uint8_t> ledInForce;
    Relaxed<uint8_t> ledToggle;
    std::array<Relaxed<int32_t>, kButtonCount> dpiStep{};
    Relaxed<int32_t> firstHostButton;
    Relaxed<uint8_t> driverActive{1};
};

} // namespace vux
