#pragma once
// A copyable value whose every load and store is a relaxed atomic access.
//
// Window records are written by the program thread while the main thread and the auto-update
// thread read single fields; no reader needs a consistent snapshot of several fields, only a
// race-free value of each. Read-modify-write operators are a load and a store: each field has
// one writing thread.
#include <atomic>

namespace base {

template <typename T> class Relaxed {
  public:
    Relaxed(T v = T{}) : value(v) {}
    Relaxed(const Relaxed& other) : value(other.load()) {}
    Relaxed& operator=(const Relaxed& other) {
        store(other.load());
        return *this;
    }
    Relaxed& operator=(T v) {
        store(v);
        return *this;
    }
    operator T() const { return load(); }
    T load() const { return value.load(std::memory_order_relaxed); }
    void store(T v) { value.store(v, std::memory_order_relaxed); }

    Relaxed& operator+=(T v) {
        store(load() + v);
        return *this;
    }
    Relaxed& operator-=(T v) {
        store(load() - v);
        return *this;
    }

  private:
    std::atomic<T> value;
};

} // namespace base
