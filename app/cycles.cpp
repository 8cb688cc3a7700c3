#include "app/cycles.h"

#include <cmath>

namespace {

constexpr double fullturn = 6.283185307179586;
// 2π · 31 / 1279: the angle of one pixel column for a period of one day.
constexpr double turnpercolumn = 0.15228987061967722;
constexpr double amplitude = 388.0;
constexpr double rowsperpercent = 7.79;

} // namespace

int64_t daycolumn(int64_t day) {
    return 1279 * day / 31;
}

double cyclebasephase(int64_t baseday, int64_t period) {
    return static_cast<double>(baseday % period) * fullturn / static_cast<double>(period);
}

double cyclephaseatcolumn(double basephase, int64_t period, int64_t column) {
    const double angle = static_cast<double>(column) * turnpercolumn;
    return basephase + angle / static_cast<double>(period);
}

int64_t cycleheight(double phase) {
    return 388 - static_cast<int64_t>(std::trunc(amplitude * std::sin(phase)));
}

int64_t cyclepercentage(int64_t height) {
    return 99 - static_cast<int64_t>(std::trunc(static_cast<double>(height) / rowsperpercent));
}

int64_t forecastpercentage(int64_t dayslived, int64_t forecastday, int64_t period) {
    const double basephase = cyclebasephase(dayslived - forecastday, period);
    const double phase = cyclephaseatcolumn(basephase, period, daycolumn(forecastday));
    return cyclepercentage(cycleheight(phase));
}
