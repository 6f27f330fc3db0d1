#include "platform/hid/VirtualMouseBackend.h"

#include "platform/hid/FdWait.h"
#include "platform/hid/ReportDescriptor.h"
#include "platform/hid/VirtualMouseProtocol.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vux::hid {

namespace {

using namespace virt;

constexpr int kDescribeTimeoutMs = 1000;

class Socket {
public:
    explicit Socket(int fd = -1) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Socket(Socket&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
    Socket& operator=(Socket&&) = delete;
    int fd() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// Connects and reads the mouse's description; an invalid socket on failure.
Socket connectTo(const QString& socketPath, std::optional<Description>* description) {
    const QByteArray native = QFile::encodeName(socketPath);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (native.size() >= static_cast<qsizetype>(sizeof addr.sun_path))
        return Socket();
    std::memcpy(addr.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    Socket s(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0));
    if (!s.valid() || ::connect(s.fd(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0)
        return Socket();
    pollfd pfd{s.fd(), POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&pfd, 1, kDescribeTimeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return Socket();
    std::vector<uint8_t> packet(kMaxPacket);
    const ssize_t n = ::recv(s.fd(), packet.data(), packet.size(), 0);
    if (n <= 0)
        return Socket();
    *description =
        decodeDescription(std::span<const uint8_t>(packet.data(), static_cast<std::size_t>(n)));
    if (!*description)
        return Socket();
    return s;
}

Socket openChannel(const QString& path, OpenMode mode, CollectionCaps* collection = nullptr) {
    const auto split = splitInterfacePath(path);
    if (!split)
        return Socket();
    std::optional<Description> description;
    Socket s = connectTo(split->first, &description);
    if (!s.valid())
        return Socket();
    const std::vector<CollectionCaps> collections =
        parseReportDescriptor(description->reportDescriptor);
    if (split->second >= static_cast<int>(collections.size()))
        return Socket();
    if (collection)
        *collection = collections[static_cast<std::size_t>(split->second)];
    const uint8_t open[3] = {static_cast<uint8_t>(kOpen), static_cast<uint8_t>(split->second),
                             static_cast<uint8_t>(mode)};
    if (::send(s.fd(), open, sizeof open, MSG_NOSIGNAL) < 0)
        return Socket();
    return s;
}

class VirtualInputChannel : public InputChannel {
public:
    VirtualInputChannel(Socket s, std::vector<uint8_t> reportIds)
        : socket_(std::move(s)), reportIds_(std::move(reportIds)) {}

    int readReport(std::span<uint8_t> buffer, std::stop_token stop) override {
        std::array<uint8_t, kMaxPacket> packet;
        for (;;) {
            const StopWaker::Wait wait = waker_.waitReadable(socket_.fd(), stop);
            if (wait == StopWaker::Wait::Stopped)
                return -1;
            if (wait != StopWaker::Wait::Readable) {
                gone_ = true;
                return -1;
            }
            const ssize_t n = ::recv(socket_.fd(), packet.data(), packet.size(), MSG_DONTWAIT);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            if (n <= 0) {
                gone_ = true;
                return -1;
            }
            if (packet[0] != static_cast<uint8_t>(kInput) || n < 2)
                continue;
            // The socket carries the reports of all the mouse's collections, as a hidraw node does.
            if (!reportIds_.empty() &&
                !std::binary_search(reportIds_.begin(), reportIds_.end(), packet[1]))
                continue;
            const std::size_t length = std::min(static_cast<std::size_t>(n) - 1, buffer.size());
            std::copy_n(packet.begin() + 1, length, buffer.begin());
            return static_cast<int>(length);
        }
    }

    bool gone() const override { return gone_; }

private:
    Socket socket_;
    std::vector<uint8_t> reportIds_;
    StopWaker waker_;
    std::atomic<bool> gone_{false};
};

class VirtualFeatureChannel : public FeatureChannel {
public:
    explicit VirtualFeatureChannel(Socket s) : socket_(std::move(s)) {}

    bool sendFeatureReport(std::span<const uint8_t> report) override {
        std::vector<uint8_t> packet{static_cast<uint8_t>(kFeature)};
        packet.insert(packet.end(), report.begin(), report.end());
        if (::send(socket_.fd(), packet.data(), packet.size(), MSG_NOSIGNAL) < 0) {
            if (errno == EPIPE || errno == ECONNRESET || errno == ENOTCONN)
                gone_ = true;
            return false;
        }
        return true;
    }

    bool gone() const override { return gone_; }

private:
    Socket socket_;
    std::atomic<bool> gone_{false};
};

} // namespace

VirtualMouseBackend::VirtualMouseBackend(QString folder)
    : folder_(folder.isEmpty() ? virtualMouseFolder() : folder) {}

VirtualMouseBackend::~VirtualMouseBackend() = default;

bool VirtualMouseBackend::owns(const QString& path) const {
    return !folder_.isEmpty() && path.startsWith(folder_ + QLatin1Char('/'));
}

std::vector<InterfaceInfo> VirtualMouseBackend::enumerate() {
    std::vector<InterfaceInfo> result;
    if (folder_.isEmpty())
        return result;
    const QStringList names =
        QDir(folder_).entryList({QStringLiteral("*") + QLatin1String(kSocketSuffix)},
                                QDir::System | QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString socketPath = folder_ + QLatin1Char('/') + name;
        std::optional<Description> d;
        // A socket left behind by a virtual mouse that died refuses connections: no device.
        if (!connectTo(socketPath, &d).valid())
            continue;
        const std::vector<CollectionCaps> collections = parseReportDescriptor(d->reportDescriptor);
        for (std::size_t i = 0; i < collections.size(); ++i)
            result.push_back({interfacePath(socketPath, static_cast<int>(i)), true, d->vendorId,
                              d->productId, collections[i].caps});
    }
    return result;
}

std::unique_ptr<InputChannel> VirtualMouseBackend::openInput(const QString& path) {
    if (!owns(path))
        return nullptr;
    CollectionCaps collection;
    Socket s = openChannel(path, OpenMode::Read, &collection);
    if (!s.valid())
        return nullptr;
    return std::make_unique<VirtualInputChannel>(std::move(s), collection.usesReportIds
                                                                   ? collection.inputReportIds
                                                                   : std::vector<uint8_t>{});
}

std::unique_ptr<FeatureChannel> VirtualMouseBackend::openFeature(const QString& path) {
    if (!owns(path))
        return nullptr;
    Socket s = openChannel(path, OpenMode::Write);
    return s.valid() ? std::make_unique<VirtualFeatureChannel>(std::move(s)) : nullptr;
}

std::map<QString, int> VirtualMouseBackend::scan() {
    std::map<QString, int> found;
    for (const InterfaceInfo& info : enumerate()) {
        if (const auto split = virt::splitInterfacePath(info.path))
            found[split->first] = std::max(found[split->first], split->second + 1);
    }
    return found;
}

void VirtualMouseBackend::watch(std::function<void(const DeviceChange&)> onChange) {
    onChange_ = std::move(onChange);
    if (folder_.isEmpty() || watcher_)
        return;
    watcher_ = std::make_unique<QFileSystemWatcher>(QStringList{folder_});
    known_ = scan();
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, watcher_.get(),
                     [this](const QString&) { folderChanged(); });
}

void VirtualMouseBackend::folderChanged() {
    const std::map<QString, int> now = scan();
    std::vector<DeviceChange> changes;
    for (const auto& [socket, count] : known_)
        if (!now.contains(socket))
            for (int i = 0; i < count; ++i)
                changes.push_back({DeviceChangeKind::Removal, interfacePath(socket, i)});
    for (const auto& [socket, count] : now)
        if (!known_.contains(socket))
            for (int i = 0; i < count; ++i)
                changes.push_back({DeviceChangeKind::Arrival, interfacePath(socket, i)});
    known_ = now;
    for (const DeviceChange& change : changes)
        if (onChange_)
            onChange_(change);
}

} // namespace vux::hid
