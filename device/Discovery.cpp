#include "device/Discovery.h"

#include "app/AppState.h"

namespace vux {

namespace {

// A channel whose device has gone can never deliver again; forget it so that a
// search after a re-plug opens the new one instead of ending on the stale one.
template <class Channel> void dropIfGone(ChannelHandle<Channel>& handle) {
    if (handle.channel && handle.channel->gone())
        handle = {};
}

} // namespace

uint8_t discoverDevice(AppState& state) {
    DeviceLink& link = state.link;
    hid::HidBackend* backend = state.platform.hid;
    if (!backend)
        return link.connected;

    {
        std::lock_guard lock(link.channelMutex);
        dropIfGone(link.readHandle);
        dropIfGone(link.writeHandle);
    }

    const std::vector<hid::InterfaceInfo> interfaces = backend->enumerate();
    for (int index = 0; index < kMaxInterfaceIndex; ++index) {
        // An index with no interface is skipped; the search does not stop there.
        if (index >= static_cast<int>(interfaces.size()))
            continue;
        const hid::InterfaceInfo& info = interfaces[static_cast<std::size_t>(index)];
        link.connected = 0;
        if (!info.attributesRead || info.vendorId != DeviceLink::vendorId ||
            info.productId != DeviceLink::productId)
            continue;

        link.connected = 1;
        link.devicePath = info.path;
        const hid::Caps& caps = info.caps;
        bool bothOpen = false;
        if (caps.usagePage == DeviceLink::readUsagePage && caps.usage == DeviceLink::channelUsage) {
            std::shared_ptr<hid::InputChannel> channel = backend->openInput(info.path);
            std::lock_guard lock(link.channelMutex);
            link.readCaps = caps;
            link.readHandle = {channel, channel == nullptr};
        }
        if (caps.usagePage == DeviceLink::writeUsagePage &&
            caps.usage == DeviceLink::channelUsage) {
            std::shared_ptr<hid::FeatureChannel> channel = backend->openFeature(info.path);
            std::lock_guard lock(link.channelMutex);
            link.writeCaps = caps;
            link.writeHandle = {channel, channel == nullptr};
        }
        {
            std::lock_guard lock(link.channelMutex);
            bothOpen = link.readHandle.present() && link.writeHandle.present();
        }
        link.channelChanged.notify_all();
        if (bothOpen)
            break;
    }
    return link.connected;
}

bool matchesDevicePath(const AppState& state, const hid::DeviceChange& change) {
    const QString path = state.link.devicePath.get();
    return !change.path.isEmpty() && change.path.compare(path, Qt::CaseInsensitive) == 0;
}

DeviceChangeOutcome handleDeviceChange(AppState& state, const hid::DeviceChange& change) {
    switch (change.kind) {
    case hid::DeviceChangeKind::Arrival:
        if (matchesDevicePath(state, change) && state.link.connected == 0)
            state.link.connected = discoverDevice(state);
        return DeviceChangeOutcome::None;
    case hid::DeviceChangeKind::Removal:
        if (!matchesDevicePath(state, change))
            return DeviceChangeOutcome::None;
        state.link.connected = 0;
        return DeviceChangeOutcome::MouseRemoved;
    }
    return DeviceChangeOutcome::None;
}

} // namespace vux
