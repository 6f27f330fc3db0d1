#include "app/AppState.h"
#include "device/Discovery.h"
#include "tests/device/FakeHid.h"

#include <gtest/gtest.h>

namespace vux {
namespace {

using test::FakeHidBackend;

struct DiscoveryTest : ::testing::Test {
    AppState state;
    FakeHidBackend hid;
    void SetUp() override { state.platform.hid = &hid; }

    bool readOpen() {
        std::lock_guard lock(state.link.channelMutex);
        return state.link.readHandle.present();
    }
    bool writeOpen() {
        std::lock_guard lock(state.link.channelMutex);
        return state.link.writeHandle.present();
    }
};

TEST_F(DiscoveryTest, FindsBothChannelsAmongOtherDevicesAndStopsThere) {
    hid.addOther("/dev/hidraw0#0");
    hid.addMouse("/dev/hidraw1", 9, 9);
    hid.addOther("/dev/hidraw2#0");

    EXPECT_EQ(discoverDevice(state), 1);
    EXPECT_EQ(state.link.connected, 1);
    EXPECT_TRUE(readOpen());
    EXPECT_TRUE(writeOpen());
    // The search ended on the write channel, the last interface of the mouse it examined.
    EXPECT_EQ(state.link.devicePath.get(), "/dev/hidraw1#2");
    EXPECT_EQ(hid.opened, (std::vector<QString>{"read /dev/hidraw1#1", "write /dev/hidraw1#2"}));
    std::lock_guard lock(state.link.channelMutex);
    EXPECT_EQ(state.link.readCaps.inputReportByteLength, 9);
    EXPECT_EQ(state.link.writeCaps.featureReportByteLength, 9);
}

TEST_F(DiscoveryTest, OnlyTheFirstHundredIndicesAreExamined) {
    for (int i = 0; i < 100; ++i)
        hid.addOther(QStringLiteral("/dev/hidraw%1#0").arg(i));
    hid.addMouse("/dev/hidraw100");
    EXPECT_EQ(discoverDevice(state), 0);
    EXPECT_TRUE(hid.opened.empty());
    EXPECT_TRUE(state.link.devicePath.get().isEmpty());
}

TEST_F(DiscoveryTest, MouseCutOffByTheLimitIsConnectedWithoutItsWriteChannel) {
    for (int i = 0; i < 98; ++i)
        hid.addOther(QStringLiteral("/dev/hidraw%1#0").arg(i));
    hid.addMouse("/dev/hidraw98"); // #0 at 98, #1 at 99, #2 at 100
    EXPECT_EQ(discoverDevice(state), 1);
    EXPECT_TRUE(readOpen());
    EXPECT_FALSE(writeOpen());
    EXPECT_EQ(state.link.devicePath.get(), "/dev/hidraw98#1");
}

TEST_F(DiscoveryTest, ConnectedIsTheMatchOfTheLastInterfaceExamined) {
    // A mouse without its write collection, and another device after it.
    hid.interfaces.push_back({"/dev/hidraw1#0", true, 0x18F8, 0x0F99, {0xFF00, 1, 9, 0, 0}});
    hid.addOther("/dev/hidraw2#0");
    EXPECT_EQ(discoverDevice(state), 0);
    EXPECT_TRUE(readOpen());
    EXPECT_EQ(state.link.devicePath.get(), "/dev/hidraw1#0");
}

TEST_F(DiscoveryTest, UnqueriedInterfacesAndEmptyIndicesDoNotMatch) {
    hid.interfaces.push_back({"/dev/hidraw0#0", false, 0, 0, {}});
    EXPECT_EQ(discoverDevice(state), 0);
}

TEST_F(DiscoveryTest, FailedOpensCountAsFoundAndEndTheSearch) {
    hid.failOpens = true;
    hid.addMouse("/dev/hidraw1");
    hid.addMouse("/dev/hidraw2");
    EXPECT_EQ(discoverDevice(state), 1);
    std::lock_guard lock(state.link.channelMutex);
    EXPECT_TRUE(state.link.readHandle.openFailed);
    EXPECT_TRUE(state.link.writeHandle.openFailed);
    EXPECT_EQ(state.link.devicePath.get(), "/dev/hidraw1#2");
}

TEST_F(DiscoveryTest, WithoutBackendNothingIsFound) {
    state.platform.hid = nullptr;
    EXPECT_EQ(discoverDevice(state), 0);
}

TEST_F(DiscoveryTest, DeviceChangesActOnlyOnTheMousePathLetterCaseAside) {
    hid.addMouse("/run/vm/Mouse.sock");
    ASSERT_EQ(discoverDevice(state), 1);
    const QString path = state.link.devicePath.get();

    using hid::DeviceChangeKind;
    // Another device coming and going changes nothing.
    EXPECT_EQ(handleDeviceChange(state, {DeviceChangeKind::Arrival, "/dev/hidraw7#0"}),
              DeviceChangeOutcome::None);
    EXPECT_EQ(handleDeviceChange(state, {DeviceChangeKind::Removal, "/dev/hidraw7#0"}),
              DeviceChangeOutcome::None);
    EXPECT_EQ(state.link.connected, 1);
    // An arrival while connected does not search again.
    hid.opened.clear();
    EXPECT_EQ(handleDeviceChange(state, {DeviceChangeKind::Arrival, path}),
              DeviceChangeOutcome::None);
    EXPECT_TRUE(hid.opened.empty());

    EXPECT_TRUE(matchesDevicePath(state, {DeviceChangeKind::Removal, path.toUpper()}));
    EXPECT_EQ(handleDeviceChange(state, {DeviceChangeKind::Removal, path.toUpper()}),
              DeviceChangeOutcome::MouseRemoved);
    EXPECT_EQ(state.link.connected, 0);
}

TEST_F(DiscoveryTest, ArrivalNeedsAKnownPath) {
    // Started without the mouse: devicePath is empty, so a mouse that appears
    // later does not match and nothing is searched.
    ASSERT_EQ(discoverDevice(state), 0);
    hid.addMouse("/dev/hidraw3");
    EXPECT_EQ(handleDeviceChange(state, {hid::DeviceChangeKind::Arrival, "/dev/hidraw3#2"}),
              DeviceChangeOutcome::None);
    EXPECT_EQ(state.link.connected, 0);
    EXPECT_TRUE(hid.opened.empty());
}

TEST_F(DiscoveryTest, ArrivalOfTheKnownPathWhileDisconnectedReopensGoneChannels) {
    hid.addMouse("/dev/hidraw1");
    ASSERT_EQ(discoverDevice(state), 1);
    const QString path = state.link.devicePath.get();
    ASSERT_EQ(handleDeviceChange(state, {hid::DeviceChangeKind::Removal, path}),
              DeviceChangeOutcome::MouseRemoved);
    hid.input->unplug();
    hid.input = std::make_shared<test::InputQueue>();
    hid.opened.clear();

    EXPECT_EQ(handleDeviceChange(state, {hid::DeviceChangeKind::Arrival, path}),
              DeviceChangeOutcome::None);
    EXPECT_EQ(state.link.connected, 1);
    EXPECT_EQ(hid.opened.front(), "read /dev/hidraw1#1");
    std::lock_guard lock(state.link.channelMutex);
    EXPECT_FALSE(state.link.readHandle.channel->gone());
}

} // namespace
} // namespace vux
