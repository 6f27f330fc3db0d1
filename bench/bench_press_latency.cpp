// Time from the virtual mouse writing a press report to eventPending being set
// by the device event reader, over the real socket transport. The baseline is
// the same transport read by a bare loop that only raises a flag, so the ratio
// shows what the reader itself adds.
//
//   bench_press_latency [presses]   (default 10000)

#include "app/AppState.h"
#include "device/Discovery.h"
#include "device/EventReader.h"
#include "platform/hid/VirtualMouseBackend.h"
#include "platform/hid/VirtualMouseServer.h"
#include "tools/virtual-mouse/VirtualMouseDescriptor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

using namespace vux;
using SteadyTime = std::chrono::steady_clock;

namespace {

constexpr uint8_t kPress[9] = {6, 0xF1, 0, 0, 0, 0, 0, 0, 0};
// Presses are spaced so that each one finds the reader blocked in its read,
// as a person's clicks do, rather than in the 2 ms pause after a report.
constexpr auto kSpacing = std::chrono::milliseconds(3);

struct Figures {
    double p50, p99, max;
};

Figures figures(std::vector<double> us) {
    std::sort(us.begin(), us.end());
    auto at = [&](double q) {
        return us[std::min(us.size() - 1, static_cast<std::size_t>(q * us.size()))];
    };
    return {at(0.50), at(0.99), us.back()};
}

// Sends presses until one gets through (the read channel's open reaches the
// server asynchronously), then measures `count` presses.
template <class Wait, class Clear>
std::vector<double> measure(hid::virt::VirtualMouseServer& server, int count, Wait wait,
                            Clear clear) {
    while (true) {
        server.sendInput(kPress);
        if (wait(std::chrono::milliseconds(50)))
            break;
    }
    clear();
    std::vector<double> us;
    us.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::this_thread::sleep_for(kSpacing);
        const auto t0 = SteadyTime::now();
        server.sendInput(kPress);
        wait(std::chrono::seconds(5));
        const auto t1 = SteadyTime::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        clear();
    }
    return us;
}

// Waits for an atomic flag to become nonzero, with a deadline. It yields
// instead of blocking so the deadline holds and the moment is seen at once.
bool waitSet(std::atomic<int32_t>& flag, std::chrono::nanoseconds timeout) {
    const auto deadline = SteadyTime::now() + timeout;
    while (flag.load(std::memory_order_acquire) == 0) {
        if (SteadyTime::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    const QString folder = dir.filePath("mice");
    QDir().mkdir(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const tools::VirtualMouseShape shape;
    hid::virt::VirtualMouseServer server(
        {0x18F8, 0x0F99, tools::virtualMouseReportDescriptor(shape)}, folder);
    if (!server.plug()) {
        std::fprintf(stderr, "cannot create the virtual mouse\n");
        return 1;
    }
    std::jthread serving([&](std::stop_token stop) { server.serve(-1, {}, {}, stop); });
    hid::VirtualMouseBackend backend(folder);

    // Baseline: a bare loop on the same read channel.
    std::vector<double> baseline;
    {
        auto channel = backend.openInput(server.socketPath() + "#1");
        std::atomic<int32_t> flag{0};
        std::jthread bare([&](std::stop_token stop) {
            std::array<uint8_t, 256> buffer{};
            while (channel->readReport(std::span<uint8_t>(buffer.data(), 9), stop) >= 0) {
                flag.store(1, std::memory_order_release);
                flag.notify_all();
            }
        });
        baseline = measure(
            server, presses, [&](auto t) { return waitSet(flag, t); },
            [&] { flag.store(0, std::memory_order_relaxed); });
        bare.request_stop();
    }

    // The program's reader.
    std::vector<double> reader;
    {
        AppState state;
        state.platform.hid = &backend;
        if (discoverDevice(state) != 1) {
            std::fprintf(stderr, "the virtual mouse was not found\n");
            return 1;
        }
        std::jthread worker([&](std::stop_token stop) { readerLoop(state, stop); });
        reader = measure(
            server, presses, [&](auto t) { return waitSet(state.mailbox.eventPending, t); },
            [&] { state.mailbox.eventPending.store(0, std::memory_order_release); });
        worker.request_stop();
    }

    const Figures b = figures(baseline);
    const Figures r = figures(reader);
    std::printf("press → eventPending over %d presses (microseconds)\n", presses);
    std::printf("%-22s %10s %10s %10s\n", "", "p50", "p99", "max");
    std::printf("%-22s %10.1f %10.1f %10.1f\n", "baseline (bare read)", b.p50, b.p99, b.max);
    std::printf("%-22s %10.1f %10.1f %10.1f\n", "readerLoop", r.p50, r.p99, r.max);
    std::printf("%-22s %10.2f %10.2f %10.2f\n", "ratio", r.p50 / b.p50, r.p99 / b.p99,
                r.max / b.max);
    return 0;
}
