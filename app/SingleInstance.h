#pragma once
// The single-instance rule: the first start holds the per-user lock and listens
// on a local socket; a later start asks it to restore its window and ends.

#include "platform/process/InstanceLock.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

namespace vux {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // name identifies the program ("CVUX_GMouseApp"); folder is where the lock
    // and the socket live (the user's runtime folder).
    SingleInstance(const QString& folder, const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first instance.
    bool isPrimary() const { return lock_.held(); }

    // Primary: starts listening; onRestore runs on the UI thread for each request.
    bool listen(std::function<void()> onRestore);

    // Secondary: asks the primary to restore its window. Waits at most timeoutMs
    // for the primary to listen; returns whether it acknowledged.
    bool requestRestore(int timeoutMs = 5000) const;

private:
    QString socketPath_;
    InstanceLock lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> onRestore_;
};

} // namespace vux
