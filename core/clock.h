#pragma once
// The platform's absolute time: seconds since 1 January 2001, 00:00:00 UTC.
#include <cstdint>

double absolutetime();

// Milliseconds of the absolute time, truncated toward zero (event and refresh time stamps).
int64_t absolutemilliseconds();

// Sleep for the given number of milliseconds (the toolkit's polling waits).
void sleepmilliseconds(int64_t ms);
