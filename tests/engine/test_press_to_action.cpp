// The road of a button press inside the program: a report on the virtual
// mouse's socket, the real reader, the mailbox and the real executor, with a
// recording injector. Runs under ThreadSanitizer too.

#include "app/AppState.h"
#include "device/Discovery.h"
#include "device/EventReader.h"
#include "engine/Executor.h"
#include "platform/SteadyClock.h"
#include "platform/hid/VirtualMouseBackend.h"
#include "platform/hid/VirtualMouseServer.h"
#include "settings/FunctionCodes.h"
#include "tests/engine/RecordingInjector.h"
#include "tools/virtual-mouse/VirtualMouseDescriptor.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace vux {
namespace {

using namespace std::chrono_literals;

constexpr int kComboButton = 4; // press code 245
constexpr int kMacroButton = 5; // press code 244

uint8_t pressCodeOf(int button) {
    return static_cast<uint8_t>(240 + buttonHwCode[static_cast<std::size_t>(button - 1)]);
}

class PressToAction : public ::testing::Test {
protected:
    PressToAction()
        : mouse({DeviceLink::vendorId, DeviceLink::productId,
                 tools::virtualMouseReportDescriptor({})},
                folder.path()),
          backend(folder.path()) {
        state.platform.hid = &backend;
        state.platform.clock = &clock;
        state.platform.injector = &injector;
        state.profile.keyFunc[kComboButton - 1] = 31;
        state.profile.keyFunc[kMacroButton - 1] = 41;
        state.macros.macroCount = 1;
    }

    void SetUp() override {
        ASSERT_TRUE(mouse.plug());
        serving = std::jthread([this](std::stop_token stop) {
            mouse.serve(
                -1, [](const std::string&) { return true; }, [](std::span<const uint8_t>) {}, stop);
        });
        ASSERT_EQ(discoverDevice(state), 1);
        reader = std::jthread([this](std::stop_token stop) { readerLoop(state, stop); });
        executor = std::jthread([this](std::stop_token stop) { executorLoop(state, stop); });
    }

    void TearDown() override {
        executor.request_stop();
        reader.request_stop();
        executor.join();
        reader.join();
        serving.request_stop();
        serving.join();
        mouse.unplug();
    }

    void setMacro(std::initializer_list<MacroEvent> events, uint16_t delay, uint16_t repeatCount) {
        std::lock_guard lock(state.macros.lock);
        MacroSlot& m = state.macros.entries[0];
        m = MacroSlot{};
        m.name[0] = u'M';
        m.repeatEnabled = 1;
        m.repeatCount = repeatCount;
        for (const MacroEvent& e : events) {
            m.delays[m.eventCount] = delay;
            m.events[m.eventCount++] = e;
        }
    }

    void send(uint8_t code) {
        std::vector<uint8_t> report(9, 0);
        report[0] = 6;
        report[1] = code;
        mouse.sendInput(report);
    }
    void press(int button) { send(pressCodeOf(button)); }
    void release() { send(0); }

    // Real-time waits with a deadline, for state that another thread changes.
    template <class Pred>
    static bool waitUntil(Pred pred, std::chrono::milliseconds timeout = 10s) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!pred()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(100us);
        }
        return true;
    }
    bool mailboxEmpty() const {
        return state.mailbox.eventPending.load(std::memory_order_acquire) == 0;
    }

    QTemporaryDir folder;
    hid::virt::VirtualMouseServer mouse;
    hid::VirtualMouseBackend backend;
    AppState state;
    SteadyClock clock;
    test::RecordingInjector injector;
    std::jthread serving, reader, executor;
};

TEST_F(PressToAction, PressOfAKeyCombinationButtonIsCarriedOut) {
    press(kComboButton);
    release();
    ASSERT_TRUE(injector.waitForCount(4));
    ASSERT_TRUE(waitUntil([&] { return mailboxEmpty(); }));
    EXPECT_EQ(injector.events().front(), test::Injected::key(0x11, 0, 0));
}

TEST_F(PressToAction, SecondPressStopsTheMacroAfterTheDelayOfItsEvent) {
    setMacro({{0x41, kActionDown}, {0x41, kActionUp}}, 150, 1000);
    press(kMacroButton);
    release();
    ASSERT_TRUE(injector.waitForCount(1));
    press(kMacroButton);
    release();
    ASSERT_TRUE(waitUntil([&] { return mailboxEmpty(); }));
    EXPECT_LE(injector.events().size(), 3u);
}

TEST_F(PressToAction, ReleaseStopsTheMacroInHoldMode) {
    state.profile.macroMode = 1;
    setMacro({{0x41, kActionDown}, {0x41, kActionUp}}, 150, 1);
    press(kMacroButton);
    ASSERT_TRUE(injector.waitForCount(1));
    release();
    ASSERT_TRUE(waitUntil([&] { return mailboxEmpty(); }));
    EXPECT_LE(injector.events().size(), 3u);
}

TEST_F(PressToAction, ReleaseAfterAnEndedActionDoesNotCutTheNextMacroInHoldMode) {
    state.profile.macroMode = 1;
    setMacro({{0x41, kActionDown}, {0x41, kActionUp}}, 5, 3);
    press(kComboButton);
    ASSERT_TRUE(injector.waitForCount(4));
    ASSERT_TRUE(waitUntil([&] { return mailboxEmpty(); }));
    // The release of the key-combination button comes when nothing plays.
    release();
    ASSERT_TRUE(waitUntil([&] { return state.mailbox.stopRequest.load() == 1; }));
    press(kMacroButton);
    // Hold mode repeats until the release; the full first repetitions show
    // that the old stop request did not end the playback after one event.
    ASSERT_TRUE(injector.waitForCount(4 + 6));
    release();
    ASSERT_TRUE(waitUntil([&] { return mailboxEmpty(); }));
}

} // namespace
} // namespace vux
