#include "engine/Indicator.h"

#include "app/AppState.h"
#include "platform/Clock.h"

#include <condition_variable>
#include <mutex>

namespace vux {

namespace {

constexpr int kMainPage = 0;
constexpr int kColorPage = 2;

// Sleeps on the state's clock, or on a plain wait when none is wired; false
// when the worker was asked to stop first.
bool pause(AppState& state, std::chrono::milliseconds d, std::stop_token stop) {
    if (state.platform.clock)
        return state.platform.clock->sleepFor(d, stop);
    std::mutex m;
    std::condition_variable_any cv;
    std::unique_lock lock(m);
    cv.wait_for(lock, stop, d, [] { return false; });
    return !stop.stop_requested();
}

} // namespace

void blinkLoop(AppState& state, std::stop_token stop) {
    IndicatorFlags& f = state.indicator;
    bool stopped = false;
    while (!stopped && state.view.viewMode == kMainPage && state.derived.driverActive != 1) {
        // Six phases, an even number: each batch ends in the phase it began with.
        for (int i = 0; i < kBlinkPhasesPerBatch; ++i) {
            f.blinkOn = static_cast<uint8_t>(1 - f.blinkOn);
            state.requestRepaint();
            if (!pause(state, kBlinkPhase, stop)) {
                stopped = true;
                break;
            }
        }
    }
    f.blinkOn = 1;
    state.shell.blinkRunning = 0;
}

void animationLoop(AppState& state, std::stop_token stop) {
    IndicatorFlags& f = state.indicator;
    const ProfileSettings& p = state.profile;
    f.animLevel = p.dpiLevel.load();
    int seen = p.dpiLevel;
    while (state.view.viewMode == kColorPage) {
        const int mode = state.derived.ledInForce;
        const int level = p.dpiLevel;
        if (mode == 3) {
            f.animOff = 1;
            f.animLevel = level;
        } else if (mode == 2) {
            f.animOff = 0;
            f.animLevel = level;
        } else if (level != seen) {
            // The level was changed meanwhile: hold its colour a while longer.
            f.animLevel = level;
            f.animOff = 0;
            seen = level;
            state.requestRepaint();
            if (!pause(state, kAnimLevelHold, stop))
                break;
        } else if (f.animOff == 1) {
            f.animOff = 0;
        } else {
            f.animOff = 1;
            const int shown = f.animLevel;
            f.animLevel = shown >= 3 || shown < 0 ? 0 : shown + 1;
        }
        state.requestRepaint();
        if (!pause(state, mode == 1 ? kAnimFastPhase : kAnimSlowPhase, stop))
            break;
    }
    f.animRunning = 0;
}

} // namespace vux
