#include "base/clock.h"

#include "base/lasting.h"
#include "base/slot.h"
#include "quorvinthal/toolkit.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace base {

namespace {

// Seconds from the Unix epoch to 1 January 2001, 00:00:00 UTC.
constexpr double referenceoffset = 978307200.0;

struct ClockState {
    Slot<LocalClock> clock;
};

t_DateTime platformnow() {
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900LL, parts.tm_mon + 1LL, parts.tm_mday + 0LL,
            parts.tm_hour + 0LL,    parts.tm_min + 0LL, parts.tm_sec + 0LL};
}

} // namespace

double absolutetime() {
    using namespace std::chrono;
    auto now = duration<double>(system_clock::now().time_since_epoch()).count();
    return now - referenceoffset;
}

int64_t absolutemilliseconds() {
    return static_cast<int64_t>(absolutetime() * 1000.0);
}

int64_t steadymilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void sleepmilliseconds(int64_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

LocalClock setlocalclock(LocalClock clock) {
    return lasting<ClockState>().clock.exchange(std::move(clock));
}

} // namespace base

t_DateTime t_LocalDateTime() {
    base::LocalClock clock = base::lasting<base::ClockState>().clock.get();
    return clock ? clock() : base::platformnow();
}
