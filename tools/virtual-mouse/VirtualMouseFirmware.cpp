#include "tools/virtual-mouse/VirtualMouseFirmware.h"

#include "settings/FunctionCodes.h"

#include <algorithm>
#include <utility>

namespace vux::tools {

namespace {

constexpr uint8_t kCommandReportId = 7;
constexpr uint8_t kSetButtonFunction = 0x10;
constexpr uint8_t kPressBase = 240;

int hwIdOf(int button) {
    return button >= 1 && button <= 8 ? buttonHwCode[static_cast<std::size_t>(button - 1)] : -1;
}

} // namespace

VirtualMouseFirmware::VirtualMouseFirmware(int inputLength, SendInput sendInput)
    : inputLength_(inputLength), sendInput_(std::move(sendInput)) {
    // Out of the box every button does its own thing.
    for (std::size_t i = 0; i < buttonHwCode.size(); ++i)
        deviceCodeOfHwId_[buttonHwCode[i]] = static_cast<int>(i) + 1;
}

void VirtualMouseFirmware::featureReport(std::span<const uint8_t> report) {
    if (report.size() < 4 || report[0] != kCommandReportId || report[1] != kSetButtonFunction)
        return;
    const uint8_t hwId = report[2];
    if (hwId >= deviceCodeOfHwId_.size())
        return;
    deviceCodeOfHwId_[hwId] = report[3];
    if (report[3] == kHostHandled)
        awaitingAck_ = true;
}

void VirtualMouseFirmware::press(int button) {
    const int hwId = hwIdOf(button);
    if (hwId < 0 || deviceCodeOfHwId_[static_cast<std::size_t>(hwId)] != kHostHandled)
        return;
    if (awaitingAck_) {
        awaitingAck_ = false;
        ackClickHeld_[static_cast<std::size_t>(button)] = true;
        send(0);
        return;
    }
    send(static_cast<uint8_t>(kPressBase + hwId));
}

void VirtualMouseFirmware::release(int button) {
    const int hwId = hwIdOf(button);
    if (hwId < 0 || deviceCodeOfHwId_[static_cast<std::size_t>(hwId)] != kHostHandled)
        return;
    // The click that acknowledged the map reports nothing more.
    if (std::exchange(ackClickHeld_[static_cast<std::size_t>(button)], false))
        return;
    send(0);
}

void VirtualMouseFirmware::send(uint8_t code) const {
    std::vector<uint8_t> report(static_cast<std::size_t>(std::max(inputLength_, 0)), 0);
    if (!report.empty())
        report[0] = kVendorReportId;
    if (report.size() > 1)
        report[1] = code;
    if (sendInput_)
        sendInput_(report);
}

} // namespace vux::tools
