// The HID report descriptor parser: any bytes a device (or a virtual mouse)
// hands over must parse without reading out of bounds, and every length it
// reports must fit the parser's own limits.
#include "platform/hid/ReportDescriptor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto collections = vux::hid::parseReportDescriptor(std::span<const uint8_t>(data, size));
    if (collections.size() > 256)
        std::abort();
    for (const auto& c : collections) {
        if (!c.usesReportIds && !c.inputReportIds.empty() &&
            c.inputReportIds != std::vector<uint8_t>{0})
            std::abort();
        for (std::size_t i = 1; i < c.inputReportIds.size(); ++i)
            if (c.inputReportIds[i - 1] >= c.inputReportIds[i])
                std::abort();
    }
    return 0;
}
