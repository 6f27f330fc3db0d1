#include "platform/hid/VirtualMouseServer.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vux::hid::virt {

namespace {

bool fillAddress(sockaddr_un& addr, const QByteArray& path) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof addr.sun_path))
        return false;
    std::memcpy(addr.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

} // namespace

VirtualMouseServer::VirtualMouseServer(Description description, QString folder)
    : description_(std::move(description)),
      folder_(folder.isEmpty() ? virtualMouseFolder() : folder),
      controlFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

VirtualMouseServer::~VirtualMouseServer() {
    unplug();
    for (int fd : retired_)
        ::close(fd);
    ::close(controlFd_);
}

bool VirtualMouseServer::plug() {
    std::lock_guard lock(mutex_);
    if (listenFd_ >= 0)
        return true;
    if (folder_.isEmpty())
        return false;
    ++plugCount_;
    const QString base = QStringLiteral("vmouse-%1-%2").arg(::getpid()).arg(plugCount_);
    const QByteArray temp =
        QFile::encodeName(folder_ + QStringLiteral("/.") + base + QStringLiteral(".tmp"));
    const QString finalPath = folder_ + QLatin1Char('/') + base + QLatin1String(kSocketSuffix);
    sockaddr_un addr{};
    if (!fillAddress(addr, temp))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ::unlink(temp.constData());
    // Bound and listening under a hidden name first, so a program that sees the
    // final name can always connect.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(fd, 16) != 0 ||
        ::rename(temp.constData(), QFile::encodeName(finalPath).constData()) != 0) {
        ::unlink(temp.constData());
        ::close(fd);
        return false;
    }
    listenFd_ = fd;
    socketPath_ = finalPath;
    wake();
    return true;
}

void VirtualMouseServer::unplug() {
    std::lock_guard lock(mutex_);
    if (listenFd_ < 0)
        return;
    ::unlink(QFile::encodeName(socketPath_).constData());
    ::close(listenFd_);
    listenFd_ = -1;
    for (Client& c : clients_) {
        ::shutdown(c.fd, SHUT_RDWR);
        retired_.push_back(c.fd);
    }
    clients_.clear();
    wake();
}

bool VirtualMouseServer::plugged() const {
    std::lock_guard lock(mutex_);
    return listenFd_ >= 0;
}

QString VirtualMouseServer::socketPath() const {
    std::lock_guard lock(mutex_);
    return socketPath_;
}

void VirtualMouseServer::sendInput(std::span<const uint8_t> report) {
    std::vector<uint8_t> packet{static_cast<uint8_t>(kInput)};
    packet.insert(packet.end(), report.begin(), report.end());
    std::lock_guard lock(mutex_);
    for (const Client& c : clients_)
        if (c.mode == OpenMode::Read)
            ::send(c.fd, packet.data(), packet.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void VirtualMouseServer::acceptClient() {
    std::lock_guard lock(mutex_);
    if (listenFd_ < 0)
        return;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    const std::vector<uint8_t> hello = encodeDescription(description_);
    if (::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) < 0) {
        ::close(fd);
        return;
    }
    clients_.push_back({fd, OpenMode::Probe});
}

bool VirtualMouseServer::readClient(Client& client, const FeatureHandler& onFeature) {
    std::vector<uint8_t> packet(kMaxPacket);
    const ssize_t n = ::recv(client.fd, packet.data(), packet.size(), MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return true;
    if (n <= 0)
        return false;
    packet.resize(static_cast<std::size_t>(n));
    if (packet[0] == static_cast<uint8_t>(kOpen) && packet.size() >= 3) {
        std::lock_guard lock(mutex_);
        client.mode = static_cast<OpenMode>(packet[2]);
    } else if (packet[0] == static_cast<uint8_t>(kFeature) && onFeature) {
        onFeature(std::span<const uint8_t>(packet).subspan(1));
    }
    return true;
}

void VirtualMouseServer::serve(int lineFd, const LineHandler& onLine,
                               const FeatureHandler& onFeature, std::stop_token stop) {
    std::stop_callback onStop(stop, [this] { wake(); });
    serveUntilDone(lineFd, onLine, onFeature, stop);
}

void VirtualMouseServer::wake() const {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(controlFd_, &one, sizeof one);
}

void VirtualMouseServer::serveUntilDone(int lineFd, const LineHandler& onLine,
                                        const FeatureHandler& onFeature, std::stop_token stop) {
    std::string pending;
    bool running = !stop.stop_requested();
    while (running) {
        std::vector<pollfd> fds;
        fds.push_back({controlFd_, POLLIN, 0});
        fds.push_back({lineFd, POLLIN, 0}); // a negative fd is ignored by poll
        std::vector<int> clientFds;
        {
            std::lock_guard lock(mutex_);
            for (int fd : retired_)
                ::close(fd);
            retired_.clear();
            fds.push_back({listenFd_, POLLIN, 0});
            for (const Client& c : clients_)
                clientFds.push_back(c.fd);
        }
        for (int fd : clientFds)
            fds.push_back({fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents) {
            // A stop, or a plug or unplug from another thread: look again.
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(controlFd_, &count, sizeof count);
            if (stop.stop_requested())
                break;
            continue;
        }

        // Connections first, so a line that unplugs does not leave reports unread.
        for (std::size_t i = 3; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            Client* client = nullptr;
            Client copy;
            {
                std::lock_guard lock(mutex_);
                auto it = std::find_if(clients_.begin(), clients_.end(),
                                       [&](const Client& c) { return c.fd == fds[i].fd; });
                if (it == clients_.end())
                    continue;
                copy = *it;
            }
            client = &copy;
            const bool alive = readClient(*client, onFeature);
            std::lock_guard lock(mutex_);
            auto it = std::find_if(clients_.begin(), clients_.end(),
                                   [&](const Client& c) { return c.fd == fds[i].fd; });
            if (it == clients_.end())
                continue;
            it->mode = copy.mode;
            if (!alive) {
                ::close(it->fd);
                clients_.erase(it);
            }
        }
        if (fds[2].revents & POLLIN)
            acceptClient();

        if (lineFd >= 0 && fds[1].revents) {
            char chunk[1024];
            const ssize_t n = ::read(lineFd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (!pending.empty() && onLine)
                    onLine(pending);
                break;
            }
            pending.append(chunk, static_cast<std::size_t>(n));
            std::size_t eol;
            while (running && (eol = pending.find('\n')) != std::string::npos) {
                std::string line = pending.substr(0, eol);
                pending.erase(0, eol + 1);
                if (onLine && !onLine(line))
                    running = false;
            }
        }
    }
}

} // namespace vux::hid::virt
