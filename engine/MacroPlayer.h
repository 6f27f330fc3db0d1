#pragma once
// Replays a macro as synthesized key and mouse-button input with its recorded
// delays, on the executor's worker.

#include "macros/MacroTable.h"

#include <cstdint>
#include <stop_token>

namespace vux {

struct AppState;
class Clock;
class InputInjector;

inline constexpr int32_t kHoldModeRepetitions = 100000;

// Everything a playback touches besides the macro itself.
struct PlaybackContext {
    InputInjector& injector;
    Clock& clock;
    const Relaxed<int32_t>& stopRequest; // set by the reader: a second press or the release
    std::stop_token stop;                // the program ends
};

// Plays entry index of the macro table (0 <= index < macroCount), from a copy
// taken at the start so that editing or reloading the table meanwhile is safe.
void playMacro(AppState& state, int index, std::stop_token stop);

// Plays one macro; holdMode: repeat until stopped, whatever the repeat settings.
void playMacroSlot(const MacroSlot& macro, bool holdMode, const PlaybackContext& context);

// The scan code sent with a key of a macro (a few keys have fixed ones).
uint8_t macroScanCode(uint8_t vk);
// Whether a key goes out with the extended-key flag.
bool isExtendedMacroKey(uint8_t vk);

} // namespace vux
