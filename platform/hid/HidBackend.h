#pragma once
// HID interfaces as the device link sees them: an enumeration of top-level
// collections, each with its own path, channels opened on a path, and hot-plug
// notices. The program wires the Linux backend (hidraw nodes, then the virtual
// mice of the user's runtime folder); tests wire a fake.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stop_token>
#include <vector>

namespace vux::hid {

// What HidP_GetCaps tells of one top-level collection. Report lengths count
// the report-ID byte when the collection uses report IDs; 0 = no such report.
struct Caps {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;

    friend bool operator==(const Caps&, const Caps&) = default;
};

// One enumerated interface. attributesRead is false when the probe could not
// open or query it; vendor, product and caps are then zero.
struct InterfaceInfo {
    QString path;
    bool attributesRead = false;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    Caps caps;
};

// The read side of an interface: whole input reports, one per call.
class InputChannel {
public:
    virtual ~InputChannel() = default;
    // Blocks until one input report has been copied into buffer (returns its
    // length, cut to the buffer), or returns -1 when the read failed or stop
    // was requested. A failure after the device has gone is immediate.
    virtual int readReport(std::span<uint8_t> buffer, std::stop_token stop) = 0;
    // True once the device behind the channel has gone for good.
    virtual bool gone() const = 0;
};

// The write side: feature reports, report ID in byte 0.
class FeatureChannel {
public:
    virtual ~FeatureChannel() = default;
    virtual bool sendFeatureReport(std::span<const uint8_t> report) = 0;
    // True once the device behind the channel has gone for good.
    virtual bool gone() const = 0;
};

enum class DeviceChangeKind { Arrival, Removal };

struct DeviceChange {
    DeviceChangeKind kind;
    QString path; // interface path, as enumerate() names it
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // The present interfaces, in a stable order.
    virtual std::vector<InterfaceInfo> enumerate() = 0;
    // nullptr when the path cannot be opened.
    virtual std::unique_ptr<InputChannel> openInput(const QString& path) = 0;
    virtual std::unique_ptr<FeatureChannel> openFeature(const QString& path) = 0;
    // Arrival and removal notices, delivered on the thread of the Qt event loop
    // that called watch(). A later call replaces the handler.
    virtual void watch(std::function<void(const DeviceChange&)> onChange) = 0;
};

} // namespace vux::hid
