// The blinking prompt and the light-mode preview, on an injected clock.
#include "engine/Indicator.h"

#include "app/AppState.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

namespace vux {
namespace {

using std::chrono::milliseconds;

// A clock whose sleeps return at once after moving time on; afterSleep lets a
// test change the world between phases.
class StepClock : public Clock {
public:
    std::vector<milliseconds> sleeps;
    std::function<void(int)> afterSleep;

    TimePoint now() const override { return now_; }
    bool sleepUntil(TimePoint deadline, std::stop_token stop) override {
        sleeps.push_back(std::chrono::duration_cast<milliseconds>(deadline - now_));
        now_ = deadline;
        if (afterSleep)
            afterSleep(static_cast<int>(sleeps.size()));
        return !stop.stop_requested();
    }

private:
    TimePoint now_{};
};

class Indicator : public ::testing::Test {
protected:
    AppState state;
    StepClock clock;
    int repaints = 0;
    std::stop_source stopper;

    void SetUp() override {
        state.platform.clock = &clock;
        state.hooks.requestRepaint = [this] { ++repaints; };
    }
};

TEST_F(Indicator, BlinkEndsAtOnceWithoutAWait) {
    state.derived.driverActive = 1;
    state.indicator.blinkOn = 0;
    state.shell.blinkRunning = 1;
    blinkLoop(state, stopper.get_token());
    EXPECT_EQ(state.indicator.blinkOn, 1);
    EXPECT_EQ(state.shell.blinkRunning, 0);
    EXPECT_EQ(repaints, 0);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(Indicator, BlinkRunsWholeBatchesUntilTheAcknowledgement) {
    state.derived.driverActive = 0;
    state.indicator.blinkOn = 1;
    state.shell.blinkRunning = 1;
    std::vector<int> phases;
    clock.afterSleep = [&](int n) {
        phases.push_back(state.indicator.blinkOn);
        if (n == 8)
            state.derived.driverActive = 1; // acknowledged in the second batch
    };
    blinkLoop(state, stopper.get_token());
    EXPECT_EQ(clock.sleeps, std::vector<milliseconds>(12, milliseconds(500)));
    EXPECT_EQ(repaints, 12);
    EXPECT_EQ(phases, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(state.indicator.blinkOn, 1);
    EXPECT_EQ(state.shell.blinkRunning, 0);
}

TEST_F(Indicator, BlinkEndsAfterItsBatchWhenThePageChanges) {
    state.derived.driverActive = 0;
    clock.afterSleep = [&](int n) {
        if (n == 2)
            state.view.viewMode = 2;
    };
    blinkLoop(state, stopper.get_token());
    EXPECT_EQ(clock.sleeps.size(), 6u);
    EXPECT_EQ(state.shell.blinkRunning, 0);
}

TEST_F(Indicator, BlinkStopsEarlyOnRequest) {
    state.derived.driverActive = 0;
    clock.afterSleep = [&](int n) {
        if (n == 2)
            stopper.request_stop();
    };
    blinkLoop(state, stopper.get_token());
    EXPECT_EQ(clock.sleeps.size(), 2u);
    EXPECT_EQ(state.indicator.blinkOn, 1);
    EXPECT_EQ(state.shell.blinkRunning, 0);
}

struct Shown {
    int off;
    int level;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << (s.off ? "grey" : "colour") << s.level;
}

class Preview : public Indicator {
protected:
    std::vector<Shown> shown;
    void runFor(int phases, std::function<void(int)> also = {}) {
        state.view.viewMode = 2;
        state.indicator.animRunning = 1;
        clock.afterSleep = [this, phases, also](int n) {
            shown.push_back({state.indicator.animOff, state.indicator.animLevel});
            if (also)
                also(n);
            if (n == phases)
                state.view.viewMode = 0;
        };
        animationLoop(state, stopper.get_token());
    }
};

TEST_F(Preview, FastModeWalksThroughTheLevelColoursWithGreyBetween) {
    state.derived.ledInForce = 1;
    state.profile.dpiLevel = 0;
    runFor(9);
    EXPECT_EQ(shown, (std::vector<Shown>{
                         {1, 1}, {0, 1}, {1, 2}, {0, 2}, {1, 3}, {0, 3}, {1, 0}, {0, 0}, {1, 1}}));
    EXPECT_EQ(clock.sleeps, std::vector<milliseconds>(9, milliseconds(800)));
    EXPECT_EQ(repaints, 9);
    EXPECT_EQ(state.indicator.animRunning, 0);
}

TEST_F(Preview, SteadyModes) {
    struct Case {
        int mode;
        Shown expected;
    };
    for (Case c : {Case{2, {0, 2}}, Case{3, {1, 2}}}) {
        shown.clear();
        clock.sleeps.clear();
        state.derived.ledInForce = static_cast<uint8_t>(c.mode);
        state.profile.dpiLevel = 2;
        runFor(3);
        EXPECT_EQ(shown, std::vector<Shown>(3, c.expected)) << "mode " << c.mode;
        EXPECT_EQ(clock.sleeps, std::vector<milliseconds>(3, milliseconds(1200)));
    }
}

TEST_F(Preview, ChangedLevelIsHeldBeforeTheWalkGoesOn) {
    state.derived.ledInForce = 0;
    state.profile.dpiLevel = 0;
    runFor(5, [&](int n) {
        if (n == 2)
            state.profile.dpiLevel = 3;
    });
    // grey1, colour1, then level 3 held (2000 ms, and its period), then on.
    ASSERT_GE(shown.size(), 5u);
    EXPECT_EQ(shown[2], (Shown{0, 3}));
    EXPECT_EQ(shown[3], (Shown{0, 3}));
    EXPECT_EQ(shown[4], (Shown{1, 0}));
    EXPECT_EQ(clock.sleeps[2], milliseconds(2000));
    EXPECT_EQ(clock.sleeps[3], milliseconds(1200));
}

TEST_F(Preview, EndsWhenThePageIsLeftOrOnStop) {
    state.derived.ledInForce = 1;
    runFor(1);
    EXPECT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(state.indicator.animRunning, 0);

    state.indicator.animRunning = 1;
    state.view.viewMode = 2;
    clock.afterSleep = [&](int) { stopper.request_stop(); };
    animationLoop(state, stopper.get_token());
    EXPECT_EQ(state.indicator.animRunning, 0);
}

TEST(IndicatorWithoutClock, WorkersOnTheirOwnThreadsEndOnStop) {
    AppState state;
    std::atomic<int> repaints{0};
    state.hooks.requestRepaint = [&] { ++repaints; };
    state.view.viewMode = 2;
    state.derived.driverActive = 0;
    state.indicator.animRunning = 1;
    std::jthread preview([&](std::stop_token stop) { animationLoop(state, stop); });
    // Waits on the worker's own effect, not on time.
    while (repaints.load() == 0)
        std::this_thread::yield();
    preview.request_stop();
    preview.join();
    EXPECT_EQ(state.indicator.animRunning, 0);

    state.view.viewMode = 0;
    state.shell.blinkRunning = 1;
    std::jthread blink([&](std::stop_token stop) { blinkLoop(state, stop); });
    blink.request_stop();
    blink.join();
    EXPECT_EQ(state.shell.blinkRunning, 0);
    EXPECT_EQ(state.indicator.blinkOn, 1);
}

} // namespace
} // namespace vux
