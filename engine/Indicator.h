#pragma once
// The small workers that animate the window: the blinking prompt and the
// light-mode preview. They change flags and ask for a repaint; they never draw.

#include <stop_token>

namespace vux {

struct AppState;

// Blinks the prompt that asks for a click on the marked button; ends by itself
// and clears blinkRunning when it ends.
void blinkLoop(AppState& state, std::stop_token stop);

} // namespace vux
