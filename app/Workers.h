#pragma once
// The worker threads of the program. Every worker gets a stop token, and all of
// them are stopped and joined when the program ends.

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace vux {

struct AppState;

class Workers {
public:
    explicit Workers(AppState& state) : state_(state) {}
    ~Workers() { stopAll(); }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    void startReader();
    void startExecutor();
    // Starts a blink worker; callable from any thread.
    void startBlink();
    // Starts a worker that ends by itself; callable from any thread. Finished
    // workers are joined when the next one starts, the rest at stopAll.
    void startOnDemand(std::function<void(std::stop_token)> body);
    void stopAll();

private:
    AppState& state_;
    std::jthread reader_;
    std::jthread executor_;
    std::mutex onDemandMutex_;
    struct OnDemand {
        std::shared_ptr<std::atomic<bool>> finished;
        std::jthread thread;
    };
    std::list<OnDemand> onDemand_;
};

} // namespace vux
