#pragma once
// Tells when the computer has resumed from sleep, from logind's PrepareForSleep
// signal on the system bus. Without a system bus it stays silent.

#include <QObject>

namespace vux {

class ResumeWatcher : public QObject {
    Q_OBJECT
public:
    explicit ResumeWatcher(QObject* parent = nullptr);
    bool watching() const { return watching_; }

signals:
    void resumed();

private slots:
    void onPrepareForSleep(bool goingToSleep);

private:
    bool watching_ = false;
};

} // namespace vux
