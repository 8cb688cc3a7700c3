#pragma once
// How a plotted colour combines with the pixel already there at depths 24 (R, G, B) and
// 32 (A, R, G, B). A mode without a rule leaves the pixel alone.
#include "display/window.h"

#include <cstdint>

namespace drawingmode {

inline uint8_t average(uint8_t old, uint8_t c) {
    return static_cast<uint8_t>((old + c) / 2);
}

inline uint8_t alphablend(uint8_t old, uint8_t c, uint8_t a) {
    return static_cast<uint8_t>(old * (255 - a) / 255 + c * a / 255);
}

// Applies op(old, new) to the three colour bytes starting at rgb.
template <typename Op> inline void combine(uint8_t* rgb, t_RGBColor c, Op op) {
    rgb[0] = op(rgb[0], c.Red);
    rgb[1] = op(rgb[1], c.Green);
    rgb[2] = op(rgb[2], c.Blue);
}

inline uint8_t replace(uint8_t, uint8_t c) {
    return c;
}
inline uint8_t bitand_(uint8_t old, uint8_t c) {
    return old & c;
}
inline uint8_t bitor_(uint8_t old, uint8_t c) {
    return old | c;
}
inline uint8_t bitxor_(uint8_t old, uint8_t c) {
    return old ^ c;
}

// Modes 3 to 7 treat the colour bytes alike at both depths.
inline void combinecolour(uint8_t* rgb, t_RGBColor c, int64_t mode) {
    switch (mode) {
    case 3:
        combine(rgb, c, replace);
        break;
    case 4:
        combine(rgb, c, average);
        break;
    case 5:
        combine(rgb, c, bitand_);
        break;
    case 6:
        combine(rgb, c, bitor_);
        break;
    case 7:
        combine(rgb, c, bitxor_);
        break;
    default:
        break;
    }
}

} // namespace drawingmode

inline void drawpixel24(uint8_t* p, t_RGBColor c, int64_t mode) {
    using namespace drawingmode;
    if (mode == 0 || mode == 2) {
        combine(p, c, replace);
    } else if (mode == 1) {
        combine(p, c, average);
    } else {
        combinecolour(p, c, mode);
    }
}

inline void drawpixel32(uint8_t* p, t_RGBColor c, int64_t mode) {
    using namespace drawingmode;
    switch (mode) {
    case 0:
        p[0] = c.Alpha;
        combine(p + 1, c, replace);
        break;
    case 1:
        combine(p + 1, c, [a = c.Alpha](uint8_t old, uint8_t v) { return alphablend(old, v, a); });
        break;
    case 2:
        p[0] = 255;
        combine(p + 1, c, replace);
        break;
    default:
        combinecolour(p + 1, c, mode);
        break;
    }
}
