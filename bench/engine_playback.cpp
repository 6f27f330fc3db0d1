// Playback accuracy of a 1000-event macro with 5 ms delays: per-event lateness
// against the recorded schedule and the total drift, for the player (absolute
// deadlines on the steady clock) and, in the same run, for the plain
// sequential sleep of each delay after each event.

#include "bench/TimestampInjector.h"
#include "engine/MacroPlayer.h"
#include "platform/SteadyClock.h"

#include <algorithm>
#include <cstdio>
#include <thread>

using namespace std::chrono;
using vux::bench::TimestampInjector;

namespace {

constexpr int kEvents = 1000;
constexpr int kDelayMs = 5;

struct Figures {
    double p50, p99, max, drift;
};

Figures analyse(const std::vector<TimestampInjector::TimePoint>& t) {
    std::vector<double> lateness;
    for (std::size_t k = 0; k < t.size(); ++k) {
        const auto nominal = t[0] + milliseconds(kDelayMs) * static_cast<long>(k);
        lateness.push_back(duration<double, std::micro>(t[k] - nominal).count());
    }
    const double drift = lateness.back();
    Figures f{};
    f.p50 = vux::bench::percentile(lateness, 50);
    f.p99 = vux::bench::percentile(lateness, 99);
    f.max = lateness.back(); // sorted by percentile()
    f.drift = drift;
    return f;
}

void print(const char* name, const Figures& f) {
    std::printf(
        "%-34s lateness p50 %8.1f us  p99 %8.1f us  max %8.1f us  drift after %d events %8.1f us\n",
        name, f.p50, f.p99, f.max, kEvents, f.drift);
}

} // namespace

int main() {
    // A macro slot holds 255 events; 1000 events are four repetitions of 250.
    vux::MacroSlot macro{};
    macro.name[0] = u'B';
    macro.eventCount = 250;
    for (int k = 0; k < 250; ++k) {
        macro.events[k] = {0x41, static_cast<uint8_t>(k % 2 + 1)};
        macro.delays[k] = kDelayMs;
    }
    macro.repeatEnabled = 1;
    macro.repeatCount = kEvents / 250;

    vux::SteadyClock clock;
    vux::Relaxed<int32_t> stopRequest;

    for (int round = 0; round < 2; ++round) {
        TimestampInjector player(kEvents + 1);
        vux::playMacroSlot(macro, false, vux::PlaybackContext{player, clock, stopRequest, {}});

        // The sequential sleep: inject, then sleep the delay.
        TimestampInjector sequential(kEvents + 1);
        for (int k = 0; k < kEvents; ++k) {
            sequential.keybdEvent(0x41, 0x1E, static_cast<uint32_t>(k % 2 ? 2 : 0));
            std::this_thread::sleep_for(milliseconds(kDelayMs));
        }
        std::printf("round %d\n", round + 1);
        const Figures a = analyse(player.times());
        const Figures b = analyse(sequential.times());
        print("  player (absolute deadlines)", a);
        print("  baseline (sequential sleep)", b);
        std::printf("  drift ratio baseline/player: %.0fx\n",
                    b.drift / std::max(1.0, std::abs(a.drift)));
    }
    return 0;
}
