#pragma once

#include "platform/hid/HidBackend.h"

#include <cstdint>

namespace vux {

struct AppState;

// At most this many interface indices are examined by one search.
inline constexpr int kMaxInterfaceIndex = 100;

// Looks for the mouse's read and write channels; returns connected (0 or 1):
// the match result of the last interface examined.
uint8_t discoverDevice(AppState& state);

// True when the notice names the mouse's interface path, letter case aside.
bool matchesDevicePath(const AppState& state, const hid::DeviceChange& change);

enum class DeviceChangeOutcome {
    None,
    MouseRemoved, // the program must end: tray icon removed, window destroyed
};

// The window's reaction to a hot-plug notice: an arrival of the known path
// searches again while not connected; its removal disconnects.
DeviceChangeOutcome handleDeviceChange(AppState& state, const hid::DeviceChange& change);

} // namespace vux
