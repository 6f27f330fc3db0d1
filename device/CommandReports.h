#pragma once

#include <cstdint>

namespace vux {

struct AppState;

// Writes the profile in force to the mouse, the desktop and config.ini.
void applySettings(AppState& state);

} // namespace vux
