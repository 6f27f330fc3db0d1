#include "engine/Executor.h"

#include "app/AppState.h"
#include "platform/SteadyClock.h"
#include "platform/ini/IniFile.h"
#include "settings/FunctionCodes.h"
#include "tests/engine/FakeClock.h"
#include "tests/engine/FakeLauncher.h"
#include "tests/engine/RecordingInjector.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace vux {
namespace {

using namespace std::chrono_literals;
using test::Injected;

// Feature reports as the mouse would receive them.
class RecordingFeatureChannel final : public hid::FeatureChannel {
public:
    bool sendFeatureReport(std::span<const uint8_t> report) override {
        std::lock_guard lock(m_);
        reports_.emplace_back(report.begin(), report.end());
        return true;
    }
    bool gone() const override { return false; }
    std::vector<std::vector<uint8_t>> reports() const {
        std::lock_guard lock(m_);
        return reports_;
    }

private:
    mutable std::mutex m_;
    std::vector<std::vector<uint8_t>> reports_;
};

uint8_t pressCodeOf(int button) { // button 1..8
    return static_cast<uint8_t>(240 + buttonHwCode[static_cast<std::size_t>(button - 1)]);
}

MacroSlot makeMacro(std::initializer_list<MacroEvent> events, uint16_t delay,
                    uint8_t repeatEnabled = 0, uint16_t repeatCount = 1) {
    MacroSlot m{};
    m.name[0] = u'M';
    m.repeatEnabled = repeatEnabled;
    m.repeatCount = repeatCount;
    for (const MacroEvent& e : events) {
        m.delays[m.eventCount] = delay;
        m.events[m.eventCount++] = e;
    }
    return m;
}

// A fresh application state with recording platform services: button 4 is
// the one under test (device code 5, press code 245).
class ExecutorTest : public ::testing::Test {
protected:
    static constexpr int kButton = 4;

    ExecutorTest() {
        state.platform.injector = &injector;
        state.platform.clock = &clock;
        state.platform.launcher = &launcher;
        state.shell.configPath = configDir.path() + "/config.ini";
        state.shell.currentProfile = 2;
        state.hooks.requestRepaint = [this] { ++repaints; };
        std::lock_guard lock(state.link.channelMutex);
        state.link.writeHandle.channel = channel;
        state.link.writeCaps.featureReportByteLength = 9;
    }

    void setButton(int32_t functionCode, int32_t dpiStep = 0) {
        state.profile.keyFunc[kButton - 1] = functionCode;
        state.derived.dpiStep[kButton - 1] = dpiStep;
    }
    void press(uint8_t code) { dispatchButtonEvent(state, code, {}); }
    void pressButton() { press(pressCodeOf(kButton)); }

    // Byte 2 and 3 of each SetDpiAndLight report.
    std::vector<std::pair<int, int>> dpiReports() const {
        std::vector<std::pair<int, int>> out;
        for (const auto& r : channel->reports()) {
            EXPECT_EQ(r.size(), 9u);
            if (r.size() >= 4 && r[0] == 7 && r[1] == 0x09)
                out.emplace_back(r[2], r[3]);
        }
        return out;
    }
    QString storedDpiLevel(int profile) const {
        return ini::readString(state.shell.configPath, QStringLiteral("Config%1").arg(profile),
                               "DPI_LEVEL", 5);
    }

    QTemporaryDir configDir;
    AppState state;
    test::FakeClock clock;
    test::RecordingInjector injector{&clock};
    test::FakeLauncher launcher;
    std::shared_ptr<RecordingFeatureChannel> channel = std::make_shared<RecordingFeatureChannel>();
    int repaints = 0;
};

TEST_F(ExecutorTest, DpiStepsVisitOnlyEnabledLevels) {
    struct Case {
        int32_t step;
        int32_t from;
        std::vector<int32_t> levels; // after each press
    };
    const Case cases[] = {
        {1, 1, {3, 3}},     // up skips the disabled level 2, then stays at the top
        {2, 1, {3, 0, 1}},  // cycle wraps around
        {-1, 3, {1, 0, 0}}, // down skips level 2, then stays at the bottom
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "step " << c.step);
        state.profile.dpiEnabled = {1, 1, 0, 1};
        state.profile.dpiLevel = c.from;
        setButton(c.step == 2 ? 6 : c.step == 1 ? 17 : 18, c.step);
        for (int32_t expected : c.levels) {
            pressButton();
            EXPECT_EQ(state.profile.dpiLevel.load(), expected);
            EXPECT_EQ(storedDpiLevel(2), QString::number(expected));
        }
    }
}

TEST_F(ExecutorTest, DpiStepWithoutAMoveSendsAndStoresTheLevelAgain) {
    state.profile.dpiEnabled = {1, 1, 1, 1};
    state.derived.dpiInForce = {0, 1, 2, 4};
    state.derived.ledInForce = 1;
    state.profile.dpiLevel = 3;
    setButton(17, 1);
    pressButton();
    pressButton();
    EXPECT_EQ(state.profile.dpiLevel.load(), 3);
    EXPECT_EQ(dpiReports(), (std::vector<std::pair<int, int>>{{3, 0xC1}, {3, 0xC1}}));
    EXPECT_EQ(storedDpiLevel(2), "3");
    EXPECT_EQ(repaints, 2);
}

TEST_F(ExecutorTest, DpiCycleWithNoLevelEnabledEnds) {
    state.profile.dpiEnabled = {0, 0, 0, 0};
    state.profile.dpiLevel = 2;
    setButton(6, 2);
    pressButton();
    EXPECT_EQ(state.profile.dpiLevel.load(), 2);
    EXPECT_EQ(dpiReports().size(), 1u);
}

TEST_F(ExecutorTest, DpiStepKeepsTheLightOffWhenToggledOff) {
    state.profile.dpiEnabled = {1, 1, 1, 1};
    state.derived.dpiInForce = {1, 2, 3, 4};
    state.derived.ledInForce = 1;
    state.derived.ledToggle = 3;
    state.profile.dpiLevel = 0;
    setButton(17, 1);
    pressButton();
    EXPECT_EQ(dpiReports(), (std::vector<std::pair<int, int>>{{1, 0xA3}}));
}

TEST_F(ExecutorTest, LightToggleSwitchesBetweenOffAndTheProfilesMode) {
    state.derived.ledToggle = 0;
    state.derived.ledInForce = 1;
    state.profile.dpiLevel = 1;
    state.derived.dpiInForce = {0, 2, 0, 0};
    state.shell.currentProfile = 2;
    setButton(19);
    pressButton();
    EXPECT_EQ(state.derived.ledToggle.load(), 3);
    pressButton();
    EXPECT_EQ(state.derived.ledToggle.load(), 1);
    EXPECT_EQ(dpiReports(), (std::vector<std::pair<int, int>>{{1, 0xA3}, {1, 0xA1}}));
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(storedDpiLevel(2), ""); // nothing is stored
}

TEST_F(ExecutorTest, NextProfileWrapsAfterTheFifth) {
    for (auto [from, to] : {std::pair{5, 1}, std::pair{2, 3}, std::pair{1, 2}}) {
        SCOPED_TRACE(from);
        ini::writeString(state.shell.configPath, QStringLiteral("Config%1").arg(to), "K4", "40");
        ini::writeString(state.shell.configPath, QStringLiteral("Config%1").arg(to), "WHEEL_STATUS",
                         QString::number(to));
        state.shell.currentProfile = from;
        setButton(40);
        pressButton();
        EXPECT_EQ(state.shell.currentProfile.load(), to);
        // The next profile was loaded and applied from this worker.
        EXPECT_EQ(state.profile.wheelStatus.load(), to);
        EXPECT_EQ(ini::readString(state.shell.configPath, "Init", "CurConfig", 5),
                  QString::number(to));
    }
    EXPECT_GE(repaints, 3);
}

TEST_F(ExecutorTest, KeyCombinationsPressAndReleaseInOrder) {
    struct Case {
        int32_t code;
        uint8_t modifier, key, scan;
        std::chrono::milliseconds pause;
    };
    const Case cases[] = {
        {31, 0x11, 'C', 0x2E, 20ms}, {32, 0x11, 'V', 0x2F, 20ms}, {33, 0x11, 'A', 0x1E, 20ms},
        {34, 0x11, 'Z', 0x2C, 20ms}, {35, 0x12, 0x73, 0x3E, 0ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        test::FakeClock localClock;
        test::RecordingInjector localInjector{&localClock};
        state.platform.clock = &localClock;
        state.platform.injector = &localInjector;
        setButton(c.code);
        pressButton();
        EXPECT_EQ(localInjector.events(), (std::vector<Injected>{
                                              Injected::key(c.modifier, 0, 0),
                                              Injected::key(c.key, c.scan, 0),
                                              Injected::key(c.key, c.scan, kKeyEventKeyUp),
                                              Injected::key(c.modifier, 0, kKeyEventKeyUp),
                                          }));
        const auto t = localInjector.times();
        ASSERT_EQ(t.size(), 4u);
        EXPECT_EQ(t[2] - t[1], c.pause);
        EXPECT_EQ(t[3], t[2]);
    }
}

TEST_F(ExecutorTest, MuteIsAKeyDownWithoutARelease) {
    setButton(26);
    pressButton();
    EXPECT_EQ(injector.events(), (std::vector<Injected>{Injected::key(173, 0, 0)}));
}

TEST_F(ExecutorTest, MacroCodesPlayTheirMacroOnlyWhileItExists) {
    for (int m = 0; m < 6; ++m)
        state.macros.entries[static_cast<std::size_t>(m)] =
            makeMacro({{static_cast<uint8_t>(0x41 + m), 1}}, 5);
    state.macros.macroCount = 5;
    setButton(41 + 4);
    pressButton();
    EXPECT_EQ(injector.events(), (std::vector<Injected>{Injected::key(0x45, 0x12, 0)}));
    setButton(41 + 5); // an entry that was deleted
    pressButton();
    setButton(52);
    pressButton();
    EXPECT_EQ(injector.events().size(), 1u);
}

TEST_F(ExecutorTest, CodesWithoutAnActionDoNothing) {
    for (int32_t code : {0, 1, 5, 11, 20, 25, 27, 30, 53, 99, -1, INT32_MIN, INT32_MAX}) {
        setButton(code);
        pressButton();
    }
    // A code of no button (device code 7 is unused), and codes below the range.
    setButton(31);
    for (int code : {0xF7, 0xF0, 0x10, 0})
        press(static_cast<uint8_t>(code));
    EXPECT_TRUE(injector.events().empty());
    EXPECT_TRUE(channel->reports().empty());
    EXPECT_TRUE(launcher.requests().empty());
}

TEST_F(ExecutorTest, EachButtonIsFoundByItsDeviceCode) {
    for (int b = 1; b <= 8; ++b)
        state.profile.keyFunc[static_cast<std::size_t>(b - 1)] = 26;
    state.profile.keyFunc[7] = 31; // button 8, device code 9
    press(249);
    press(245); // button 4, device code 5
    EXPECT_EQ(injector.events().size(), 5u);
    EXPECT_EQ(injector.events().front(), Injected::key(0x11, 0, 0));
    EXPECT_EQ(injector.events().back(), Injected::key(173, 0, 0));
}

TEST_F(ExecutorTest, HostActionsStartTheirPrograms) {
    struct Case {
        int32_t code;
        std::vector<std::string> desktop;
        std::vector<std::string> programs;
        LaunchFallback fallback;
    };
    const Case cases[] = {
        {36, {"GNOME"}, {"xdg-open /"}, LaunchFallback::WhenMissing},
        {36, {"X-Cinnamon"}, {"xdg-open computer:///"}, LaunchFallback::WhenMissing},
        {36, {"ubuntu", "MATE"}, {"xdg-open computer:///"}, LaunchFallback::WhenMissing},
        {37, {}, {"loginctl lock-session", "xdg-screensaver lock"}, LaunchFallback::WhenFailed},
        {38,
         {},
         {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"},
         LaunchFallback::WhenMissing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        test::FakeLauncher local(c.desktop);
        state.platform.launcher = &local;
        setButton(c.code);
        pressButton();
        ASSERT_EQ(local.requests().size(), 1u);
        EXPECT_EQ(local.requests()[0].programs, c.programs);
        EXPECT_EQ(local.requests()[0].fallback, c.fallback);
    }
    test::FakeLauncher local;
    state.platform.launcher = &local;
    setButton(39);
    pressButton();
    ASSERT_EQ(local.requests().size(), 1u);
    const std::vector<std::string> terminals = local.requests()[0].programs;
    ASSERT_GE(terminals.size(), 4u);
    EXPECT_EQ(terminals.front(), "x-terminal-emulator");
    EXPECT_EQ(terminals.back(), "xterm");
}

// The worker itself: a real thread that waits on the mailbox.
class ExecutorLoopTest : public ExecutorTest {
protected:
    void start() {
        worker = std::jthread([this](std::stop_token stop) { executorLoop(state, stop); });
    }
    // What the reader does with a press while the mailbox is empty.
    void post(uint8_t code) {
        ASSERT_EQ(state.mailbox.eventPending.load(), 0);
        state.mailbox.eventCode = code;
        state.mailbox.eventPending.store(1, std::memory_order_release);
        state.mailbox.eventPending.notify_all();
    }
    bool waitUntilEmpty() {
        // The executor empties the mailbox as its last step; watch it change.
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (state.mailbox.eventPending.load(std::memory_order_acquire) != 0) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::yield();
        }
        return true;
    }

    std::jthread worker;
};

TEST_F(ExecutorLoopTest, PressIsCarriedOutAndTheMailboxEmptied) {
    setButton(31);
    start();
    post(pressCodeOf(kButton));
    ASSERT_TRUE(injector.waitForCount(4));
    ASSERT_TRUE(waitUntilEmpty());
    post(0xF7); // no such button: nothing, but the mailbox is emptied
    ASSERT_TRUE(waitUntilEmpty());
    post(pressCodeOf(kButton));
    ASSERT_TRUE(injector.waitForCount(8));
    EXPECT_EQ(injector.events().size(), 8u);
}

TEST_F(ExecutorLoopTest, StopThatCameWhileIdleDoesNotCutTheNextMacro) {
    state.macros.entries[0] = makeMacro({{0x41, 1}, {0x41, 2}, {0x42, 1}, {0x42, 2}}, 10);
    state.macros.macroCount = 1;
    setButton(41);
    start();
    // In hold mode the release of a button whose action has ended still sets
    // the stop request; it comes while nothing is pending.
    state.mailbox.stopRequest = 1;
    post(pressCodeOf(kButton));
    ASSERT_TRUE(waitUntilEmpty());
    EXPECT_EQ(injector.events().size(), 4u);
    EXPECT_EQ(state.mailbox.stopRequest.load(), 0);
}

TEST_F(ExecutorLoopTest, SecondPressStopsARepeatingMacro) {
    state.macros.entries[0] = makeMacro({{0x41, 1}, {0x41, 2}}, 10, 1, 1000);
    state.macros.macroCount = 1;
    setButton(41);
    clock.setHook([this](int sleep) {
        if (sleep == 6) // the reader turns a second press into a stop request
            state.mailbox.stopRequest = 1;
    });
    start();
    post(pressCodeOf(kButton));
    ASSERT_TRUE(waitUntilEmpty());
    EXPECT_EQ(injector.events().size(), 7u);
    EXPECT_EQ(state.mailbox.stopRequest.load(), 0);
}

TEST_F(ExecutorLoopTest, StopsWhileIdleAndLeavesTheMailboxEmpty) {
    start();
    worker.request_stop();
    worker.join();
    EXPECT_EQ(state.mailbox.eventPending.load(), 0);
    // A second executor on the same state still takes presses.
    setButton(26);
    start();
    post(pressCodeOf(kButton));
    ASSERT_TRUE(injector.waitForCount(1));
}

TEST_F(ExecutorLoopTest, StopsInTheMiddleOfALongDelay) {
    SteadyClock steady;
    state.platform.clock = &steady;
    state.macros.entries[0] = makeMacro({{0x41, 1}, {0x41, 2}}, 60000);
    state.macros.macroCount = 1;
    setButton(41);
    start();
    post(pressCodeOf(kButton));
    ASSERT_TRUE(injector.waitForCount(1));
    const auto before = std::chrono::steady_clock::now();
    worker.request_stop();
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 30s);
    EXPECT_EQ(injector.events().size(), 1u);
}

TEST(SteadyClockTest, SleepsUntilTheDeadlineUnlessStopped) {
    SteadyClock clock;
    const auto start = clock.now();
    EXPECT_TRUE(clock.sleepUntil(start + 2ms, {}));
    EXPECT_GE(clock.now(), start + 2ms);
    EXPECT_TRUE(clock.sleepUntil(start - 1s, {})); // a past deadline returns at once

    std::stop_source source;
    std::jthread stopper([&] { source.request_stop(); });
    EXPECT_FALSE(clock.sleepUntil(clock.now() + 1h, source.get_token()));
}

} // namespace
} // namespace vux
