#pragma once
// The small workers that animate the window: the blinking prompt and the
// light-mode preview. They change flags and ask for a repaint; they never draw.

#include <chrono>
#include <stop_token>

namespace vux {

struct AppState;

inline constexpr std::chrono::milliseconds kBlinkPhase{500};
inline constexpr int kBlinkPhasesPerBatch = 6;
inline constexpr std::chrono::milliseconds kAnimFastPhase{800};  // light mode 1
inline constexpr std::chrono::milliseconds kAnimSlowPhase{1200}; // every other mode
inline constexpr std::chrono::milliseconds kAnimLevelHold{2000}; // a new level's colour

// Blinks the prompt that asks for a click on the marked button while the main
// page shows and the hand-over waits; ends by itself (or on stop) with the
// number drawn, and clears blinkRunning when it ends.
void blinkLoop(AppState& state, std::stop_token stop);

// Previews the light mode on the DPI/light page; ends by itself when another
// page shows (or on stop) and clears animRunning when it ends.
void animationLoop(AppState& state, std::stop_token stop);

} // namespace vux
