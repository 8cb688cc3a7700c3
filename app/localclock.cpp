#include "app/localclock.h"

#include <chrono>
#include <ctime>
#include <mutex>

namespace {

std::mutex clockmutex;
LocalClock installedclock;

LocalDateTime platformnow() {
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900LL, parts.tm_mon + 1LL, parts.tm_mday + 0LL,
            parts.tm_hour + 0LL,    parts.tm_min + 0LL, parts.tm_sec + 0LL};
}

} // namespace

LocalDateTime localnow() {
    LocalClock clock;
    {
        std::lock_guard lock(clockmutex);
        clock = installedclock;
    }
    return clock ? clock() : platformnow();
}

LocalClock setlocalclock(LocalClock clock) {
    std::lock_guard lock(clockmutex);
    std::swap(installedclock, clock);
    return clock;
}
