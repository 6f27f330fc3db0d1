#include "device/CommandReports.h"

#include "app/AppState.h"
#include "platform/desktop/DesktopSettings.h"
#include "platform/ini/IniFile.h"
#include "settings/FunctionCodes.h"
#include "settings/ProfileStore.h"

#include <algorithm>
#include <array>

namespace vux {

namespace {

constexpr std::array<int, 9> kPointerSpeedTable{1, 2, 4, 6, 8, 10, 12, 14, 16};
constexpr int kFastestPointerSpeed = 18;

// Fills the buffer and sends it as one step, so a sender on another thread
// cannot slip its bytes into the middle of this report. The length is the
// write channel's feature length, never more than the buffer.
template <class Fill> void sendFeature(AppState& state, Fill&& fill) {
    DeviceLink& link = state.link;
    std::shared_ptr<hid::FeatureChannel> channel;
    std::size_t length = 0;
    {
        std::lock_guard lock(link.channelMutex);
        channel = link.writeHandle.channel;
        length = std::min<std::size_t>(link.writeCaps.featureReportByteLength, kFeatureReportSize);
    }
    std::lock_guard lock(link.featureMutex);
    std::array<uint8_t, kFeatureReportSize>& report = link.featureReport;
    report[0] = kCommandReportId;
    fill(report);
    if (channel && length > 0)
        channel->sendFeatureReport(std::span<const uint8_t>(report.data(), length));
}

uint8_t dpiByte(const AppState& state, uint8_t light) {
    // A hand-edited DPI_LEVEL outside 0..3 must not index past the table.
    const int level = std::clamp<int32_t>(state.profile.dpiLevel, 0, kDpiLevelCount - 1);
    const int step = state.derived.dpiInForce[static_cast<std::size_t>(level)];
    return static_cast<uint8_t>((step + 8) * 16 + light);
}

bool writeHandleFailed(AppState& state) {
    std::lock_guard lock(state.link.channelMutex);
    return state.link.writeHandle.openFailed;
}

} // namespace

int desktopPointerSpeedOf(uint8_t pointerSpeed) {
    return pointerSpeed < kPointerSpeedTable.size() ? kPointerSpeedTable[pointerSpeed]
                                                    : kFastestPointerSpeed;
}

void sendDpiReport(AppState& state, uint8_t light) {
    const uint8_t level = static_cast<uint8_t>(state.profile.dpiLevel);
    const uint8_t value = dpiByte(state, light);
    sendFeature(state, [&](auto& r) {
        r[1] = static_cast<uint8_t>(Command::SetDpiAndLight);
        r[2] = level;
        r[3] = value;
    });
}

void reportDpiLevelChange(AppState& state) {
    const uint8_t light =
        state.derived.ledToggle == kLightOff ? kLightOff : state.derived.ledInForce.load();
    sendDpiReport(state, light);
    state.requestRepaint();
    saveDpiLevel(state, state.shell.configPath, state.shell.currentProfile);
}

void toggleLight(AppState& state) {
    const uint8_t light =
        state.derived.ledToggle == kLightOff ? state.derived.ledInForce.load() : kLightOff;
    state.derived.ledToggle = light;
    sendDpiReport(state, light);
    state.requestRepaint();
}

void sendCloseNotice(AppState& state) {
    sendFeature(state, [](auto& r) {
        r[1] = static_cast<uint8_t>(Command::CloseNotice);
        r[2] = 0;
        r[3] = 0;
    });
}

void applySettings(AppState& state) {
    ProfileSettings& profile = state.profile;
    DerivedSettings& derived = state.derived;
    const QString& configPath = state.shell.configPath;

    derived.driverActive = 1;
    ini::writeString(configPath, QStringLiteral("Init"), QStringLiteral("CurConfig"),
                     QString::number(state.shell.currentProfile.load()));
    saveProfile(state, configPath, lastAppliedProfile);

    const bool skipButtons = writeHandleFailed(state);
    for (int i = 0; i < kButtonCount; ++i) {
        const auto button = static_cast<std::size_t>(i);
        const int32_t code = profile.keyFunc[button];
        derived.dpiStep[button] = dpiStepOf(code);
        const int deviceCode = deviceCodeOf(code);
        // A code outside the table has no device code; that button is left as the mouse has it.
        if (!isDeviceCodeSendable(deviceCode))
            continue;
        if (!skipButtons) {
            sendFeature(state, [&](auto& r) {
                r[1] = static_cast<uint8_t>(Command::SetButtonFunction);
                r[2] = buttonHwCode[button];
                r[3] = static_cast<uint8_t>(deviceCode);
            });
        }
        if (deviceCode == kHostDeviceCode && derived.driverActive == 1) {
            derived.driverActive = 0;
            state.indicator.blinkOn = 1;
            derived.firstHostButton = i + 1;
            if (state.indicator.blinkLaunched == 0) {
                state.indicator.blinkLaunched = 1;
                state.shell.blinkRunning = 1;
                if (state.hooks.startBlink)
                    state.hooks.startBlink();
            }
        }
    }

    const auto wheel = static_cast<uint8_t>(profile.wheelStatus);
    sendFeature(state, [&](auto& r) {
        r[1] = static_cast<uint8_t>(Command::SetWheelStatus);
        r[2] = wheel;
        r[3] = 0;
    });

    for (std::size_t j = 0; j < kDpiLevelCount; ++j)
        derived.dpiInForce[j] = profile.dpiSet[j].load();
    derived.ledInForce = profile.ledStatus.load();
    sendDpiReport(state, derived.ledInForce);

    state.requestRepaint();

    if (DesktopSettings* desktop = state.platform.desktop) {
        if (desktop->pointerSpeed())
            desktop->setPointerSpeed(desktopPointerSpeedOf(profile.pointerSpeed));
        if (desktop->wheelScrollLines())
            desktop->setWheelScrollLines(static_cast<uint8_t>(profile.wheelSpeed + 1));
    }

    const auto fire = static_cast<uint8_t>(profile.fireTime / 8);
    sendFeature(state, [&](auto& r) {
        r[1] = static_cast<uint8_t>(Command::SetFireTime);
        r[2] = fire;
        std::fill(r.begin() + 3, r.begin() + 8, uint8_t{0});
    });

    saveProfile(state, configPath, state.shell.currentProfile);
}

} // namespace vux
