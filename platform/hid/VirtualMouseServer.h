#pragma once
// The device side of the virtual mouse's socket: it shows up in the virtual
// mice folder as a mouse would on the bus, tells each program that connects
// what it is, takes feature reports and hands out input reports. What the
// mouse does with them (its firmware) belongs to the virtual-mouse tool.

#include "platform/hid/VirtualMouseProtocol.h"

#include <QString>

#include <functional>
#include <mutex>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

namespace vux::hid::virt {

class VirtualMouseServer {
public:
    using FeatureHandler = std::function<void(std::span<const uint8_t> report)>;
    // Returns false to end serve().
    using LineHandler = std::function<bool(const std::string& line)>;

    // folder empty: the user's virtual mice folder.
    explicit VirtualMouseServer(Description description, QString folder = {});
    ~VirtualMouseServer();
    VirtualMouseServer(const VirtualMouseServer&) = delete;
    VirtualMouseServer& operator=(const VirtualMouseServer&) = delete;

    // Appears in the folder, fully listening before its name is visible.
    bool plug();
    // Disappears: every connection is cut, the socket removed.
    void unplug();
    bool plugged() const;
    QString socketPath() const;

    // Sends an input report to every connection that opened a read channel.
    // Callable from any thread.
    void sendInput(std::span<const uint8_t> report);

    // Serves connections and the command lines read from lineFd (-1: none)
    // until a line handler returns false, lineFd ends, or stop is requested.
    // plug() and unplug() may be called from other threads meanwhile.
    void serve(int lineFd, const LineHandler& onLine, const FeatureHandler& onFeature,
               std::stop_token stop = {});

private:
    struct Client {
        int fd = -1;
        OpenMode mode = OpenMode::Probe;
    };
    void serveUntilDone(int lineFd, const LineHandler& onLine, const FeatureHandler& onFeature,
                        std::stop_token stop);
    // Makes serve() look at its descriptors again (or at the stop request).
    void wake() const;
    void acceptClient();
    // Returns false when the client has gone.
    bool readClient(Client& client, const FeatureHandler& onFeature);

    Description description_;
    QString folder_;
    mutable std::mutex mutex_;
    int listenFd_ = -1;           // guarded by mutex_
    QString socketPath_;          // guarded by mutex_
    std::vector<Client> clients_; // guarded by mutex_
    // Connections that unplug shut down; the serving thread closes them between
    // two polls, so no descriptor is closed (and reused) while it reads from it.
    std::vector<int> retired_; // guarded by mutex_
    int plugCount_ = 0;
    int controlFd_ = -1; // eventfd: wakes serve() for a stop, a plug or an unplug
};

} // namespace vux::hid::virt
