// Press-to-action latency: a press report leaves the virtual mouse's socket,
// the real reader takes it into the mailbox, the executor wakes and carries
// out the button's function (a single key event into a timestamping
// injector). Compared in the same run with an executor that looks at the
// mailbox every 2 ms instead of waiting on it.

#include "app/AppState.h"
#include "bench/TimestampInjector.h"
#include "device/Discovery.h"
#include "device/EventReader.h"
#include "engine/Executor.h"
#include "platform/SteadyClock.h"
#include "platform/hid/VirtualMouseBackend.h"
#include "platform/hid/VirtualMouseServer.h"
#include "tools/virtual-mouse/VirtualMouseDescriptor.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <thread>

using namespace std::chrono;
using vux::bench::TimestampInjector;

namespace {

constexpr int kPresses = 1000;
constexpr int kButton = 4; // device code 5
constexpr uint8_t kPress = 245;
constexpr int32_t kMute = 26; // one key event, no pause

// The executor as a 2 ms poll of the mailbox.
void pollingExecutor(vux::AppState& state, std::stop_token stop) {
    while (!stop.stop_requested()) {
        if (state.mailbox.eventPending.load(std::memory_order_acquire) == 1) {
            vux::dispatchButtonEvent(state, state.mailbox.eventCode.load(), stop);
            state.mailbox.eventPending.store(0, std::memory_order_release);
        }
        state.mailbox.stopRequest = 0;
        std::this_thread::sleep_for(milliseconds(2));
    }
}

struct Figures {
    double p50, p99, max;
};

Figures measure(const char* name,
                const std::function<void(vux::AppState&, std::stop_token)>& executor,
                const QString& folder, vux::hid::virt::VirtualMouseServer& mouse) {
    vux::AppState state;
    vux::hid::VirtualMouseBackend backend(folder);
    vux::SteadyClock clock;
    TimestampInjector injector(kPresses + 1);
    state.platform.hid = &backend;
    state.platform.clock = &clock;
    state.platform.injector = &injector;
    state.profile.keyFunc[kButton - 1] = kMute;
    if (vux::discoverDevice(state) != 1) {
        std::fprintf(stderr, "the virtual mouse was not found\n");
        std::exit(1);
    }
    std::jthread reader([&](std::stop_token stop) { vux::readerLoop(state, stop); });
    std::jthread worker([&](std::stop_token stop) { executor(state, stop); });

    std::vector<uint8_t> press(9, 0), release(9, 0);
    press[0] = release[0] = 6;
    press[1] = kPress;
    std::vector<double> latency;
    for (int i = 0; i < kPresses; ++i) {
        const auto sent = steady_clock::now();
        mouse.sendInput(press);
        if (!injector.waitForCount(static_cast<std::size_t>(i + 1), seconds(5))) {
            std::fprintf(stderr, "press %d was not carried out\n", i);
            std::exit(1);
        }
        latency.push_back(
            duration<double, std::micro>(injector.times()[static_cast<std::size_t>(i)] - sent)
                .count());
        mouse.sendInput(release);
        // Let the reader take the release and the executor empty the mailbox.
        while (state.mailbox.eventPending.load(std::memory_order_acquire) != 0)
            std::this_thread::sleep_for(microseconds(200));
        // and finish the pause that follows each report before the next press;
        // the spacing varies so that presses meet a polling loop at every phase.
        std::this_thread::sleep_for(milliseconds(10) + microseconds((i * 733) % 3000));
    }
    worker.request_stop();
    reader.request_stop();
    worker.join();
    reader.join();
    Figures f{vux::bench::percentile(latency, 50), vux::bench::percentile(latency, 99),
              latency.back()};
    std::printf(
        "%-30s press to injection over %d presses: p50 %8.1f us  p99 %8.1f us  max %8.1f us\n",
        name, kPresses, f.p50, f.p99, f.max);
    return f;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    vux::hid::virt::VirtualMouseServer mouse({vux::DeviceLink::vendorId, vux::DeviceLink::productId,
                                              vux::tools::virtualMouseReportDescriptor({})},
                                             folder.path());
    if (!mouse.plug()) {
        std::fprintf(stderr, "cannot create the virtual mouse\n");
        return 1;
    }
    std::jthread serving([&](std::stop_token stop) {
        mouse.serve(
            -1, [](const std::string&) { return true; }, [](std::span<const uint8_t>) {}, stop);
    });

    const Figures waiting =
        measure("executor waiting on mailbox", vux::executorLoop, folder.path(), mouse);
    const Figures polling =
        measure("baseline: 2 ms mailbox poll", pollingExecutor, folder.path(), mouse);
    std::printf("ratio baseline/waiting: p50 %.1fx  p99 %.1fx\n", polling.p50 / waiting.p50,
                polling.p99 / waiting.p99);
    serving.request_stop();
    mouse.unplug();
    return 0;
}
