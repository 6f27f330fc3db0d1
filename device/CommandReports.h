#pragma once
// The feature reports that carry settings to the mouse. Every report is built
// in the link's one featureReport buffer: a command sets only the bytes of its
// layout, the others keep what the previous command left there.

#include <cstdint>

namespace vux {

struct AppState;

inline constexpr uint8_t kCommandReportId = 7;

enum class Command : uint8_t {
    SetButtonFunction = 0x10,
    SetWheelStatus = 0x11,
    SetDpiAndLight = 0x09,
    SetFireTime = 0x12,
    CloseNotice = 0x20,
};

// Light mode 3 is "off"; the light toggle switches between it and the profile's mode.
inline constexpr uint8_t kLightOff = 3;

// Writes the profile in force to the mouse, the desktop and config.ini.
void applySettings(AppState& state);

// SetDpiAndLight from the current dpiLevel and dpiInForce with the given light.
void sendDpiReport(AppState& state, uint8_t light);

// After a mouse button has changed dpiLevel: the report (light off stays off),
// a repaint, and the level stored in the current profile.
void reportDpiLevelChange(AppState& state);

// Function 19: toggles between light off and the profile's light mode, sends
// it and repaints. Nothing is stored.
void toggleLight(AppState& state);

// The notice the close sequence sends: 07 20 00 00, later bytes kept.
void sendCloseNotice(AppState& state);

// The Windows pointer speed of a DPI_SPEED index (0..8 → 1..16, else 18).
int desktopPointerSpeedOf(uint8_t pointerSpeed);

} // namespace vux
