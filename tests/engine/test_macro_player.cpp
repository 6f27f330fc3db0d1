#include "engine/MacroPlayer.h"

#include "app/AppState.h"
#include "tests/engine/FakeClock.h"
#include "tests/engine/RecordingInjector.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>

namespace vux {
namespace {

using namespace std::chrono_literals;
using test::Injected;

struct Step {
    uint8_t keyCode;
    uint8_t action;
    uint16_t delay;
};

MacroSlot makeMacro(std::initializer_list<Step> steps, uint8_t repeatEnabled = 0,
                    uint16_t repeatCount = 1) {
    MacroSlot m{};
    m.name[0] = u'M';
    m.repeatEnabled = repeatEnabled;
    m.repeatCount = repeatCount;
    for (const Step& s : steps) {
        m.events[m.eventCount] = {s.keyCode, s.action};
        m.delays[m.eventCount] = s.delay;
        ++m.eventCount;
    }
    return m;
}

constexpr uint8_t kA = 0x41;
constexpr uint8_t kScanA = 0x1E;

class MacroPlayerTest : public ::testing::Test {
protected:
    void play(const MacroSlot& macro, bool holdMode = false) {
        playMacroSlot(macro, holdMode,
                      PlaybackContext{injector, clock, stopRequest, stopSource.get_token()});
    }

    test::FakeClock clock;
    test::RecordingInjector injector{&clock};
    Relaxed<int32_t> stopRequest;
    std::stop_source stopSource;
};

const MacroSlot kTypeA = makeMacro({{kA, 1, 30}, {kA, 2, 30}});

TEST_F(MacroPlayerTest, RepeatSettingsGiveTheNumberOfRepetitions) {
    struct Case {
        uint8_t repeatEnabled;
        uint16_t repeatCount;
        std::size_t expectedTypings;
    };
    for (const Case& c : {Case{0, 7, 1}, Case{1, 0, 0}, Case{1, 1, 1}, Case{1, 3, 3}}) {
        SCOPED_TRACE(::testing::Message()
                     << "repeatEnabled " << int(c.repeatEnabled) << " count " << c.repeatCount);
        test::FakeClock localClock;
        test::RecordingInjector localInjector{&localClock};
        MacroSlot macro = kTypeA;
        macro.repeatEnabled = c.repeatEnabled;
        macro.repeatCount = c.repeatCount;
        playMacroSlot(macro, false, PlaybackContext{localInjector, localClock, stopRequest, {}});
        EXPECT_EQ(localInjector.events().size(), 2 * c.expectedTypings);
        EXPECT_EQ(localClock.elapsed(), 60ms * c.expectedTypings);
    }
}

TEST_F(MacroPlayerTest, ThreeRepetitionsTypeTheKeyThreeTimesIn180Milliseconds) {
    play(makeMacro({{kA, 1, 30}, {kA, 2, 30}}, 1, 3));
    const auto down = Injected::key(kA, kScanA, 0);
    const auto up = Injected::key(kA, kScanA, kKeyEventKeyUp);
    EXPECT_EQ(injector.events(), (std::vector<Injected>{down, up, down, up, down, up}));
    const auto t = injector.times();
    ASSERT_EQ(t.size(), 6u);
    for (std::size_t i = 0; i < t.size(); ++i)
        EXPECT_EQ(t[i] - t[0], 30ms * i) << "event " << i;
    EXPECT_EQ(clock.elapsed(), 180ms);
}

TEST_F(MacroPlayerTest, HoldModeRepeatsUntilTheReleaseWhateverTheRepeatSettings) {
    // The release comes during the delay after the 11th event (rep 6, event 1).
    clock.setHook([&](int sleep) {
        if (sleep == 10)
            stopRequest = 1;
    });
    play(makeMacro({{kA, 1, 30}, {kA, 2, 30}}, 1, 2), true);
    EXPECT_EQ(injector.events().size(), 11u);
    EXPECT_EQ(clock.elapsed(), 11 * 30ms);
}

TEST_F(MacroPlayerTest, HoldModeRunsOutAfter100000Repetitions) {
    play(makeMacro({{kA, 1, 0}}), true);
    EXPECT_EQ(injector.events().size(), 100000u);
}

TEST_F(MacroPlayerTest, EmptyMacroInjectsNothingAndNeverSleeps) {
    play(makeMacro({}), false);
    play(makeMacro({}, 1, 5), false);
    play(makeMacro({}), true);
    EXPECT_TRUE(injector.events().empty());
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(MacroPlayerTest, StopAfterAnEventEndsThePlaybackAfterItsDelay) {
    // Five repetitions of three events; the second press comes while the
    // second event of the second repetition waits out its delay.
    const MacroSlot macro = makeMacro({{kA, 1, 10}, {0x42, 1, 20}, {0x43, 1, 40}}, 1, 5);
    clock.setHook([&](int sleep) {
        if (sleep == 4)
            stopRequest = 1;
    });
    play(macro);
    const auto events = injector.events();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[3].vk, kA);
    EXPECT_EQ(events[4].vk, 0x42);
    // The delay of the event being played is kept; nothing after it.
    EXPECT_EQ(clock.elapsed(), 70ms + 10ms + 20ms);
}

TEST_F(MacroPlayerTest, StopSendsNoReleasesOfItsOwn) {
    clock.setHook([&](int) { stopRequest = 1; });
    play(makeMacro({{kA, 1, 5}, {kKeyMouseLeft, 1, 5}, {kKeyMouseLeft, 2, 5}, {kA, 2, 5}}));
    EXPECT_EQ(injector.events(), (std::vector<Injected>{Injected::key(kA, kScanA, 0)}));
}

TEST_F(MacroPlayerTest, StopRequestLeftFromBeforeCutsAfterTheFirstEvent) {
    // A quick click in hold mode: the release is in before the first delay ends.
    stopRequest = 1;
    play(makeMacro({{kA, 1, 30}, {kA, 2, 30}}), true);
    EXPECT_EQ(injector.events().size(), 1u);
    EXPECT_EQ(clock.elapsed(), 30ms);
}

TEST_F(MacroPlayerTest, EventsBecomeTheInjectionsOfTheirTable) {
    struct Case {
        MacroEvent event;
        std::vector<Injected> expected;
    };
    const Case cases[] = {
        {{240, 1}, {Injected::mouse(kMouseLeftDown)}},
        {{240, 2}, {Injected::mouse(kMouseLeftUp)}},
        {{241, 1}, {Injected::mouse(0x0008)}},
        {{241, 2}, {Injected::mouse(0x0010)}},
        {{242, 1}, {Injected::mouse(0x0020)}},
        {{250, 2}, {Injected::mouse(0x0040)}},
        {{255, 1}, {Injected::mouse(0x0020)}},
        {{44, 1}, {Injected::key(44, 0x37, 1)}},
        {{19, 2}, {Injected::key(19, 0x45, 2)}},
        {{91, 2}, {Injected::key(91, 0x5B, 3)}},
        {{161, 1}, {Injected::key(161, 0x36, 1)}},
        {{0x25, 1}, {Injected::key(0x25, 0x4B, 1)}}, // left arrow
        {{0x2E, 2}, {Injected::key(0x2E, 0x53, 3)}}, // Delete
        {{0x90, 1}, {Injected::key(0x90, 0x45, 1)}}, // Num Lock
        {{0xA3, 1}, {Injected::key(0xA3, 0x1D, 1)}}, // right Ctrl
        {{0x10, 1}, {Injected::key(0x10, 0x2A, 0)}}, // Shift
        {{kA, 1}, {Injected::key(kA, kScanA, 0)}},
        {{kA, 0}, {}},
        {{kA, 3}, {}},
        {{240, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "event {" << int(c.event.keyCode) << ", " << int(c.event.action) << "}");
        test::FakeClock localClock;
        test::RecordingInjector localInjector{&localClock};
        MacroSlot macro = makeMacro({{c.event.keyCode, c.event.action, 25}});
        playMacroSlot(macro, false, PlaybackContext{localInjector, localClock, stopRequest, {}});
        EXPECT_EQ(localInjector.events(), c.expected);
        // The delay is waited also for an event that injected nothing.
        EXPECT_EQ(localClock.elapsed(), 25ms);
    }
}

TEST_F(MacroPlayerTest, LateWakeUpsDoNotAddUp) {
    // Every wake-up comes 1 ms late: with absolute deadlines the macro still
    // ends 1 ms after its nominal length, not 100 ms after.
    clock.setLateness(1ms);
    std::initializer_list<Step> none{};
    MacroSlot macro = makeMacro(none);
    for (int k = 0; k < 100; ++k) {
        macro.events[k] = {kA, static_cast<uint8_t>(k % 2 + 1)};
        macro.delays[k] = 5;
    }
    macro.eventCount = 100;
    play(macro);
    EXPECT_EQ(clock.elapsed(), 500ms + 1ms);
    const auto t = injector.times();
    ASSERT_EQ(t.size(), 100u);
    for (std::size_t k = 1; k < t.size(); ++k)
        EXPECT_EQ(t[k] - t[0], 5ms * k + 1ms) << "event " << k;
}

TEST_F(MacroPlayerTest, AStallIsNotReplayedAsABurst) {
    // The second wake-up comes 300 ms late: the following events keep their
    // recorded spacing from there instead of firing at once to catch up.
    clock.setLatenessOf({0ms, 300ms});
    play(makeMacro({{kA, 1, 20}, {kA, 2, 20}, {kA, 1, 20}, {kA, 2, 20}}));
    const auto t = injector.times();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1] - t[0], 20ms);
    EXPECT_EQ(t[2] - t[1], 320ms);
    EXPECT_EQ(t[3] - t[2], 20ms);
}

TEST_F(MacroPlayerTest, ProgramEndStopsPlaybackInTheMiddleOfADelay) {
    clock.setHook([&](int sleep) {
        if (sleep == 1)
            stopSource.request_stop();
    });
    play(makeMacro({{kA, 1, 10}, {kA, 2, 10}, {kA, 1, 10}}, 1, 100), true);
    EXPECT_EQ(injector.events().size(), 2u);
}

TEST_F(MacroPlayerTest, PlaysACopySoTheTableMayChangeMeanwhile) {
    AppState state;
    state.platform.injector = &injector;
    state.platform.clock = &clock;
    state.macros.entries[2] = makeMacro({{kA, 1, 10}, {kA, 2, 10}});
    state.macros.macroCount = 3;
    clock.setHook([&](int) {
        // The UI thread reloads the macro file while the macro plays.
        std::lock_guard lock(state.macros.lock);
        state.macros.entries[2] = MacroSlot{};
        state.macros.entries[2].eventCount = 255;
    });
    playMacro(state, 2, {});
    EXPECT_EQ(injector.events(),
              (std::vector<Injected>{Injected::key(kA, kScanA, 0),
                                     Injected::key(kA, kScanA, kKeyEventKeyUp)}));
}

TEST_F(MacroPlayerTest, HoldModeComesFromTheProfile) {
    AppState state;
    state.platform.injector = &injector;
    state.platform.clock = &clock;
    state.macros.entries[0] = makeMacro({{kA, 1, 10}}, 1, 2);
    state.macros.macroCount = 1;
    state.profile.macroMode = 1;
    clock.setHook([&](int sleep) {
        if (sleep == 4)
            state.mailbox.stopRequest = 1;
    });
    playMacro(state, 0, {});
    EXPECT_EQ(injector.events().size(), 5u);
}

} // namespace
} // namespace vux
