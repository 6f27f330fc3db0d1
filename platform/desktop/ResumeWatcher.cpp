#include "platform/desktop/ResumeWatcher.h"

#include <QDBusConnection>

namespace vux {

ResumeWatcher::ResumeWatcher(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    watching_ = bus.connect(QStringLiteral("org.freedesktop.login1"),
                            QStringLiteral("/org/freedesktop/login1"),
                            QStringLiteral("org.freedesktop.login1.Manager"),
                            QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
}

void ResumeWatcher::onPrepareForSleep(bool goingToSleep) {
    if (!goingToSleep)
        emit resumed();
}

} // namespace vux
