#pragma once
// The local calendar date and time, the one source of "today" for the date arithmetic.
//
// The platform calendar is the default; tests and the headless snapshot tool replace it with a
// fixed date so that results which depend on today are reproducible.
#include <cstdint>
#include <functional>

struct LocalDateTime {
    int64_t year = 0;
    int64_t month = 0;
    int64_t day = 0;
    int64_t hour = 0;
    int64_t minute = 0;
    int64_t second = 0;
};

using LocalClock = std::function<LocalDateTime()>;

// The current local date and time from the installed clock.
LocalDateTime localnow();

// Install a clock; an empty function restores the platform calendar. Returns the previous clock
// (empty when the platform calendar was in use).
LocalClock setlocalclock(LocalClock clock);
