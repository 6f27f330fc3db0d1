#include "app/AppState.h"
#include "settings/Conversions.h"
#include "settings/FunctionCodes.h"
#include "settings/ProfileSettings.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace vux {
namespace {

// The function-code rules restated as ranges, independently of the table.
struct Expected {
    bool inTable;
    int device;
    int step;
};

Expected expectedFor(int code) {
    if (code >= 0 && code <= 5)
        return {true, code, 0};
    if (code >= 11 && code <= 16)
        return {true, code - 4, 0};
    if (code >= 21 && code <= 25)
        return {true, code - 8, 0};
    if (code == 6)
        return {true, 31, 2};
    if (code == 17)
        return {true, 31, 1};
    if (code == 18)
        return {true, 31, -1};
    if (code == 19 || (code >= 26 && code <= 52))
        return {true, 31, 0};
    return {false, kNoDeviceCode, 0};
}

TEST(FunctionCodes, EveryCodeAndItsNeighboursFollowTheRules) {
    std::vector<int> codes{INT_MIN, INT_MIN + 1, -1000, INT_MAX, INT_MAX - 1, 1000, 255, 256};
    for (int code = -5; code <= 60; ++code)
        codes.push_back(code);
    for (int code : codes) {
        const Expected e = expectedFor(code);
        EXPECT_EQ(isInFunctionTable(code), e.inTable) << code;
        EXPECT_EQ(deviceCodeOf(code), e.device) << code;
        EXPECT_EQ(dpiStepOf(code), e.step) << code;
        EXPECT_EQ(isHandedToHost(code), e.device == kHostDeviceCode) << code;
        // The device never receives anything but 0..17 and 31.
        if (e.inTable) {
            EXPECT_TRUE(isDeviceCodeSendable(deviceCodeOf(code))) << code;
        } else {
            EXPECT_EQ(hostActionOf(code), HostAction::None) << code;
        }
    }
}

TEST(FunctionCodes, DeviceCodesOfTheMouseHandledRanges) {
    EXPECT_EQ(deviceCodeOf(16), 12);
    EXPECT_EQ(deviceCodeOf(21), 13);
    EXPECT_EQ(deviceCodeOf(25), 17);
    EXPECT_EQ(deviceCodeOf(11), 7);
    for (int code : {19, 26, 27, 30, 40, 41, 52})
        EXPECT_EQ(deviceCodeOf(code), kHostDeviceCode) << code;
}

TEST(FunctionCodes, HostActionsAndMacros) {
    EXPECT_EQ(hostActionOf(6), HostAction::DpiCycle);
    EXPECT_EQ(hostActionOf(17), HostAction::DpiUp);
    EXPECT_EQ(hostActionOf(18), HostAction::DpiDown);
    EXPECT_EQ(hostActionOf(19), HostAction::LightToggle);
    EXPECT_EQ(hostActionOf(26), HostAction::Mute);
    EXPECT_EQ(hostActionOf(28), HostAction::None);
    EXPECT_EQ(hostActionOf(31), HostAction::CopyCtrlC);
    EXPECT_EQ(hostActionOf(32), HostAction::PasteCtrlV);
    EXPECT_EQ(hostActionOf(35), HostAction::CloseAltF4);
    EXPECT_EQ(hostActionOf(39), HostAction::RunCommandPrompt);
    EXPECT_EQ(hostActionOf(40), HostAction::NextProfile);
    EXPECT_EQ(hostActionOf(3), HostAction::None);
    for (int code = 41; code <= 52; ++code) {
        EXPECT_EQ(hostActionOf(code), HostAction::PlayMacro) << code;
        EXPECT_EQ(macroIndexOf(code), code - 41) << code;
    }
    for (int code : {INT_MIN, -1, 0, 40, 53, INT_MAX})
        EXPECT_EQ(macroIndexOf(code), -1) << code;
}

// A code outside the table repeats the byte of the previous report when that
// is a device code, and sends nothing otherwise.
TEST(FunctionCodes, DeviceCodeToSendForCodesOutsideTheTable) {
    struct Case {
        int code;
        int previous;
        int expected;
    };
    const Case cases[] = {
        {7, 5, 5},
        {20, 0, 0},
        {-3, 17, 17},
        {53, 31, 31},
        {7, 18, kNoDeviceCode},
        {10, 30, kNoDeviceCode},
        {9, 0xC2, kNoDeviceCode},
        {INT_MIN, -1, kNoDeviceCode},
        {16, 200, 12},
        {41, 3, kHostDeviceCode},
    };
    for (const Case& c : cases)
        EXPECT_EQ(deviceCodeToSend(c.code, c.previous), c.expected)
            << c.code << " after " << c.previous;
}

TEST(Conversions, PointerSpeed) {
    const int expected[] = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18};
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(windowsPointerSpeed(static_cast<uint8_t>(i)), expected[i]) << i;
    EXPECT_EQ(windowsPointerSpeed(10), 18);
    EXPECT_EQ(windowsPointerSpeed(255), 18);
}

TEST(Conversions, WheelLinesFireTimeAndDpiByte) {
    EXPECT_EQ(wheelScrollLines(0), 1);
    EXPECT_EQ(wheelScrollLines(9), 10);
    EXPECT_EQ(wheelScrollLines(255), 0);
    EXPECT_EQ(fireTimeByte(300), 37);
    EXPECT_EQ(fireTimeByte(7), 0);
    EXPECT_EQ(fireTimeByte(8), 1);
    EXPECT_EQ(fireTimeByte(-8), 255);
    EXPECT_EQ(fireTimeByte(INT_MAX), static_cast<uint8_t>(INT_MAX / 8));
    EXPECT_EQ(fireTimeByte(INT_MIN), static_cast<uint8_t>(INT_MIN / 8));
    EXPECT_EQ(dpiReportByte(4, 2), 0xC2);
    for (int step = 0; step <= 4; ++step)
        for (int light = 0; light <= 3; ++light)
            EXPECT_EQ(dpiReportByte(static_cast<uint8_t>(step), static_cast<uint8_t>(light)),
                      0x80 + step * 16 + light);
    EXPECT_EQ(dpiReportByte(255, 255), static_cast<uint8_t>((255 + 8) * 16 + 255));
}

TEST(ProfileSettings, DpiLevelIndexStaysInsideTheArrays) {
    EXPECT_EQ(dpiLevelIndex(0), 0u);
    EXPECT_EQ(dpiLevelIndex(3), 3u);
    EXPECT_EQ(dpiLevelIndex(-1), 0u);
    EXPECT_EQ(dpiLevelIndex(4), 3u);
    EXPECT_EQ(dpiLevelIndex(INT_MIN), 0u);
    EXPECT_EQ(dpiLevelIndex(INT_MAX), 3u);
    EXPECT_EQ(dpiAreaOf(0, 4), 64);
    EXPECT_EQ(dpiAreaOf(3, 0), 75);
}

TEST(ProfileSettings, FactoryProfileKeepsMacroMode) {
    AppState state;
    state.profile.macroMode = 1;
    state.profile.dpiLevel = 9;
    state.profile.fireTime = -4;
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        state.profile.dpiEnabled[j] = 0;
        state.derived.dpiArea[j] = -1;
    }
    state.profile.keyFunc[3] = 99;
    setFactoryProfile(state);

    const ProfileSettings& p = state.profile;
    for (std::size_t i = 0; i < kButtonCount; ++i)
        EXPECT_EQ(p.keyFunc[i], defaultKeyFunc[i]) << i;
    EXPECT_EQ(p.macroMode, 1);
    EXPECT_EQ(p.wheelStatus, 0);
    EXPECT_EQ(p.dpiLevel, 0);
    const uint8_t steps[] = {1, 2, 4, 0};
    const int32_t areas[] = {61, 67, 74, 75};
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        EXPECT_EQ(p.dpiSet[j], steps[j]);
        EXPECT_EQ(state.derived.dpiInForce[j], steps[j]);
        EXPECT_EQ(state.derived.dpiArea[j], areas[j]);
        EXPECT_EQ(p.dpiEnabled[j], 1);
    }
    EXPECT_EQ(p.ledStatus, 0);
    EXPECT_EQ(p.pointerSpeed, 4);
    EXPECT_EQ(p.wheelSpeed, 2);
    EXPECT_EQ(p.fireTime, 50);
}

TEST(ProfileSettings, FactoryButtonsKeepTheLeftClick) {
    bool leftClick = false;
    for (int32_t code : defaultKeyFunc) {
        EXPECT_TRUE(isInFunctionTable(code));
        leftClick = leftClick || code == kLeftClickCode;
    }
    EXPECT_TRUE(leftClick);
}

// The table is usable at compile time, so callers can check their own constants.
static_assert(deviceCodeOf(25) == 17);
static_assert(deviceCodeOf(7) == kNoDeviceCode);
static_assert(dpiStepOf(18) == -1);
static_assert(deviceCodeToSend(20, 4) == 4);

} // namespace
} // namespace vux
