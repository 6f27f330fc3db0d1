#pragma once
// What the TESK mouse's firmware does on its vendor channels, as far as the
// program can see: it keeps the button map it is sent, acknowledges the first
// click of a host-handled button after a new map, and from then on reports
// presses and releases of host-handled buttons. Buttons it handles itself
// send nothing on the vendor channel.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace vux::tools {

class VirtualMouseFirmware {
public:
    using SendInput = std::function<void(const std::vector<uint8_t>& report)>;

    static constexpr uint8_t kVendorReportId = 6;
    static constexpr uint8_t kHostHandled = 31;

    VirtualMouseFirmware(int inputLength, SendInput sendInput);

    void featureReport(std::span<const uint8_t> report);
    // Buttons 1..8 as the program numbers them; others are ignored.
    void press(int button);
    void release(int button);

    bool awaitingAcknowledgement() const { return awaitingAck_; }

private:
    void send(uint8_t code) const;

    int inputLength_;
    SendInput sendInput_;
    std::array<int, 16> deviceCodeOfHwId_{}; // by the mouse's own button id
    std::array<bool, 9> ackClickHeld_{};     // by button 1..8
    bool awaitingAck_ = false;
};

} // namespace vux::tools
