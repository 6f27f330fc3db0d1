#pragma once
// The report descriptor the virtual mouse presents, shaped like the TESK
// mouse's: a standard mouse (report ID 1), the vendor read channel (usage page
// 0xFF00, input report ID 6) and the vendor write channel (0xFF01, feature
// report ID 7). Report lengths count the report-ID byte.

#include <cstdint>
#include <vector>

namespace vux::tools {

struct VirtualMouseShape {
    int inputLength = 9;   // of the read channel's input report
    int featureLength = 9; // of the write channel's feature report
    bool withRead = true;
    bool withWrite = true;
};

std::vector<uint8_t> virtualMouseReportDescriptor(const VirtualMouseShape& shape);

} // namespace vux::tools
