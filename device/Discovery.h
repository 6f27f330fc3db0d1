#pragma once

#include <cstdint>

namespace vux {

struct AppState;

// Looks for the mouse's read and write channels; returns connected (0 or 1).
uint8_t discoverDevice(AppState& state);

} // namespace vux
