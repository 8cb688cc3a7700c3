#pragma once
// A value that one thread replaces while other threads take copies of it: the program entry,
// the handlers a program installs, the log sinks, the clock.
#include <mutex>
#include <utility>

namespace base {

template <typename T> class Slot {
  public:
    explicit Slot(T initial = T{}) : value(std::move(initial)) {}

    void set(T replacement) {
        std::lock_guard guard(lock);
        value = std::move(replacement);
    }
    // Stores replacement and returns what was there.
    T exchange(T replacement) {
        std::lock_guard guard(lock);
        std::swap(value, replacement);
        return replacement;
    }
    T get() const {
        std::lock_guard guard(lock);
        return value;
    }

  private:
    mutable std::mutex lock;
    T value;
};

} // namespace base
