#include "app/Workers.h"

#include "app/AppState.h"
#include "device/EventReader.h"
#include "engine/Executor.h"
#include "engine/Indicator.h"

namespace vux {

void Workers::startReader() {
    reader_ = std::jthread([this](std::stop_token stop) { readerLoop(state_, stop); });
}

void Workers::startExecutor() {
    executor_ = std::jthread([this](std::stop_token stop) { executorLoop(state_, stop); });
}

void Workers::startBlink() {
    state_.shell.blinkRunning = 1;
    startOnDemand([this](std::stop_token stop) { blinkLoop(state_, stop); });
}

void Workers::startOnDemand(std::function<void(std::stop_token)> body) {
    std::lock_guard lock(onDemandMutex_);
    onDemand_.remove_if([](OnDemand& w) { return w.finished->load(std::memory_order_acquire); });
    auto finished = std::make_shared<std::atomic<bool>>(false);
    onDemand_.push_back(
        {finished, std::jthread([finished, body = std::move(body)](std::stop_token stop) {
             body(stop);
             finished->store(true, std::memory_order_release);
         })});
}

void Workers::stopAll() {
    std::list<OnDemand> onDemand;
    {
        std::lock_guard lock(onDemandMutex_);
        onDemand.swap(onDemand_);
    }
    for (auto& w : onDemand)
        w.thread.request_stop();
    reader_.request_stop();
    executor_.request_stop();
    // jthread joins on destruction; join explicitly so the order is plain.
    for (auto& w : onDemand)
        if (w.thread.joinable())
            w.thread.join();
    if (executor_.joinable())
        executor_.join();
    if (reader_.joinable())
        reader_.join();
}

} // namespace vux
