#pragma once
// The lines a child process writes on standard output, read as they come.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace vux::test {

class ProcessLines {
public:
    explicit ProcessLines(QProcess& process) : process_(process) {}

    // Waits until pred holds for the lines read so far, or the timeout passes.
    template <class Pred> bool waitUntil(Pred pred, int timeoutMs) {
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            drain();
            if (pred(lines_))
                return true;
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
                return false;
            // In slices, so that the states of the other processes move on too.
            process_.waitForReadyRead(
                static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, 100)));
            QCoreApplication::processEvents();
        }
    }

    // Waits for a line starting with prefix among those not yet consumed, and
    // consumes the lines up to it.
    bool waitFor(const std::string& prefix, int timeoutMs) {
        return waitUntil(
            [&](const std::vector<std::string>& lines) {
                for (; next_ < lines.size(); ++next_)
                    if (lines[next_].rfind(prefix, 0) == 0) {
                        ++next_;
                        return true;
                    }
                return false;
            },
            timeoutMs);
    }

    // Lines from index from on that start with prefix.
    int count(const std::string& prefix, std::size_t from) {
        drain();
        int n = 0;
        for (std::size_t i = from; i < lines_.size(); ++i)
            n += lines_[i].rfind(prefix, 0) == 0;
        return n;
    }

    // Consumes every line read so far; returns the index of the next one.
    std::size_t mark() {
        drain();
        next_ = lines_.size();
        return next_;
    }

    const std::vector<std::string>& lines() {
        drain();
        return lines_;
    }

private:
    void drain() {
        buffer_ += process_.readAllStandardOutput().toStdString();
        std::size_t pos;
        while ((pos = buffer_.find('\n')) != std::string::npos) {
            lines_.push_back(buffer_.substr(0, pos));
            buffer_.erase(0, pos + 1);
        }
    }

    QProcess& process_;
    std::string buffer_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

} // namespace vux::test
