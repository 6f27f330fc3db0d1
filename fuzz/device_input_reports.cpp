// The event reader's handling of input reports from the mouse. The first byte
// sets the starting state (driverActive, macroMode, a pending event); the rest
// is a run of reports, each a length byte and that many bytes. Invariants: the
// mailbox flags stay 0 or 1, a posted code is a press, and a repaint comes only
// with the acknowledgement.
#include "app/AppState.h"
#include "device/EventReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    vux::AppState state;
    int repaints = 0;
    state.hooks.requestRepaint = [&] { ++repaints; };
    state.derived.driverActive = data[0] & 1;
    state.profile.macroMode = (data[0] >> 1) & 1;
    state.mailbox.eventPending = (data[0] >> 2) & 1;
    std::size_t pos = 1;
    while (pos < size) {
        const std::size_t length = std::min<std::size_t>(data[pos], size - pos - 1);
        const std::span<const uint8_t> report(data + pos + 1, length);
        pos += 1 + length;
        const uint8_t wasActive = state.derived.driverActive;
        const int wasRepaints = repaints;
        const int32_t wasPending = state.mailbox.eventPending.load();
        vux::handleInputReport(state, report);
        const bool ack = !wasActive && report.size() >= 2 && report[0] == 6 && report[1] == 0;
        if (repaints != wasRepaints + (ack ? 1 : 0))
            std::abort();
        if (state.mailbox.eventPending.load() > 1 || state.mailbox.stopRequest > 1)
            std::abort();
        if (!wasPending && state.mailbox.eventPending.load() && state.mailbox.eventCode <= 240)
            std::abort();
        // The executor's part: sometimes it finishes the event.
        if (report.size() > 2 && (report[2] & 1))
            state.mailbox.eventPending = 0;
    }
    return 0;
}
