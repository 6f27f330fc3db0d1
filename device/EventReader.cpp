#include "device/EventReader.h"

#include "app/AppState.h"

#include <algorithm>
#include <chrono>

namespace vux {

namespace {

constexpr auto kPassPause = std::chrono::milliseconds(2);

void handleWhileProcessing(AppState& state, uint8_t code) {
    EventMailbox& mailbox = state.mailbox;
    const bool holdMode = state.profile.macroMode == 1;
    if (code > kPressCodeBase) {
        if (mailbox.eventPending.load(std::memory_order_acquire) == 0) {
            mailbox.eventCode = code;
            mailbox.eventPending.store(1, std::memory_order_release);
            mailbox.eventPending.notify_all();
        } else if (state.profile.macroMode == 0) {
            // A second press while the first is handled stops the macro it plays.
            mailbox.stopRequest = 1;
        }
    } else if (code == kReleaseCode && holdMode) {
        // In hold mode the macro plays only while the button is held.
        mailbox.stopRequest = 1;
    }
}

} // namespace

void handleInputReport(AppState& state, std::span<const uint8_t> report) {
    if (report.size() < 2)
        return;
    const uint8_t reportId = report[0];
    const uint8_t code = report[1];
    if (state.derived.driverActive == 1) {
        handleWhileProcessing(state, code);
        return;
    }
    if (reportId == kAckReportId && code == kReleaseCode) {
        state.derived.driverActive = 1;
        state.indicator.blinkLaunched = 0;
        state.indicator.blinkOn = 0;
        state.requestRepaint();
    }
}

void readerLoop(AppState& state, std::stop_token stop) {
    DeviceLink& link = state.link;
    std::array<uint8_t, kInputReportSize>& buffer = state.mailbox.inputReport;
    while (!stop.stop_requested()) {
        std::shared_ptr<hid::InputChannel> channel;
        std::size_t length = 0;
        {
            std::unique_lock lock(link.channelMutex);
            // Nothing to read from until discovery opens a live channel; a read
            // of a missing or unplugged device would only fail again and again.
            const bool ready = link.channelChanged.wait(lock, stop, [&] {
                return link.readHandle.channel && !link.readHandle.channel->gone();
            });
            if (!ready)
                return;
            channel = link.readHandle.channel;
            length = std::min<std::size_t>(link.readCaps.inputReportByteLength, buffer.size());
        }

        const int read = channel->readReport(std::span<uint8_t>(buffer.data(), length), stop);
        if (read >= 0)
            handleInputReport(
                state, std::span<const uint8_t>(buffer.data(), static_cast<std::size_t>(read)));

        std::unique_lock lock(link.channelMutex);
        link.channelChanged.wait_for(lock, stop, kPassPause, [] { return false; });
    }
}

} // namespace vux
