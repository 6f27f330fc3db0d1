#include "platform/hid/FdWait.h"

#include <cerrno>
#include <cstdint>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vux::hid {

StopWaker::StopWaker() : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

StopWaker::~StopWaker() {
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

StopWaker::Wait StopWaker::waitReadable(int fd, std::stop_token stop) const {
    if (stop.stop_requested())
        return Wait::Stopped;
    const int wake = wakeFd_;
    std::stop_callback onStop(stop, [wake] {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wake, &one, sizeof one);
    });
    pollfd fds[2] = {{fd, POLLIN, 0}, {wake, POLLIN, 0}};
    for (;;) {
        const int n = ::poll(fds, wake >= 0 ? 2 : 1, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Wait::Failed;
        break;
    }
    if (fds[1].revents & POLLIN) {
        // Reset, so that a later wait with another stop token is not woken by this one.
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(wake, &count, sizeof count);
        return Wait::Stopped;
    }
    if (fds[0].revents & POLLIN)
        return Wait::Readable;
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
        return Wait::HungUp;
    return Wait::Failed;
}

} // namespace vux::hid
