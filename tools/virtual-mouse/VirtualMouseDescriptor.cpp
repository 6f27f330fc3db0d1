#include "tools/virtual-mouse/VirtualMouseDescriptor.h"

#include <initializer_list>

namespace vux::tools {

namespace {

void add(std::vector<uint8_t>& d, std::initializer_list<uint8_t> bytes) {
    d.insert(d.end(), bytes);
}

// Report Count, in as few bytes as the value needs.
void reportCount(std::vector<uint8_t>& d, int count) {
    if (count <= 0xFF)
        add(d, {0x95, static_cast<uint8_t>(count)});
    else
        add(d, {0x96, static_cast<uint8_t>(count & 0xFF), static_cast<uint8_t>(count >> 8)});
}

// A vendor collection with one report of byteLength bytes, report ID included.
void vendorCollection(std::vector<uint8_t>& d, uint8_t pageLow, uint8_t reportId, int byteLength,
                      uint8_t mainItem) {
    add(d, {0x06, pageLow, 0xFF, // Usage Page (vendor 0xFF00 + pageLow)
            0x09, 0x01,          // Usage (1)
            0xA1, 0x01,          // Collection (Application)
            0x85, reportId,      //   Report ID
            0x09, 0x01,          //   Usage (1)
            0x15, 0x00,          //   Logical Minimum (0)
            0x26, 0xFF, 0x00,    //   Logical Maximum (255)
            0x75, 0x08});        //   Report Size (8)
    if (byteLength > 1) {
        reportCount(d, byteLength - 1);
        add(d, {mainItem, 0x02}); //   Input or Feature (Data, Var, Abs)
    }
    add(d, {0xC0}); // End Collection
}

} // namespace

std::vector<uint8_t> virtualMouseReportDescriptor(const VirtualMouseShape& shape) {
    std::vector<uint8_t> d;
    add(d, {0x05, 0x01, // Usage Page (Generic Desktop)
            0x09, 0x02, // Usage (Mouse)
            0xA1, 0x01, // Collection (Application)
            0x85, 0x01, //   Report ID (1)
            0x09, 0x01, //   Usage (Pointer)
            0xA1, 0x00, //   Collection (Physical)
            0x05, 0x09, //     Usage Page (Button)
            0x19, 0x01, //     Usage Minimum (1)
            0x29, 0x08, //     Usage Maximum (8)
            0x15, 0x00, //     Logical Minimum (0)
            0x25, 0x01, //     Logical Maximum (1)
            0x95, 0x08, //     Report Count (8)
            0x75, 0x01, //     Report Size (1)
            0x81, 0x02, //     Input (Data, Var, Abs)
            0x05, 0x01, //     Usage Page (Generic Desktop)
            0x09, 0x30, //     Usage (X)
            0x09, 0x31, //     Usage (Y)
            0x09, 0x38, //     Usage (Wheel)
            0x15, 0x81, //     Logical Minimum (-127)
            0x25, 0x7F, //     Logical Maximum (127)
            0x75, 0x08, //     Report Size (8)
            0x95, 0x03, //     Report Count (3)
            0x81, 0x06, //     Input (Data, Var, Rel)
            0xC0,       //   End Collection
            0xC0});     // End Collection
    if (shape.withRead)
        vendorCollection(d, 0x00, 6, shape.inputLength, 0x81);
    if (shape.withWrite)
        vendorCollection(d, 0x01, 7, shape.featureLength, 0xB1);
    return d;
}

} // namespace vux::tools
