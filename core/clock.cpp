#include "core/clock.h"

#include <chrono>
#include <thread>

namespace {
// Seconds from the Unix epoch to 1 January 2001, 00:00:00 UTC.
constexpr double referenceoffset = 978307200.0;
} // namespace

double absolutetime() {
    using namespace std::chrono;
    auto now = duration<double>(system_clock::now().time_since_epoch()).count();
    return now - referenceoffset;
}

int64_t absolutemilliseconds() {
    return static_cast<int64_t>(absolutetime() * 1000.0);
}

void sleepmilliseconds(int64_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
