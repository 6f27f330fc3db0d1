#pragma once
// The mouse's two vendor channels and what discovery learnt about them, and the
// one buffer every outgoing feature report is built in.

#include "platform/Relaxed.h"
#include "platform/hid/HidBackend.h"

#include <QString>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace vux {

// A channel as discovery left it: never opened, opened, or an open that failed
// (which still counts as found, so the search does not look for it again).
template <class Channel> struct ChannelHandle {
    std::shared_ptr<Channel> channel;
    bool openFailed = false;

    bool present() const { return channel != nullptr || openFailed; }
};

inline constexpr std::size_t kFeatureReportSize = 256;
inline constexpr std::size_t kInputReportSize = 256;

struct DeviceLink {
    static constexpr uint16_t vendorId = 0x18F8;
    static constexpr uint16_t productId = 0x0F99;
    static constexpr uint16_t readUsagePage = 0xFF00;
    static constexpr uint16_t writeUsagePage = 0xFF01;
    static constexpr uint16_t channelUsage = 1;

    Relaxed<uint8_t> connected;
    Guarded<QString> devicePath;

    // The channels change on the UI thread (discovery) while the reader and the
    // executor use them; channelChanged wakes a reader that waits for one.
    mutable std::mutex channelMutex;
    std::condition_variable_any channelChanged;
    ChannelHandle<hid::InputChannel> readHandle;    // guarded by channelMutex
    ChannelHandle<hid::FeatureChannel> writeHandle; // guarded by channelMutex
    hid::Caps readCaps;                             // guarded by channelMutex
    hid::Caps writeCaps;                            // guarded by channelMutex

    // featureReport is filled and sent under featureMutex, so a report never
    // mixes the bytes of two senders. Bytes a command does not name keep the
    // value the previous command left there.
    std::mutex featureMutex;
    std::array<uint8_t, kFeatureReportSize> featureReport{}; // guarded by featureMutex
};

} // namespace vux
