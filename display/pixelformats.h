#pragma once
// Where pixel x of a graphic-block row lies at each depth, and how a pen writes it (with the
// drawing modes that combine it with the pixel already there) and it is read back. This is the
// one place that knows the layouts; a surface (display/surface.h) reaches them through a table
// chosen once when it is made, and the line walk compiles against them directly.
//
//   1   eight pixels a byte, the leftmost in the most significant bit; a set bit is white
//   4   two pixels a byte, the left one in the high nibble; palette indexes
//   8   one grey byte
//   16  a byte of its own (Alpha), then the grey byte
//   24  red, green, blue
//   32  Alpha, red, green, blue
//
// Callers have checked that x lies inside the row.
#include "display/blend.h"
#include "display/pixelconversion.h"
#include "quorvinthal/toolkit.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace display {

struct Pen {
    t_RGBColor colour; // depths 16, 24, 32
    uint8_t index = 0; // palette index at depths 1 (bright from 9 on) and 4
    uint8_t grey = 0;  // (Red + Green + Blue) / 3 at depths 8 and 16
};

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

template <int64_t Depth> struct PixelFormat;

template <> struct PixelFormat<1> {
    static void setbit(uint8_t* row, int64_t x, bool set) {
        uint8_t& byte = row[x / 8];
        uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        byte = set ? byte | bit : byte & ~bit;
    }
    static void put(uint8_t* row, int64_t x, const Pen& pen, int64_t) {
        setbit(row, x, pen.index >= 9);
    }
    static t_RGBColor get(const uint8_t* row, int64_t x) {
        return t_PaletteColor((row[x / 8] >> (7 - (x & 7))) & 1 ? t_White : t_Black);
    }
    static void blend(uint8_t* row, int64_t x, const uint8_t* glyph, int64_t count,
                      const BlendValues& v) {
        for (int64_t s = 0; s < count; ++s) {
            setbit(row, x + s, v[glyph[s]][0] != 0);
        }
    }
    static constexpr auto convert = convertdepth1;
};

template <> struct PixelFormat<4> {
    static void setnibble(uint8_t* row, int64_t x, uint8_t index) {
        uint8_t& byte = row[x / 2];
        byte = (x & 1) ? (byte & 0xF0) | index : (byte & 0x0F) | (index << 4);
    }
    static void put(uint8_t* row, int64_t x, const Pen& pen, int64_t) {
        setnibble(row, x, pen.index);
    }
    static t_RGBColor get(const uint8_t* row, int64_t x) {
        uint8_t byte = row[x / 2];
        return t_PaletteColor((x & 1) ? byte & 15 : byte >> 4);
    }
    static void blend(uint8_t* row, int64_t x, const uint8_t* glyph, int64_t count,
                      const BlendValues& v) {
        for (int64_t s = 0; s < count; ++s) {
            setnibble(row, x + s, v[glyph[s]][0]);
        }
    }
    static constexpr auto convert = convertdepth4;
};

template <> struct PixelFormat<8> {
    static void put(uint8_t* row, int64_t x, const Pen& pen, int64_t) { row[x] = pen.grey; }
    static t_RGBColor get(const uint8_t* row, int64_t x) {
        return t_RGBColor{0, row[x], row[x], row[x]};
    }
    static void blend(uint8_t* row, int64_t x, const uint8_t* glyph, int64_t count,
                      const BlendValues& v) {
        for (int64_t s = 0; s < count; ++s) {
            row[x + s] = v[glyph[s]][0];
        }
    }
    static constexpr auto convert = convertdepth8;
};

template <> struct PixelFormat<16> {
    static void put(uint8_t* row, int64_t x, const Pen& pen, int64_t) {
        row[2 * x] = pen.colour.Alpha;
        row[2 * x + 1] = pen.grey;
    }
    static t_RGBColor get(const uint8_t* row, int64_t x) {
        const uint8_t* p = row + 2 * x;
        return t_RGBColor{p[0], p[1], p[1], p[1]};
    }
    // The grey byte only: a glyph leaves the first byte alone.
    static void blend(uint8_t* row, int64_t x, const uint8_t* glyph, int64_t count,
                      const BlendValues& v) {
        uint8_t* grey = row + 2 * x + 1;
        for (int64_t s = 0; s < count; ++s) {
            grey[2 * s] = v[glyph[s]][0];
        }
    }
    static constexpr auto convert = convertdepth16;
};

template <> struct PixelFormat<24> {
    static void put(uint8_t* row, int64_t x, const Pen& pen, int64_t mode) {
        drawpixel24(row + 3 * x, pen.colour, mode);
    }
    static t_RGBColor get(const uint8_t* row, int64_t x) {
        const uint8_t* p = row + 3 * x;
        return t_RGBColor{0, p[0], p[1], p[2]};
    }
    // Four pixels at a time are stored as three 32-bit words, the rest byte by byte, so nothing
    // beyond the run changes.
    static void blend(uint8_t* row, int64_t x, const uint8_t* glyph, int64_t count,
                      const BlendValues& v) {
        uint8_t* p = row + 3 * x;
        int64_t s = 0;
        if constexpr (std::endian::native == std::endian::little) {
            for (; s + 4 <= count; s += 4, p += 12) {
                uint32_t a = word(v[glyph[s]]), b = word(v[glyph[s + 1]]);
                uint32_t c = word(v[glyph[s + 2]]), d = word(v[glyph[s + 3]]);
                store(p, a | b << 24);
                store(p + 4, b >> 8 | c << 16);
                store(p + 8, c >> 16 | d << 8);
            }
        }
        for (; s < count; ++s, p += 3) {
            std::memcpy(p, v[glyph[s]].data(), 3);
        }
    }
    static uint32_t word(const std::array<uint8_t, 4>& entry) {
        uint32_t w = 0;
        std::memcpy(&w, entry.data(), 4);
        return w;
    }
    static void store(uint8_t* p, uint32_t w) { std::memcpy(p, &w, 4); }
    static constexpr auto convert = convertdepth24;
};

template <> struct PixelFormat<32> {
    static void put(uint8_t* row, int64_t x, const Pen& pen, int64_t mode) {
        drawpixel32(row + 4 * x, pen.colour, mode);
    }
    static t_RGBColor get(const uint8_t* row, int64_t x) {
        const uint8_t* p = row + 4 * x;
        return t_RGBColor{p[0], p[1], p[2], p[3]};
    }
    // The colour bytes only: the Alpha byte stays.
    static void blend(uint8_t* row, int64_t x, const uint8_t* glyph, int64_t count,
                      const BlendValues& v) {
        uint8_t* p = row + 4 * x;
        for (int64_t s = 0; s < count; ++s) {
            std::memcpy(p + 4 * s + 1, v[glyph[s]].data(), 3);
        }
    }
    static constexpr auto convert = convertdepth32;
};

// Calls visit(PixelFormat<depth>{}) for a drawable depth and returns its result, otherwise
// otherwise(). The list of drawable depths.
template <typename Visit, typename Otherwise>
auto visitdepth(int64_t depth, Visit visit, Otherwise otherwise) {
    switch (depth) {
    case 1:
        return visit(PixelFormat<1>{});
    case 4:
        return visit(PixelFormat<4>{});
    case 8:
        return visit(PixelFormat<8>{});
    case 16:
        return visit(PixelFormat<16>{});
    case 24:
        return visit(PixelFormat<24>{});
    case 32:
        return visit(PixelFormat<32>{});
    default:
        return otherwise();
    }
}

} // namespace display
