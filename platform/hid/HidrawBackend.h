#pragma once
// HID devices of the kernel's hidraw nodes, found through libudev. One node may
// carry several top-level collections; each is one interface, its path the
// node's path, '#', and the collection's index.

#include "platform/hid/HidBackend.h"

#include <QString>

#include <map>
#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;
struct udev_device;

namespace vux::hid {

class HidrawBackend : public HidBackend {
public:
    HidrawBackend();
    ~HidrawBackend() override;

    std::vector<InterfaceInfo> enumerate() override;
    std::unique_ptr<InputChannel> openInput(const QString& path) override;
    std::unique_ptr<FeatureChannel> openFeature(const QString& path) override;
    // Watches the "udev" netlink source for hidraw nodes, on the Qt event loop.
    void watch(std::function<void(const DeviceChange&)> onChange) override;

    bool owns(const QString& path) const;

private:
    struct Node;
    std::vector<InterfaceInfo> describe(udev_device* device);
    void monitorReadable();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void(const DeviceChange&)> onChange_;
    std::map<QString, int> collections_; // node path → collection count, for removals
};

} // namespace vux::hid
