#include "engine/Executor.h"

#include "app/AppState.h"
#include "device/CommandReports.h"
#include "engine/HostActions.h"
#include "engine/MacroPlayer.h"
#include "platform/Clock.h"
#include "platform/input/InputInjector.h"
#include "platform/input/KeyMap.h"
#include "settings/FunctionCodes.h"
#include "settings/ProfileStore.h"

#include <array>
#include <atomic>
#include <chrono>

namespace vux {

namespace {

inline constexpr int32_t kFuncLightToggle = 19;
inline constexpr int32_t kFuncMute = 26;
inline constexpr int32_t kFuncNextProfile = 40;
inline constexpr int32_t kFuncFirstMacro = 41;
inline constexpr int kPressCodeBase = 240;
inline constexpr int kProfileCount = 5;

inline constexpr uint8_t kVkControl = 0x11;
inline constexpr uint8_t kVkMenu = 0x12; // Alt
inline constexpr uint8_t kVkF4 = 0x73;
inline constexpr uint8_t kVkVolumeMute = 0xAD;

// The empty mailbox's value while the executor is being stopped: an atomic
// wait only returns when the value changes, and the reader leaves a non-empty
// mailbox alone.
inline constexpr int32_t kMailboxClosed = -1;

// Modifier down, key down, pause, key up, modifier up. The modifier goes out
// with scan code 0, the key with its own.
struct KeyCombination {
    int32_t functionCode;
    uint8_t modifier;
    uint8_t key;
    std::chrono::milliseconds pause;
};

constexpr std::array<KeyCombination, 5> kKeyCombinations{{
    {31, kVkControl, 'C', std::chrono::milliseconds(20)},
    {32, kVkControl, 'V', std::chrono::milliseconds(20)},
    {33, kVkControl, 'A', std::chrono::milliseconds(20)},
    {34, kVkControl, 'Z', std::chrono::milliseconds(20)},
    {35, kVkMenu, kVkF4, std::chrono::milliseconds(0)},
}};

void sendKeyCombination(AppState& state, const KeyCombination& combo, std::stop_token stop) {
    InputInjector* injector = state.platform.injector;
    if (!injector)
        return;
    const uint8_t scan = virtualKeyToScanCode(combo.key);
    injector->keybdEvent(combo.modifier, 0, 0);
    injector->keybdEvent(combo.key, scan, 0);
    // The releases go out even when the program is ending, so no key stays down.
    if (combo.pause.count() > 0 && state.platform.clock)
        state.platform.clock->sleepFor(combo.pause, stop);
    injector->keybdEvent(combo.key, scan, kKeyEventKeyUp);
    injector->keybdEvent(combo.modifier, 0, kKeyEventKeyUp);
}

// Levels are looked at from the one in force; a level is taken only when it
// is enabled. With no level enabled at all the cycle gives up after one round.
int32_t steppedDpiLevel(const ProfileSettings& profile, int32_t level, int32_t step) {
    auto enabled = [&](int32_t l) {
        return profile.dpiEnabled[static_cast<std::size_t>(l)].load() == 1;
    };
    if (level < 0 || level >= kDpiLevelCount)
        return level;
    if (step == -1) {
        for (int32_t l = level - 1; l >= 0; --l)
            if (enabled(l))
                return l;
    } else if (step == 1) {
        for (int32_t l = level + 1; l < kDpiLevelCount; ++l)
            if (enabled(l))
                return l;
    } else if (step == 2) {
        int32_t l = level;
        for (int tries = 0; tries < kDpiLevelCount; ++tries) {
            l = l == kDpiLevelCount - 1 ? 0 : l + 1;
            if (enabled(l))
                return l;
        }
    }
    return level;
}

void stepDpi(AppState& state, int32_t step) {
    state.profile.dpiLevel = steppedDpiLevel(state.profile, state.profile.dpiLevel.load(), step);
    // Sent and stored whether or not the level changed.
    reportDpiLevelChange(state);
}

void switchToNextProfile(AppState& state) {
    const int32_t current = state.shell.currentProfile.load();
    // A value outside 1..5 (a hand-edited "CurConfig") starts over at 1
    // instead of naming a profile section that does not exist.
    const int32_t next = (current >= kProfileCount || current < 1) ? 1 : current + 1;
    state.shell.currentProfile = next;
    loadProfile(state, state.shell.configPath, next, false);
    applySettings(state);
    state.requestRepaint();
}

void runFunction(AppState& state, int32_t functionCode, std::stop_token stop) {
    for (const KeyCombination& combo : kKeyCombinations)
        if (combo.functionCode == functionCode) {
            sendKeyCombination(state, combo, stop);
            return;
        }
    if (functionCode == kFuncMute) {
        // A key-down alone: the mute key acts on the press.
        if (state.platform.injector)
            state.platform.injector->keybdEvent(kVkVolumeMute, 0, 0);
    } else if (functionCode == kFuncLightToggle) {
        toggleLight(state);
    } else if (functionCode == kFuncNextProfile) {
        switchToNextProfile(state);
    } else if (isHostAction(functionCode)) {
        if (state.platform.launcher)
            runHostAction(functionCode, *state.platform.launcher);
    }
}

void handleButton(AppState& state, std::size_t button, std::stop_token stop) {
    const int32_t step = state.derived.dpiStep[button].load();
    if (step != 0) {
        stepDpi(state, step);
        return;
    }
    const int32_t functionCode = state.profile.keyFunc[button].load();
    const int64_t macro = int64_t{functionCode} - kFuncFirstMacro;
    if (macro >= 0 && macro < state.macros.macroCount.load()) {
        playMacro(state, static_cast<int>(macro), stop);
        return;
    }
    if (macro >= 0)
        return; // a macro code beyond the macros in use (after a delete)
    runFunction(state, functionCode, stop);
}

} // namespace

void dispatchButtonEvent(AppState& state, uint8_t eventCode, std::stop_token stop) {
    // The eight device codes differ, so at most one button matches.
    for (std::size_t i = 0; i < buttonHwCode.size(); ++i)
        if (eventCode == kPressCodeBase + buttonHwCode[i])
            handleButton(state, i, stop);
}

void executorLoop(AppState& state, std::stop_token stop) {
    EventMailbox& mailbox = state.mailbox;
    std::stop_callback wakeForStop(stop, [&mailbox] {
        // Pairs with the fence after the executor empties the mailbox: either
        // it sees the stop request or this sees the empty mailbox and closes it.
        std::atomic_thread_fence(std::memory_order_seq_cst);
        int32_t empty = 0;
        mailbox.eventPending.compare_exchange_strong(empty, kMailboxClosed);
        mailbox.eventPending.notify_all();
    });

    while (!stop.stop_requested()) {
        mailbox.eventPending.wait(0, std::memory_order_acquire);
        // Only a stop request closes the mailbox; any other value is an event.
        if (stop.stop_requested())
            break;
        // A stop request that came while nothing was pending (in hold mode,
        // the release of a button whose action has already ended) belongs to
        // no playback: it must not cut short the macro of this press.
        mailbox.stopRequest = 0;
        dispatchButtonEvent(state, mailbox.eventCode.load(), stop);
        mailbox.eventPending.store(0, std::memory_order_release);
        // Presses and releases during the action stopped it or were dropped.
        mailbox.stopRequest = 0;
        std::atomic_thread_fence(std::memory_order_seq_cst);
    }

    // Leave the mailbox as the reader expects it, should an executor follow.
    int32_t closed = kMailboxClosed;
    mailbox.eventPending.compare_exchange_strong(closed, 0);
}

} // namespace vux
