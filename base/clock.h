#pragma once
// Time: the platform's absolute time for time stamps, sleeping for the polling waits, and the
// local calendar date and time.
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <functional>

namespace base {

// Seconds since 1 January 2001, 00:00:00 UTC.
double absolutetime();
// Milliseconds of the absolute time, truncated toward zero (event and refresh time stamps).
int64_t absolutemilliseconds();
// Milliseconds of a clock that never jumps, for timeouts.
int64_t steadymilliseconds();

void sleepmilliseconds(int64_t ms);

// Where t_LocalDateTime takes the date from: the platform calendar unless a clock is installed
// (headless runs and tests fix the date so that results that depend on today are reproducible).
using LocalClock = std::function<t_DateTime()>;
// An empty function restores the platform calendar. Returns the previous clock.
LocalClock setlocalclock(LocalClock clock);

} // namespace base
