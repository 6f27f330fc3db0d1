#include "engine/MacroPlayer.h"

#include "app/AppState.h"
#include "platform/Clock.h"
#include "platform/input/InputInjector.h"
#include "platform/input/KeyMap.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace vux {

namespace {

constexpr std::array<uint8_t, 18> kExtendedKeys{33, 34, 35, 36, 37,  38,  39,  40,  44,
                                                45, 46, 91, 93, 111, 144, 161, 163, 165};

struct FixedScan {
    uint8_t vk;
    uint8_t scan;
};
constexpr std::array<FixedScan, 3> kFixedScanCodes{{{44, 0x37}, {19, 0x45}, {91, 0x5B}}};

struct MouseFlags {
    uint32_t down;
    uint32_t up;
};

MouseFlags mouseFlagsOf(uint8_t keyCode) {
    if (keyCode == kKeyMouseLeft)
        return {kMouseLeftDown, kMouseLeftUp};
    if (keyCode == kKeyMouseRight)
        return {kMouseRightDown, kMouseRightUp};
    return {kMouseMiddleDown, kMouseMiddleUp}; // 242..255
}

// A wake-up this late means the thread was held up (a stalled machine): the
// following delays count from now instead of replaying the backlog as a burst.
constexpr auto kMaxCatchUp = std::chrono::milliseconds(50);

void inject(const MacroEvent& event, InputInjector& injector) {
    if (event.action != kActionDown && event.action != kActionUp)
        return;
    const bool down = event.action == kActionDown;
    if (event.keyCode >= kKeyMouseLeft) {
        const MouseFlags flags = mouseFlagsOf(event.keyCode);
        injector.mouseEvent(down ? flags.down : flags.up);
        return;
    }
    uint32_t flags = isExtendedMacroKey(event.keyCode) ? kKeyEventExtendedKey : 0;
    if (!down)
        flags |= kKeyEventKeyUp;
    injector.keybdEvent(event.keyCode, macroScanCode(event.keyCode), flags);
}

} // namespace

uint8_t macroScanCode(uint8_t vk) {
    for (const FixedScan& f : kFixedScanCodes)
        if (f.vk == vk)
            return f.scan;
    return virtualKeyToScanCode(vk);
}

bool isExtendedMacroKey(uint8_t vk) {
    return std::find(kExtendedKeys.begin(), kExtendedKeys.end(), vk) != kExtendedKeys.end();
}

void playMacroSlot(const MacroSlot& macro, bool holdMode, const PlaybackContext& context) {
    int32_t repetitions = 1;
    if (holdMode)
        repetitions = kHoldModeRepetitions;
    else if (macro.repeatEnabled != 0)
        repetitions = macro.repeatCount;

    // Delays are counted from absolute deadlines, so the time spent injecting
    // and waking up does not add up over a long macro.
    Clock::TimePoint deadline = context.clock.now();
    for (int32_t r = 0; r < repetitions; ++r) {
        for (int k = 0; k < macro.eventCount; ++k) {
            inject(macro.events[k], context.injector);
            deadline += std::chrono::milliseconds(macro.delays[k]);
            if (!context.clock.sleepUntil(deadline, context.stop))
                return;
            const Clock::TimePoint now = context.clock.now();
            if (now - deadline > kMaxCatchUp)
                deadline = now;
            // A stop takes effect only once the delay of the event has passed.
            if (context.stopRequest.load() == 1)
                return;
        }
        if (context.stopRequest.load() == 1 || context.stop.stop_requested())
            return;
    }
}

void playMacro(AppState& state, int index, std::stop_token stop) {
    if (!state.platform.injector || !state.platform.clock)
        return;
    const MacroSlot macro = state.macros.snapshot(index);
    const bool holdMode = state.profile.macroMode.load() != 0;
    playMacroSlot(macro, holdMode,
                  PlaybackContext{*state.platform.injector, *state.platform.clock,
                                  state.mailbox.stopRequest, stop});
}

} // namespace vux
