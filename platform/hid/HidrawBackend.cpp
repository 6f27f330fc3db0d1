#include "platform/hid/HidrawBackend.h"

#include "platform/hid/FdWait.h"
#include "platform/hid/ReportDescriptor.h"

#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <libudev.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vux::hid {

namespace {

constexpr const char* kDevPrefix = "/dev/hidraw";
// The largest report hidraw hands out (HID_MAX_BUFFER_SIZE of the kernel).
constexpr std::size_t kMaxReportSize = 16384;

// "0003:000018F8:00000F99" → vendor and product.
bool parseHidId(const char* text, uint16_t* vendor, uint16_t* product) {
    if (!text)
        return false;
    unsigned bus = 0, v = 0, p = 0;
    if (std::sscanf(text, "%x:%x:%x", &bus, &v, &p) != 3)
        return false;
    *vendor = static_cast<uint16_t>(v);
    *product = static_cast<uint16_t>(p);
    return true;
}

std::optional<std::pair<QString, int>> splitPath(const QString& path) {
    const qsizetype hash = path.lastIndexOf(QLatin1Char('#'));
    if (hash < 0 || !path.startsWith(QLatin1String(kDevPrefix)))
        return std::nullopt;
    bool ok = false;
    const int index = path.mid(hash + 1).toInt(&ok);
    if (!ok || index < 0)
        return std::nullopt;
    return std::make_pair(path.left(hash), index);
}

QString interfacePathOf(const QString& node, int collection) {
    return node + QLatin1Char('#') + QString::number(collection);
}

// Natural order of the nodes: hidraw2 before hidraw10.
int nodeNumber(const QString& node) {
    return node.mid(static_cast<qsizetype>(std::strlen(kDevPrefix))).toInt();
}

std::vector<uint8_t> readDescriptor(udev_device* hidraw) {
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
    if (!hid)
        return {};
    QFile file(QString::fromLocal8Bit(udev_device_get_syspath(hid)) +
               QStringLiteral("/report_descriptor"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(HID_MAX_DESCRIPTOR_SIZE);
    return {bytes.begin(), bytes.end()};
}

// The collection's own input reports; on a node shared with other
// collections the others' reports are not for this channel.
class HidrawInputChannel : public InputChannel {
public:
    HidrawInputChannel(int fd, std::vector<uint8_t> reportIds)
        : fd_(fd), reportIds_(std::move(reportIds)) {}
    ~HidrawInputChannel() override { ::close(fd_); }

    int readReport(std::span<uint8_t> buffer, std::stop_token stop) override {
        std::array<uint8_t, kMaxReportSize> report;
        for (;;) {
            const StopWaker::Wait wait = waker_.waitReadable(fd_, stop);
            if (wait == StopWaker::Wait::Stopped)
                return -1;
            if (wait != StopWaker::Wait::Readable) {
                gone_ = true;
                return -1;
            }
            const ssize_t n = ::read(fd_, report.data(), report.size());
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            if (n <= 0) {
                gone_ = true;
                return -1;
            }
            if (!reportIds_.empty() &&
                !std::binary_search(reportIds_.begin(), reportIds_.end(), report[0]))
                continue;
            const std::size_t length = std::min(static_cast<std::size_t>(n), buffer.size());
            std::copy_n(report.begin(), length, buffer.begin());
            return static_cast<int>(length);
        }
    }

    bool gone() const override { return gone_; }

private:
    int fd_;
    std::vector<uint8_t> reportIds_;
    StopWaker waker_;
    std::atomic<bool> gone_{false};
};

class HidrawFeatureChannel : public FeatureChannel {
public:
    explicit HidrawFeatureChannel(int fd) : fd_(fd) {}
    ~HidrawFeatureChannel() override { ::close(fd_); }

    bool sendFeatureReport(std::span<const uint8_t> report) override {
        if (report.empty())
            return false;
        std::vector<uint8_t> copy(report.begin(), report.end());
        const int r = ::ioctl(fd_, HIDIOCSFEATURE(copy.size()), copy.data());
        if (r < 0 && (errno == ENODEV || errno == EIO || errno == ESHUTDOWN))
            gone_ = true;
        return r >= 0;
    }

    bool gone() const override { return gone_; }

private:
    int fd_;
    std::atomic<bool> gone_{false};
};

struct UdevDevice {
    udev_device* d;
    ~UdevDevice() {
        if (d)
            udev_device_unref(d);
    }
};

} // namespace

HidrawBackend::HidrawBackend() : udev_(udev_new()) {}

HidrawBackend::~HidrawBackend() {
    notifier_.reset();
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

bool HidrawBackend::owns(const QString& path) const {
    return splitPath(path).has_value();
}

std::vector<InterfaceInfo> HidrawBackend::describe(udev_device* device) {
    std::vector<InterfaceInfo> result;
    const char* devnode = udev_device_get_devnode(device);
    if (!devnode)
        return result;
    const QString node = QString::fromLocal8Bit(devnode);
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    uint16_t vendor = 0, product = 0;
    const bool known =
        hid && parseHidId(udev_device_get_property_value(hid, "HID_ID"), &vendor, &product);
    const std::vector<uint8_t> descriptor = readDescriptor(device);
    const std::vector<CollectionCaps> collections = parseReportDescriptor(descriptor);
    if (collections.empty()) {
        // Still an interface the search counts, with nothing it could match.
        result.push_back({interfacePathOf(node, 0), known, vendor, product, {}});
    }
    for (std::size_t i = 0; i < collections.size(); ++i)
        result.push_back({interfacePathOf(node, static_cast<int>(i)), known, vendor, product,
                          collections[i].caps});
    collections_[node] = static_cast<int>(std::max<std::size_t>(collections.size(), 1));
    return result;
}

std::vector<InterfaceInfo> HidrawBackend::enumerate() {
    std::vector<InterfaceInfo> result;
    if (!udev_)
        return result;
    udev_enumerate* e = udev_enumerate_new(udev_);
    if (!e)
        return result;
    udev_enumerate_add_match_subsystem(e, "hidraw");
    udev_enumerate_scan_devices(e);
    std::vector<std::pair<QString, QByteArray>> nodes; // devnode, syspath
    udev_list_entry* entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e)) {
        const char* syspath = udev_list_entry_get_name(entry);
        UdevDevice dev{udev_device_new_from_syspath(udev_, syspath)};
        if (!dev.d || !udev_device_get_devnode(dev.d))
            continue;
        nodes.emplace_back(QString::fromLocal8Bit(udev_device_get_devnode(dev.d)),
                           QByteArray(syspath));
    }
    udev_enumerate_unref(e);
    std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) {
        return nodeNumber(a.first) < nodeNumber(b.first);
    });
    for (const auto& [node, syspath] : nodes) {
        UdevDevice dev{udev_device_new_from_syspath(udev_, syspath.constData())};
        if (!dev.d)
            continue;
        const std::vector<InterfaceInfo> interfaces = describe(dev.d);
        result.insert(result.end(), interfaces.begin(), interfaces.end());
    }
    return result;
}

std::unique_ptr<InputChannel> HidrawBackend::openInput(const QString& path) {
    const auto split = splitPath(path);
    if (!split)
        return nullptr;
    const QByteArray node = QFile::encodeName(split->first);
    const int fd = ::open(node.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // The collection's report IDs, from the node's own descriptor.
    std::vector<uint8_t> ids;
    hidraw_report_descriptor rd{};
    int size = 0;
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 && size <= HID_MAX_DESCRIPTOR_SIZE) {
        rd.size = static_cast<__u32>(size);
        if (::ioctl(fd, HIDIOCGRDESC, &rd) == 0) {
            const auto collections =
                parseReportDescriptor(std::span<const uint8_t>(rd.value, rd.size));
            if (split->second < static_cast<int>(collections.size()) &&
                collections[static_cast<std::size_t>(split->second)].usesReportIds)
                ids = collections[static_cast<std::size_t>(split->second)].inputReportIds;
        }
    }
    return std::make_unique<HidrawInputChannel>(fd, std::move(ids));
}

std::unique_ptr<FeatureChannel> HidrawBackend::openFeature(const QString& path) {
    const auto split = splitPath(path);
    if (!split)
        return nullptr;
    const QByteArray node = QFile::encodeName(split->first);
    int fd = ::open(node.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        fd = ::open(node.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::make_unique<HidrawFeatureChannel>(fd);
}

void HidrawBackend::watch(std::function<void(const DeviceChange&)> onChange) {
    onChange_ = std::move(onChange);
    if (!udev_ || monitor_)
        return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
        return;
    }
    notifier_ =
        std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { monitorReadable(); });
}

void HidrawBackend::monitorReadable() {
    UdevDevice dev{udev_monitor_receive_device(monitor_)};
    if (!dev.d)
        return;
    const char* action = udev_device_get_action(dev.d);
    const char* devnode = udev_device_get_devnode(dev.d);
    if (!action || !devnode)
        return;
    const QString node = QString::fromLocal8Bit(devnode);
    std::vector<DeviceChange> changes;
    if (std::strcmp(action, "add") == 0) {
        for (const InterfaceInfo& info : describe(dev.d))
            changes.push_back({DeviceChangeKind::Arrival, info.path});
    } else if (std::strcmp(action, "remove") == 0) {
        const auto it = collections_.find(node);
        const int count = it == collections_.end() ? 1 : it->second;
        for (int i = 0; i < count; ++i)
            changes.push_back({DeviceChangeKind::Removal, interfacePathOf(node, i)});
        if (it != collections_.end())
            collections_.erase(it);
    }
    for (const DeviceChange& change : changes)
        if (onChange_)
            onChange_(change);
}

} // namespace vux::hid
