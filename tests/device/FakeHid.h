#pragma once
// Fakes of the HID backend and the desktop settings that record what the
// device link asks of them.

#include "platform/desktop/DesktopSettings.h"
#include "platform/hid/HidBackend.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace vux::test {

struct FeatureLog {
    std::mutex mutex;
    std::vector<std::vector<uint8_t>> reports;

    std::vector<std::vector<uint8_t>> take() {
        std::lock_guard lock(mutex);
        return std::exchange(reports, {});
    }
};

class FakeFeatureChannel : public hid::FeatureChannel {
public:
    explicit FakeFeatureChannel(std::shared_ptr<FeatureLog> log) : log_(std::move(log)) {}
    bool sendFeatureReport(std::span<const uint8_t> report) override {
        std::lock_guard lock(log_->mutex);
        log_->reports.emplace_back(report.begin(), report.end());
        return true;
    }
    bool gone() const override { return false; }

private:
    std::shared_ptr<FeatureLog> log_;
};

// Input reports queued by the test; a read blocks until one is there, the
// device is unplugged, or stop is requested.
class InputQueue {
public:
    void push(std::vector<uint8_t> report) {
        {
            std::lock_guard lock(mutex_);
            reports_.push_back(std::move(report));
        }
        cv_.notify_all();
    }
    void unplug() {
        {
            std::lock_guard lock(mutex_);
            gone_ = true;
        }
        cv_.notify_all();
    }
    bool gone() const {
        std::lock_guard lock(mutex_);
        return gone_;
    }
    int pop(std::span<uint8_t> buffer, std::stop_token stop) {
        std::unique_lock lock(mutex_);
        ++reads_;
        cv_.notify_all();
        if (!cv_.wait(lock, stop, [&] { return gone_ || !reports_.empty(); }) || gone_)
            return -1;
        std::vector<uint8_t> r = std::move(reports_.front());
        reports_.pop_front();
        const std::size_t n = std::min(r.size(), buffer.size());
        std::copy_n(r.begin(), n, buffer.begin());
        consumed_++;
        cv_.notify_all();
        return static_cast<int>(n);
    }
    // Waits until the reader has taken every queued report and is back in a read.
    bool waitDrained(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, timeout, [&] { return reports_.empty() && reads_ > consumed_; });
    }
    int reads() const {
        std::lock_guard lock(mutex_);
        return reads_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable_any cv_;
    std::deque<std::vector<uint8_t>> reports_;
    bool gone_ = false;
    int reads_ = 0;
    int consumed_ = 0;
};

class FakeInputChannel : public hid::InputChannel {
public:
    explicit FakeInputChannel(std::shared_ptr<InputQueue> queue) : queue_(std::move(queue)) {}
    int readReport(std::span<uint8_t> buffer, std::stop_token stop) override {
        return queue_->pop(buffer, stop);
    }
    bool gone() const override { return queue_->gone(); }

private:
    std::shared_ptr<InputQueue> queue_;
};

class FakeHidBackend : public hid::HidBackend {
public:
    std::vector<hid::InterfaceInfo> interfaces;
    std::shared_ptr<FeatureLog> features = std::make_shared<FeatureLog>();
    std::shared_ptr<InputQueue> input = std::make_shared<InputQueue>();
    bool failOpens = false;
    std::vector<QString> opened; // "read PATH" / "write PATH"

    std::vector<hid::InterfaceInfo> enumerate() override { return interfaces; }
    std::unique_ptr<hid::InputChannel> openInput(const QString& path) override {
        opened.push_back(QStringLiteral("read ") + path);
        if (failOpens)
            return nullptr;
        return std::make_unique<FakeInputChannel>(input);
    }
    std::unique_ptr<hid::FeatureChannel> openFeature(const QString& path) override {
        opened.push_back(QStringLiteral("write ") + path);
        if (failOpens)
            return nullptr;
        return std::make_unique<FakeFeatureChannel>(features);
    }
    void watch(std::function<void(const hid::DeviceChange&)>) override {}

    // The mouse's three collections as the TESK mouse presents them.
    void addMouse(const QString& base, uint16_t featureLength = 9, uint16_t inputLength = 9) {
        interfaces.push_back({base + "#0", true, 0x18F8, 0x0F99, {0x0001, 0x0002, 5, 0, 0}});
        interfaces.push_back(
            {base + "#1", true, 0x18F8, 0x0F99, {0xFF00, 0x0001, inputLength, 0, 0}});
        interfaces.push_back(
            {base + "#2", true, 0x18F8, 0x0F99, {0xFF01, 0x0001, 0, 0, featureLength}});
    }
    void addOther(const QString& path) {
        interfaces.push_back({path, true, 0x046D, 0xC077, {0x0001, 0x0002, 4, 0, 0}});
    }
};

class FakeDesktop : public DesktopSettings {
public:
    std::optional<int> speed = 10;
    std::optional<int> lines = 3;
    std::vector<int> speedsSet;
    std::vector<int> linesSet;

    std::optional<int> pointerSpeed() override { return speed; }
    bool setPointerSpeed(int s) override {
        speedsSet.push_back(s);
        return true;
    }
    std::optional<int> wheelScrollLines() override { return lines; }
    bool setWheelScrollLines(int l) override {
        linesSet.push_back(l);
        return true;
    }
};

} // namespace vux::test
