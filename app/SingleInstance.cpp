#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace vux {

namespace {
const QByteArray kRestore = "restore\n";
const QByteArray kDone = "restored\n";
} // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& name, QObject* parent)
    : QObject(parent), socketPath_(folder + QLatin1Char('/') + name + ".sock"),
      lock_(folder, name) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::listen(std::function<void()> onRestore) {
    if (!isPrimary())
        return false;
    onRestore_ = std::move(onRestore);
    // We hold the lock, so a socket file left here belongs to a process that is gone.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_))
        return false;
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, client, [this, client] {
                if (!client->canReadLine())
                    return;
                if (client->readLine() == kRestore) {
                    if (onRestore_)
                        onRestore_();
                    client->write(kDone);
                    client->flush();
                }
                client->disconnectFromServer();
            });
        }
    });
    return true;
}

bool SingleInstance::requestRestore(int timeoutMs) const {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The first instance may still be starting: try again until it listens.
    for (;;) {
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    socket.write(kRestore);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    return socket.readLine() == kDone;
}

} // namespace vux
