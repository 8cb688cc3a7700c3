#pragma once
// Windows and video memory as the display, text and graphics tests make and read them.
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "tests/support/testfonts.h"
#include "tests/support/testing.h"

#include <random>
#include <utility>

using Pos = std::pair<int64_t, int64_t>;
using display::windowrecord;

inline const t_RGBColor white{255, 255, 255, 255}, black{255, 0, 0, 0};

// Window n without a text block, width x height pixels at the given depth, borders of border.
inline void graphicwindow(uint8_t n, int64_t depth, int64_t width = 64, int64_t height = 32,
                          int64_t border = 0) {
    t_InitWindow(n, depth, false, width, height, border, border, t_Font{}, true);
}

// Window n with 80 x 25 cells of the font at the given depth.
inline void textwindow(uint8_t n, int64_t depth, const t_Font& font = makegreyfont(8, 16),
                       bool autoupdate = false, int64_t border = 0) {
    t_InitWindow(n, depth, autoupdate, 80 * font.Width, 25 * font.Height, border, border, font,
                 true);
}

// The first byte of window n's graphic block.
inline uint8_t* block(uint8_t n) {
    return display::videomemory() + windowrecord(n).MemoryStart;
}

// A copy of count bytes of video memory from address on.
inline Bytes memorybytes(int64_t address, int64_t count) {
    const uint8_t* start = display::videomemory() + address;
    return Bytes(start, start + count);
}

// Window n's pixels, then the characters and the colours of its cells.
inline Bytes contents(uint8_t n) {
    const display::t_Window& w = windowrecord(n);
    Bytes bytes = memorybytes(w.MemoryStart, w.Width * w.Height * w.BitDepth / 8);
    const int64_t cells = w.TextWidth * w.TextHeight, text = w.TextMemoryStart;
    for (int64_t plane : {text, text + (w.TextMemoryEnd - text + 1) / 2}) {
        const Bytes part = memorybytes(plane, cells);
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

// Announces bytes written into window n's graphic block behind the toolkit's back, as every
// writer marks its rows: a row never marked since the clearing is shown as 0 without being read.
inline void announcewrites(uint8_t n) {
    display::VideoLock guard(display::videolock());
    display::markwholewindow(n);
}

// Random bytes in window n's graphic block, written behind the toolkit's back and so announced.
inline void fillrandom(uint8_t n, unsigned seed) {
    const display::t_Window& w = windowrecord(n);
    std::mt19937 random(seed);
    {
        display::VideoLock guard(display::videolock());
        for (int64_t a = w.MemoryStart; a <= w.MemoryEnd; ++a) {
            display::videomemory()[a] = static_cast<uint8_t>(random());
        }
    }
    announcewrites(n);
}

// Window n's graphic position.
inline Pos position(uint8_t n) {
    return {windowrecord(n).PositionX, windowrecord(n).PositionY};
}
