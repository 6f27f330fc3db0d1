#include "app/AppState.h"
#include "device/Discovery.h"
#include "device/EventReader.h"
#include "tests/device/FakeHid.h"

#include <gtest/gtest.h>

#include <thread>

namespace vux {
namespace {

using Bytes = std::vector<uint8_t>;

struct Flags {
    int32_t eventPending;
    uint8_t eventCode;
    int32_t stopRequest;
    uint8_t driverActive;
    uint8_t blinkLaunched;
    uint8_t blinkOn;
    int repaints;
    friend bool operator==(const Flags&, const Flags&) = default;
};

std::ostream& operator<<(std::ostream& os, const Flags& f) {
    return os << "{pending " << f.eventPending << ", code " << int(f.eventCode) << ", stop "
              << f.stopRequest << ", active " << int(f.driverActive) << ", launched "
              << int(f.blinkLaunched) << ", blinkOn " << int(f.blinkOn) << ", repaints "
              << f.repaints << "}";
}

struct Case {
    const char* name;
    Flags before; // repaints ignored
    int32_t macroMode;
    Bytes report;
    Flags after;
};

// pending, code, stop, active, launched, blinkOn, repaints
const Case kCases[] = {
    {"press while idle is posted",
     {0, 0, 0, 1, 0, 0, 0},
     0,
     {6, 0xF5, 0, 0},
     {1, 0xF5, 0, 1, 0, 0, 0}},
    {"press while busy stops the macro",
     {1, 0xF1, 0, 1, 0, 0, 0},
     0,
     {6, 0xF5},
     {1, 0xF1, 1, 1, 0, 0, 0}},
    {"press while busy in hold mode is ignored",
     {1, 0xF1, 0, 1, 0, 0, 0},
     1,
     {6, 0xF5},
     {1, 0xF1, 0, 1, 0, 0, 0}},
    {"release in hold mode stops the macro",
     {1, 0xF1, 0, 1, 0, 0, 0},
     1,
     {9, 0},
     {1, 0xF1, 1, 1, 0, 0, 0}},
    {"release in toggle mode is ignored",
     {1, 0xF1, 0, 1, 0, 0, 0},
     0,
     {9, 0},
     {1, 0xF1, 0, 1, 0, 0, 0}},
    {"acknowledgement while processing counts as a release",
     {0, 0, 0, 1, 0, 0, 0},
     1,
     {6, 0},
     {0, 0, 1, 1, 0, 0, 0}},
    {"code 240 is not a press", {0, 0, 0, 1, 0, 0, 0}, 1, {6, 0xF0}, {0, 0, 0, 1, 0, 0, 0}},
    {"code 16 is ignored", {0, 0, 0, 1, 0, 0, 0}, 1, {6, 0x10}, {0, 0, 0, 1, 0, 0, 0}},
    {"acknowledgement ends the wait",
     {0, 0, 0, 0, 1, 1, 0},
     0,
     {6, 0, 0xFF},
     {0, 0, 0, 1, 0, 0, 1}},
    {"other report id during the wait is dropped",
     {0, 0, 0, 0, 1, 1, 0},
     0,
     {5, 0},
     {0, 0, 0, 0, 1, 1, 0}},
    {"press during the wait is lost", {0, 0, 0, 0, 1, 1, 0}, 0, {6, 0xF1}, {0, 0, 0, 0, 1, 1, 0}},
    {"a one-byte report carries no code", {0, 0, 0, 1, 0, 0, 0}, 1, {6}, {0, 0, 0, 1, 0, 0, 0}},
    {"an empty report carries nothing", {0, 0, 0, 0, 1, 1, 0}, 0, {}, {0, 0, 0, 0, 1, 1, 0}},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ReaderStates : public ::testing::TestWithParam<Case> {};

TEST_P(ReaderStates, OneReport) {
    const Case& c = GetParam();
    AppState state;
    int repaints = 0;
    state.hooks.requestRepaint = [&] { ++repaints; };
    state.mailbox.eventPending = c.before.eventPending;
    state.mailbox.eventCode = c.before.eventCode;
    state.mailbox.stopRequest = c.before.stopRequest;
    state.derived.driverActive = c.before.driverActive;
    state.indicator.blinkLaunched = c.before.blinkLaunched;
    state.indicator.blinkOn = c.before.blinkOn;
    state.profile.macroMode = c.macroMode;

    handleInputReport(state, c.report);

    const Flags after{state.mailbox.eventPending.load(),
                      state.mailbox.eventCode,
                      state.mailbox.stopRequest,
                      state.derived.driverActive,
                      state.indicator.blinkLaunched,
                      state.indicator.blinkOn,
                      repaints};
    EXPECT_EQ(after, c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderStates, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
});

struct ReaderLoopTest : ::testing::Test {
    AppState state;
    test::FakeHidBackend hid;
    void SetUp() override {
        state.platform.hid = &hid;
        hid.addMouse("/dev/hidraw1");
    }
};

TEST_F(ReaderLoopTest, PressReachesTheMailboxAndStopEndsABlockedRead) {
    ASSERT_EQ(discoverDevice(state), 1);
    std::jthread reader([this](std::stop_token stop) { readerLoop(state, stop); });
    hid.input->push({6, 0xF4, 0, 0, 0, 0, 0, 0, 0});
    state.mailbox.eventPending.wait(0, std::memory_order_acquire);
    EXPECT_EQ(state.mailbox.eventCode, 0xF4);
    ASSERT_TRUE(hid.input->waitDrained(std::chrono::seconds(10)));
    reader.request_stop();
    reader.join(); // would hang if the read did not end on stop
}

TEST_F(ReaderLoopTest, WaitsForDiscoveryWithoutReading) {
    std::jthread reader([this](std::stop_token stop) { readerLoop(state, stop); });
    // Nothing is open: the reader waits instead of failing reads.
    ASSERT_EQ(discoverDevice(state), 1);
    hid.input->push({6, 0xF1});
    state.mailbox.eventPending.wait(0, std::memory_order_acquire);
    EXPECT_EQ(state.mailbox.eventCode, 0xF1);
}

TEST_F(ReaderLoopTest, AnUnpluggedMouseDoesNotKeepTheReaderBusy) {
    ASSERT_EQ(discoverDevice(state), 1);
    std::jthread reader([this](std::stop_token stop) { readerLoop(state, stop); });
    ASSERT_TRUE(hid.input->waitDrained(std::chrono::seconds(10)));
    hid.input->unplug();
    const int before = hid.input->reads();
    // A reader that retried every 2 ms would read some twenty times here.
    std::unique_lock lock(state.link.channelMutex);
    state.link.channelChanged.wait_for(lock, std::chrono::milliseconds(50), [] { return false; });
    lock.unlock();
    EXPECT_LE(hid.input->reads(), before + 1);
    reader.request_stop();
    reader.join();
}

} // namespace
} // namespace vux
