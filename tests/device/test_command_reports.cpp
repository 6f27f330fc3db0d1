#include "app/AppState.h"
#include "device/CommandReports.h"
#include "device/Discovery.h"
#include "platform/ini/IniFile.h"
#include "tests/device/FakeHid.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace vux {
namespace {

using Bytes = std::vector<uint8_t>;
using test::FakeDesktop;
using test::FakeHidBackend;

struct CommandReportsTest : ::testing::Test {
    AppState state;
    FakeHidBackend hid;
    FakeDesktop desktop;
    QTemporaryDir dir;
    int blinkStarts = 0;
    int repaints = 0;

    void SetUp() override {
        state.platform.hid = &hid;
        state.platform.desktop = &desktop;
        state.shell.configPath = dir.filePath("config.ini");
        state.shell.currentProfile = 2;
        state.hooks.startBlink = [this] { ++blinkStarts; };
        state.hooks.requestRepaint = [this] { ++repaints; };
        setFactory();
    }

    void connect(uint16_t featureLength = 9) {
        hid.addMouse("/dev/hidraw1", featureLength);
        ASSERT_EQ(discoverDevice(state), 1);
    }

    void setFactory() {
        const int32_t keys[8] = {1, 2, 3, 5, 4, 18, 17, 13};
        for (int i = 0; i < 8; ++i)
            state.profile.keyFunc[static_cast<std::size_t>(i)] = keys[i];
        state.profile.wheelStatus = 1;
        state.profile.dpiLevel = 1;
        const uint8_t dpi[4] = {1, 2, 4, 0};
        for (std::size_t j = 0; j < 4; ++j)
            state.profile.dpiSet[j] = dpi[j];
        state.profile.ledStatus = 0;
        state.profile.pointerSpeed = 4;
        state.profile.wheelSpeed = 2;
        state.profile.fireTime = 50;
    }
};

Bytes report(std::initializer_list<uint8_t> head, std::size_t length = 9) {
    Bytes r(head);
    r.resize(length, 0);
    return r;
}

TEST_F(CommandReportsTest, FactoryProfileSendsTheButtonMapThenWheelDpiAndFireTime) {
    connect();
    applySettings(state);

    const std::vector<Bytes> expected{report({7, 0x10, 1, 1}),
                                      report({7, 0x10, 2, 2}),
                                      report({7, 0x10, 3, 3}),
                                      report({7, 0x10, 5, 5}),
                                      report({7, 0x10, 4, 4}),
                                      report({7, 0x10, 6, 0x1F}),
                                      report({7, 0x10, 8, 0x1F}),
                                      report({7, 0x10, 9, 9}),
                                      report({7, 0x11, 1, 0}),
                                      report({7, 0x09, 1, 0xA0}),
                                      report({7, 0x12, 6, 0, 0, 0, 0, 0})};
    EXPECT_EQ(hid.features->take(), expected);
    EXPECT_EQ(state.derived.firstHostButton, 6);
    EXPECT_EQ(state.derived.driverActive, 0);
    EXPECT_EQ(state.indicator.blinkOn, 1);
    EXPECT_EQ(state.indicator.blinkLaunched, 1);
    EXPECT_EQ(blinkStarts, 1);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(state.derived.dpiStep[5], -1);
    EXPECT_EQ(state.derived.dpiStep[6], 1);
    EXPECT_EQ(state.derived.dpiStep[0], 0);
    EXPECT_EQ(desktop.speedsSet, std::vector<int>{8});
    EXPECT_EQ(desktop.linesSet, std::vector<int>{3});
    EXPECT_EQ(ini::readString(state.shell.configPath, "Init", "CurConfig", 5), "2");

    // A second apply while the blink worker of this wait still runs starts no other.
    applySettings(state);
    EXPECT_EQ(blinkStarts, 1);
}

TEST_F(CommandReportsTest, CommandsKeepTheBytesTheyDoNotName) {
    connect();
    {
        std::lock_guard lock(state.link.featureMutex);
        std::fill(state.link.featureReport.begin() + 4, state.link.featureReport.begin() + 9,
                  uint8_t{0xAA});
    }
    applySettings(state);
    const auto sent = hid.features->take();
    ASSERT_EQ(sent.size(), 11u);
    EXPECT_EQ(sent[0], (Bytes{7, 0x10, 1, 1, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
    EXPECT_EQ(sent[9], (Bytes{7, 0x09, 1, 0xA0, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
    // The fire-time report clears bytes 3..7 only.
    EXPECT_EQ(sent[10], (Bytes{7, 0x12, 6, 0, 0, 0, 0, 0, 0xAA}));

    sendCloseNotice(state);
    EXPECT_EQ(hid.features->take(), (std::vector<Bytes>{{7, 0x20, 0, 0, 0, 0, 0, 0, 0xAA}}));
}

TEST_F(CommandReportsTest, ButtonCodesMapToDeviceCodes) {
    connect();
    // 16 → 12, 21 → 13, 25 → 17, 19 and 40 and 52 are handed to the computer.
    const int32_t keys[8] = {1, 16, 21, 25, 19, 40, 52, 0};
    for (int i = 0; i < 8; ++i)
        state.profile.keyFunc[static_cast<std::size_t>(i)] = keys[i];
    applySettings(state);
    const auto sent = hid.features->take();
    ASSERT_GE(sent.size(), 8u);
    const uint8_t device[8] = {1, 12, 13, 17, 31, 31, 31, 0};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(sent[i][3], device[i]) << "button " << i + 1;
    EXPECT_EQ(state.derived.firstHostButton, 5);
}

TEST_F(CommandReportsTest, CodesOutsideTheTableLeaveTheirButtonAlone) {
    connect();
    state.profile.keyFunc[1] = 7;
    state.profile.keyFunc[2] = -3;
    state.profile.keyFunc[3] = 53;
    applySettings(state);
    const auto sent = hid.features->take();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[1][2], 4); // button 5 follows button 1 directly
}

TEST_F(CommandReportsTest, ConversionsOfOddValues) {
    connect();
    struct Case {
        int32_t fireTime;
        uint8_t fireByte;
        uint8_t pointerSpeed;
        int desktopSpeed;
        uint8_t wheelSpeed;
        int lines;
    } cases[] = {{-8, 0xFF, 9, 18, 9, 10}, {300, 37, 0, 1, 255, 0}, {7, 0, 8, 16, 0, 1}};
    for (const Case& c : cases) {
        state.profile.fireTime = c.fireTime;
        state.profile.pointerSpeed = c.pointerSpeed;
        state.profile.wheelSpeed = c.wheelSpeed;
        desktop.speedsSet.clear();
        desktop.linesSet.clear();
        applySettings(state);
        const auto sent = hid.features->take();
        EXPECT_EQ(sent.back()[2], c.fireByte) << c.fireTime;
        EXPECT_EQ(desktop.speedsSet, std::vector<int>{c.desktopSpeed});
        EXPECT_EQ(desktop.linesSet, std::vector<int>{c.lines});
    }
}

TEST_F(CommandReportsTest, FailingQueriesSkipTheDesktopChanges) {
    desktop.speed.reset();
    desktop.lines.reset();
    applySettings(state);
    EXPECT_TRUE(desktop.speedsSet.empty());
    EXPECT_TRUE(desktop.linesSet.empty());
}

TEST_F(CommandReportsTest, WithoutTheMouseEverythingButTheReportsStillHappens) {
    hid.failOpens = true;
    connect();
    applySettings(state);
    EXPECT_TRUE(hid.features->take().empty());
    EXPECT_EQ(state.derived.driverActive, 0);
    EXPECT_EQ(desktop.speedsSet, std::vector<int>{8});
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(ini::readString(state.shell.configPath, "Init", "CurConfig", 5), "2");
}

TEST_F(CommandReportsTest, ReportLengthFollowsTheWriteChannelUpToTheBuffer) {
    for (uint16_t length : {uint16_t{4}, uint16_t{64}, uint16_t{300}}) {
        AppState fresh;
        FakeHidBackend backend;
        fresh.platform.hid = &backend;
        fresh.shell.configPath = dir.filePath("config.ini");
        backend.addMouse("/dev/hidraw1", length);
        ASSERT_EQ(discoverDevice(fresh), 1);
        sendCloseNotice(fresh);
        const auto sent = backend.features->take();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].size(), std::min<std::size_t>(length, 256));
    }
}

TEST_F(CommandReportsTest, DpiButtonAndLightToggleReports) {
    connect();
    state.profile.dpiLevel = 2;
    state.derived.dpiInForce[2] = 2;
    state.derived.ledInForce = 1;

    state.derived.ledToggle = kLightOff;
    reportDpiLevelChange(state);
    EXPECT_EQ(hid.features->take().at(0)[3], 0xA3);
    EXPECT_EQ(repaints, 1);

    state.derived.ledToggle = 0;
    toggleLight(state); // off
    toggleLight(state); // back to the profile's mode
    const auto sent = hid.features->take();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], report({7, 0x09, 2, 0xA3}));
    EXPECT_EQ(sent[1], report({7, 0x09, 2, 0xA1}));
    EXPECT_EQ(state.derived.ledToggle, 1);

    // dpiInForce[0] = 4 with light 2 at level 0.
    state.profile.dpiLevel = 0;
    state.derived.dpiInForce[0] = 4;
    sendDpiReport(state, 2);
    EXPECT_EQ(hid.features->take().at(0)[3], 0xC2);
}

TEST_F(CommandReportsTest, ALevelOutsideTheTableStaysInsideIt) {
    connect();
    state.profile.dpiLevel = 7;
    sendDpiReport(state, 0);
    const auto sent = hid.features->take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][2], 7);
}

TEST_F(CommandReportsTest, ReportsOfTwoThreadsNeverMix) {
    connect();
    state.derived.dpiInForce[1] = 2;
    std::jthread engine([this] {
        for (int i = 0; i < 200; ++i)
            sendDpiReport(state, 1);
    });
    for (int i = 0; i < 20; ++i)
        applySettings(state);
    engine.join();
    for (const Bytes& r : hid.features->take()) {
        ASSERT_EQ(r[0], 7);
        switch (r[1]) {
        case 0x10:
            EXPECT_TRUE(r[3] <= 17 || r[3] == 31);
            break;
        case 0x09:
            EXPECT_EQ(r[2], 1);
            EXPECT_TRUE(r[3] == 0xA0 || r[3] == 0xA1);
            break;
        case 0x11:
            EXPECT_EQ(r[2], 1);
            EXPECT_EQ(r[3], 0);
            break;
        case 0x12:
            EXPECT_EQ(r[2], 6);
            EXPECT_EQ(r[3], 0);
            break;
        default:
            ADD_FAILURE() << "command " << int(r[1]);
        }
    }
}

} // namespace
} // namespace vux
