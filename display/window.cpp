#include "display/window.h"

#include "quorvinthal/toolkit.h"

namespace display {

uint32_t packcolor(t_RGBColor c) {
    return uint32_t{c.Alpha} | uint32_t{c.Red} << 8 | uint32_t{c.Green} << 16 |
           uint32_t{c.Blue} << 24;
}

t_RGBColor unpackcolor(uint32_t packed) {
    return t_RGBColor{static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
                      static_cast<uint8_t>(packed >> 16), static_cast<uint8_t>(packed >> 24)};
}

} // namespace display
