#pragma once
// A small HID report descriptor parser: the top-level collections of a device
// with their usage and the longest input, output and feature report of each,
// as HidP_GetCaps reports them.

#include "platform/hid/HidBackend.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vux::hid {

struct CollectionCaps {
    Caps caps;
    bool usesReportIds = false;
    // Report IDs of the collection's input reports, ascending; on a node that
    // carries several collections these tell which reports belong to this one.
    std::vector<uint8_t> inputReportIds;
};

// Returns what could be read; a truncated or malformed descriptor yields the
// collections found up to the fault. Never reads outside the bytes given.
std::vector<CollectionCaps> parseReportDescriptor(std::span<const uint8_t> descriptor);

} // namespace vux::hid
