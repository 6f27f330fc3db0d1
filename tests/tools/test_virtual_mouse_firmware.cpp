#include "tools/virtual-mouse/VirtualMouseFirmware.h"

#include <gtest/gtest.h>

namespace vux::tools {
namespace {

using Bytes = std::vector<uint8_t>;

struct FirmwareTest : ::testing::Test {
    std::vector<Bytes> sent;
    VirtualMouseFirmware firmware{9, [this](const Bytes& r) { sent.push_back(r); }};

    // The factory map: buttons 6 and 7 (ids 6 and 8) handed to the computer.
    void sendFactoryMap() {
        const uint8_t map[8][2] = {{1, 1}, {2, 2},  {3, 3},  {5, 5},
                                   {4, 4}, {6, 31}, {8, 31}, {9, 9}};
        for (const auto& m : map) {
            const uint8_t report[9] = {7, 0x10, m[0], m[1], 0, 0, 0, 0, 0};
            firmware.featureReport(report);
        }
    }
};

Bytes vendor(uint8_t code) {
    return {6, code, 0, 0, 0, 0, 0, 0, 0};
}

TEST_F(FirmwareTest, OutOfTheBoxNoButtonTalksOnTheVendorChannel) {
    for (int b = 1; b <= 8; ++b) {
        firmware.press(b);
        firmware.release(b);
    }
    EXPECT_TRUE(sent.empty());
}

TEST_F(FirmwareTest, FirstClickOfAHostButtonAcknowledgesThenPressesAndReleasesAreReported) {
    sendFactoryMap();
    ASSERT_TRUE(firmware.awaitingAcknowledgement());
    firmware.press(1); // handled by the mouse: nothing, and no acknowledgement
    firmware.release(1);
    EXPECT_TRUE(sent.empty());

    firmware.press(7);
    firmware.release(7);
    EXPECT_EQ(sent, std::vector<Bytes>{vendor(0)});
    EXPECT_FALSE(firmware.awaitingAcknowledgement());

    sent.clear();
    firmware.press(6);
    firmware.release(6);
    firmware.press(7);
    EXPECT_EQ(sent, (std::vector<Bytes>{vendor(0xF6), vendor(0), vendor(0xF8)}));
}

TEST_F(FirmwareTest, ANewMapAsksForAnotherAcknowledgement) {
    sendFactoryMap();
    firmware.press(6);
    firmware.release(6);
    sendFactoryMap();
    sent.clear();
    firmware.press(6);
    EXPECT_EQ(sent, std::vector<Bytes>{vendor(0)});
}

TEST_F(FirmwareTest, ReportsFollowTheInputLengthAndIgnoreOtherCommands) {
    std::vector<Bytes> shortSent;
    VirtualMouseFirmware small(2, [&](const Bytes& r) { shortSent.push_back(r); });
    const uint8_t other[4] = {7, 0x09, 6, 31}; // a DPI report is not a button map
    small.featureReport(other);
    small.press(6);
    EXPECT_TRUE(shortSent.empty());
    const uint8_t map[4] = {7, 0x10, 6, 31};
    small.featureReport(map);
    small.press(6);
    small.press(6);
    EXPECT_EQ(shortSent, (std::vector<Bytes>{{6, 0}, {6, 0xF6}}));
}

} // namespace
} // namespace vux::tools
