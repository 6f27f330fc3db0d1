#pragma once
// The profile in force and the values derived from it when it is written to
// the mouse. The UI thread edits these while the executor reads them (and
// changes the DPI level or loads the next profile), so every field is a
// relaxed atomic; a copy of the struct is a snapshot.

#include "platform/Relaxed.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace vux {

struct AppState;

inline constexpr int kButtonCount = 8;
inline constexpr int kDpiLevelCount = 4;
inline constexpr int kDpiStepCount = 5;

struct ProfileSettings {
    std::array<Relaxed<int32_t>, kButtonCount> keyFunc{};      // "K1".."K8"
    Relaxed<int32_t> wheelStatus;                              // "WHEEL_STATUS"
    Relaxed<int32_t> macroMode;                                // "MACRO_MODE2"
    Relaxed<int32_t> dpiLevel;                                 // "DPI_LEVEL"
    std::array<Relaxed<uint8_t>, kDpiLevelCount> dpiSet{};     // "DPI_SET1".."DPI_SET4"
    std::array<Relaxed<uint8_t>, kDpiLevelCount> dpiEnabled{}; // "DPI_SET_EN1".."DPI_SET_EN4"
    Relaxed<uint8_t> ledStatus;                                // "LED_STATUS"
    Relaxed<uint8_t> pointerSpeed;                             // "DPI_SPEED"
    Relaxed<uint8_t> wheelSpeed;                               // "WHEEL_SPEED"
    Relaxed<int32_t> fireTime{50};                             // "FIRE_TIME"
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

// Factory values of a profile (the DPI steps of levels 1..4).
inline constexpr std::array<uint8_t, kDpiLevelCount> factoryDpiSet{1, 2, 4, 0};
inline constexpr uint8_t kFactoryPointerSpeed = 4;
inline constexpr uint8_t kFactoryWheelSpeed = 2;
inline constexpr int32_t kFactoryFireTime = 50;

// The DPI level as an index 0..3. DPI_LEVEL comes from a file a user may have
// edited, so code that indexes dpiSet, dpiEnabled, dpiInForce or dpiArea with
// the level goes through here: a value outside 0..3 is clamped to the nearest level.
constexpr std::size_t dpiLevelIndex(int32_t dpiLevel) {
    return static_cast<std::size_t>(std::clamp<int32_t>(dpiLevel, 0, kDpiLevelCount - 1));
}

// Row of the main layout that shows the chosen step of a DPI level: step + 60 + 5 x level.
// A hand-edited step (up to 255) gives a row beyond the layout; painters check rows.
constexpr int32_t dpiAreaOf(int level, uint8_t step) {
    return step + 60 + 5 * level;
}

// The factory profile: default buttons, DPI steps 1, 2, 4, 0 on four enabled
// levels, level 0, light 0, pointer speed 4, wheel speed 2, fire time 50.
// macroMode keeps its value. Also sets dpiInForce and dpiArea.
void setFactoryProfile(AppState& state);

} // namespace vux
