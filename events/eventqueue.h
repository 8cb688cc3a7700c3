#pragma once
// A queue of events that one thread appends to and another takes from.
//
// The events, the available flag and the last event taken change together under the queue's own
// lock; the flag is true exactly when the queue holds an event, and being atomic it can be polled
// without the lock (waiting loops poll it and sleep between polls).
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace events {

template <typename Event> class EventQueue {
  public:
    void append(const Event& event) {
        std::lock_guard guard(lock);
        events.push_back(event);
        refresh();
    }
    void appendall(const std::vector<Event>& more) {
        std::lock_guard guard(lock);
        events.insert(events.end(), more.begin(), more.end());
        refresh();
    }

    bool available() const { return flag.load(); }
    int64_t count() const {
        std::lock_guard guard(lock);
        return static_cast<int64_t>(events.size());
    }
    std::vector<Event> pending() const {
        std::lock_guard guard(lock);
        return std::vector<Event>(events.begin(), events.end());
    }

    // Removes the oldest event and keeps a copy as the last one taken.
    std::optional<Event> take() {
        std::lock_guard guard(lock);
        if (events.empty()) {
            return std::nullopt;
        }
        last = std::move(events.front());
        events.pop_front();
        refresh();
        return last;
    }
    Event lasttaken() const {
        std::lock_guard guard(lock);
        return last;
    }

    // Empties the queue when the newest event satisfies newest; true when it did.
    template <typename Predicate> bool clearif(Predicate newest) {
        std::lock_guard guard(lock);
        if (events.empty() || !newest(events.back())) {
            return false;
        }
        events.clear();
        refresh();
        return true;
    }

  private:
    void refresh() { flag.store(!events.empty()); }

    mutable std::mutex lock;
    std::deque<Event> events;
    Event last{};
    std::atomic<bool> flag{false};
};

} // namespace events
