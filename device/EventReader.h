#pragma once

#include <cstdint>
#include <span>
#include <stop_token>

namespace vux {

struct AppState;

// Device codes of the vendor input report's byte 1.
inline constexpr uint8_t kReleaseCode = 0;
inline constexpr uint8_t kPressCodeBase = 240; // a press of device button b arrives as 240 + b
inline constexpr uint8_t kAckReportId = 6;     // {6, 0}: the mouse took the new button map

// One input report through the reader's two states (processing while
// driverActive is 1, waiting for the acknowledgement otherwise). Reports
// shorter than two bytes carry no code and are dropped.
void handleInputReport(AppState& state, std::span<const uint8_t> report);

// The device event reader worker: one input report per pass, then a 2 ms
// pause, until stopped. Without an open read channel it waits for discovery.
void readerLoop(AppState& state, std::stop_token stop);

} // namespace vux
