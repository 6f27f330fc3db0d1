#include "platform/hid/SystemHidBackend.h"

#include "platform/hid/HidrawBackend.h"
#include "platform/hid/VirtualMouseBackend.h"

namespace vux::hid {

namespace {

class SystemHidBackend : public HidBackend {
public:
    std::vector<InterfaceInfo> enumerate() override {
        std::vector<InterfaceInfo> all = hidraw_.enumerate();
        std::vector<InterfaceInfo> virtualMice = virtual_.enumerate();
        all.insert(all.end(), virtualMice.begin(), virtualMice.end());
        return all;
    }

    std::unique_ptr<InputChannel> openInput(const QString& path) override {
        if (hidraw_.owns(path))
            return hidraw_.openInput(path);
        return virtual_.openInput(path);
    }

    std::unique_ptr<FeatureChannel> openFeature(const QString& path) override {
        if (hidraw_.owns(path))
            return hidraw_.openFeature(path);
        return virtual_.openFeature(path);
    }

    void watch(std::function<void(const DeviceChange&)> onChange) override {
        hidraw_.watch(onChange);
        virtual_.watch(std::move(onChange));
    }

private:
    HidrawBackend hidraw_;
    VirtualMouseBackend virtual_;
};

} // namespace

std::unique_ptr<HidBackend> makeSystemHidBackend() {
    return std::make_unique<SystemHidBackend>();
}

} // namespace vux::hid
