#pragma once
// Values that one thread writes and another reads. Each load and store is a
// single relaxed atomic access: whole-value, tear-free, and free of data races,
// without implying any ordering between different variables. Where an order
// matters (a mailbox), the code uses std::atomic with acquire/release directly.

#include <atomic>
#include <mutex>
#include <utility>

namespace vux {

template <class T> class Relaxed {
public:
    constexpr Relaxed() noexcept : v_(T{}) {}
    constexpr Relaxed(T value) noexcept : v_(value) {}
    Relaxed(const Relaxed& other) noexcept : v_(other.load()) {}
    Relaxed& operator=(const Relaxed& other) noexcept {
        store(other.load());
        return *this;
    }
    Relaxed& operator=(T value) noexcept {
        store(value);
        return *this;
    }
    operator T() const noexcept { return load(); }

    T load() const noexcept { return v_.load(std::memory_order_relaxed); }
    void store(T value) noexcept { v_.store(value, std::memory_order_relaxed); }
    T exchange(T value) noexcept { return v_.exchange(value, std::memory_order_relaxed); }
    std::atomic<T>& atomic() noexcept { return v_; }
    const std::atomic<T>& atomic() const noexcept { return v_; }

private:
    std::atomic<T> v_;
};

// A value too large for one atomic store (a string), read and written whole
// under its own small lock.
template <class T> class Guarded {
public:
    Guarded() = default;
    explicit Guarded(T value) : v_(std::move(value)) {}
    Guarded(const Guarded& other) : v_(other.get()) {}
    Guarded& operator=(const Guarded& other) {
        set(other.get());
        return *this;
    }
    Guarded& operator=(T value) {
        set(std::move(value));
        return *this;
    }

    T get() const {
        std::lock_guard lock(m_);
        return v_;
    }
    void set(T value) {
        std::lock_guard lock(m_);
        v_ = std::move(value);
    }

private:
    mutable std::mutex m_;
    T v_{};
};

} // namespace vux
