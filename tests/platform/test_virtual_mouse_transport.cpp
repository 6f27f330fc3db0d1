// The virtual mouse's socket as the program meets it: enumeration, channels,
// hot-plug through the folder watch.
#include "platform/hid/VirtualMouseBackend.h"
#include "platform/hid/VirtualMouseServer.h"
#include "tools/virtual-mouse/VirtualMouseDescriptor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace vux::hid {
namespace {

using virt::VirtualMouseServer;

struct TransportTest : ::testing::Test {
    QTemporaryDir dir;
    QString folder;
    std::mutex mutex;
    std::condition_variable featureArrived;
    std::vector<std::vector<uint8_t>> features;

    void SetUp() override {
        folder = dir.filePath("mice");
        ASSERT_TRUE(QDir().mkdir(folder));
        ASSERT_TRUE(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    virt::Description mouse(int inputLength = 9, int featureLength = 9, bool read = true,
                            bool write = true) {
        return {0x18F8, 0x0F99,
                tools::virtualMouseReportDescriptor({inputLength, featureLength, read, write})};
    }

    // Serves the server on a thread until the test ends.
    std::jthread serve(VirtualMouseServer& server) {
        return std::jthread([this, &server](std::stop_token stop) {
            server.serve(
                -1, {},
                [this](std::span<const uint8_t> r) {
                    {
                        std::lock_guard lock(mutex);
                        features.emplace_back(r.begin(), r.end());
                    }
                    featureArrived.notify_all();
                },
                stop);
        });
    }
};

TEST_F(TransportTest, EnumeratesTheCollectionsWithTheirLengths) {
    VirtualMouseServer server(mouse(9, 300), folder);
    ASSERT_TRUE(server.plug());
    auto thread = serve(server);
    VirtualMouseBackend backend(folder);
    const auto interfaces = backend.enumerate();
    ASSERT_EQ(interfaces.size(), 3u);
    EXPECT_EQ(interfaces[0].caps, (Caps{0x0001, 0x0002, 5, 0, 0}));
    EXPECT_EQ(interfaces[1].caps, (Caps{0xFF00, 0x0001, 9, 0, 0}));
    EXPECT_EQ(interfaces[2].caps, (Caps{0xFF01, 0x0001, 0, 0, 300}));
    for (const auto& i : interfaces) {
        EXPECT_TRUE(i.attributesRead);
        EXPECT_EQ(i.vendorId, 0x18F8);
        EXPECT_EQ(i.productId, 0x0F99);
        EXPECT_TRUE(backend.owns(i.path));
    }
    EXPECT_EQ(interfaces[2].path, server.socketPath() + "#2");
}

TEST_F(TransportTest, FeatureReportsArriveWholeAndInOrder) {
    VirtualMouseServer server(mouse(), folder);
    ASSERT_TRUE(server.plug());
    auto thread = serve(server);
    VirtualMouseBackend backend(folder);
    auto write = backend.openFeature(server.socketPath() + "#2");
    ASSERT_TRUE(write);
    for (uint8_t i = 1; i <= 20; ++i) {
        const uint8_t report[9] = {7, 0x10, i, i, 0, 0, 0, 0, 0};
        EXPECT_TRUE(write->sendFeatureReport(report));
    }
    std::unique_lock lock(mutex);
    ASSERT_TRUE(featureArrived.wait_for(lock, std::chrono::seconds(10),
                                        [&] { return features.size() == 20; }));
    EXPECT_EQ(features[19], (std::vector<uint8_t>{7, 0x10, 20, 20, 0, 0, 0, 0, 0}));
}

TEST_F(TransportTest, InputReportsReachTheReadChannelOnlyForItsReportId) {
    VirtualMouseServer server(mouse(), folder);
    ASSERT_TRUE(server.plug());
    auto thread = serve(server);
    VirtualMouseBackend backend(folder);
    auto read = backend.openInput(server.socketPath() + "#1");
    ASSERT_TRUE(read);
    // The open reaches the server asynchronously; keep sending until a report arrives.
    std::jthread sender([&](std::stop_token stop) {
        const uint8_t mouseReport[5] = {1, 0, 3, 4, 0};
        const uint8_t press[9] = {6, 0xF5, 0, 0, 0, 0, 0, 0, 0};
        while (!stop.stop_requested()) {
            server.sendInput(mouseReport);
            server.sendInput(press);
            std::this_thread::yield();
        }
    });
    std::array<uint8_t, 256> buffer{};
    const int n = read->readReport(std::span<uint8_t>(buffer.data(), 9), {});
    sender.request_stop();
    ASSERT_EQ(n, 9);
    EXPECT_EQ(buffer[0], 6);
    EXPECT_EQ(buffer[1], 0xF5);
}

TEST_F(TransportTest, UnplugFailsReadsAtOnceAndMarksTheChannelsGone) {
    VirtualMouseServer server(mouse(), folder);
    ASSERT_TRUE(server.plug());
    auto thread = serve(server);
    VirtualMouseBackend backend(folder);
    auto read = backend.openInput(server.socketPath() + "#1");
    ASSERT_TRUE(read);
    server.unplug();
    std::array<uint8_t, 9> buffer{};
    EXPECT_EQ(read->readReport(buffer, {}), -1);
    EXPECT_TRUE(read->gone());
    EXPECT_EQ(read->readReport(buffer, {}), -1);
    EXPECT_TRUE(backend.enumerate().empty());
}

TEST_F(TransportTest, StopEndsABlockedRead) {
    VirtualMouseServer server(mouse(), folder);
    ASSERT_TRUE(server.plug());
    auto thread = serve(server);
    VirtualMouseBackend backend(folder);
    auto read = backend.openInput(server.socketPath() + "#1");
    ASSERT_TRUE(read);
    std::stop_source stop;
    std::jthread reader([&] {
        std::array<uint8_t, 9> buffer{};
        EXPECT_EQ(read->readReport(buffer, stop.get_token()), -1);
    });
    stop.request_stop();
    reader.join();
    EXPECT_FALSE(read->gone());
}

TEST_F(TransportTest, OmittedCollectionIsNotEnumerated) {
    VirtualMouseServer server(mouse(9, 9, true, false), folder);
    ASSERT_TRUE(server.plug());
    auto thread = serve(server);
    VirtualMouseBackend backend(folder);
    const auto interfaces = backend.enumerate();
    ASSERT_EQ(interfaces.size(), 2u);
    EXPECT_EQ(interfaces[1].caps.usagePage, 0xFF00);
}

TEST_F(TransportTest, FolderWatchReportsArrivalAndRemovalOfEachCollection) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    VirtualMouseBackend backend(folder);
    std::vector<DeviceChange> changes;
    backend.watch([&](const DeviceChange& c) { changes.push_back(c); });

    VirtualMouseServer server(mouse(), folder);
    auto thread = serve(server);
    ASSERT_TRUE(server.plug());
    const QString socket = server.socketPath();
    QDeadlineTimer deadline(10000);
    while (changes.size() < 3 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    ASSERT_EQ(changes.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(changes[static_cast<std::size_t>(i)].kind, DeviceChangeKind::Arrival);
        EXPECT_EQ(changes[static_cast<std::size_t>(i)].path, socket + "#" + QString::number(i));
    }
    changes.clear();
    server.unplug();
    deadline = QDeadlineTimer(10000);
    while (changes.size() < 3 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[2].kind, DeviceChangeKind::Removal);
    EXPECT_EQ(changes[2].path, socket + "#2");
}

} // namespace
} // namespace vux::hid
