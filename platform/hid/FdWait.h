#pragma once
// Blocking waits on a file descriptor that a stop request interrupts.

#include <stop_token>

namespace vux::hid {

// An eventfd that a stop request signals; one per channel.
class StopWaker {
public:
    StopWaker();
    ~StopWaker();
    StopWaker(const StopWaker&) = delete;
    StopWaker& operator=(const StopWaker&) = delete;

    enum class Wait { Readable, HungUp, Stopped, Failed };
    // Blocks until fd has data (or hung up) or stop is requested.
    Wait waitReadable(int fd, std::stop_token stop) const;

private:
    int wakeFd_ = -1;
};

} // namespace vux::hid
