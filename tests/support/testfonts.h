#pragma once
// Small fonts made in memory, so that window and text tests do not depend on the built ones.
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <tuple>

// A grey (format 2) font with glyphs for codes start ... 255; every glyph byte of code c at row
// r, column s is (c + r + s) mod 256, so each cell is distinguishable.
// Not inlined: GCC 12 at -O3 warns, wrongly, of the default identifier copied into callers.
[[gnu::noinline]] inline t_Font makegreyfont(int64_t width, int64_t height, uint8_t start = 32) {
    t_Font font;
    std::tie(font.Format, font.Start, font.End, font.Width, font.Height) =
        std::tuple(t_Font::Grey, start, 255, width, height);
    font.Data.resize(static_cast<size_t>(256 * width * height));
    for (int64_t c = 0; c < 256; ++c) {
        for (int64_t r = 0; r < height; ++r) {
            for (int64_t s = 0; s < width; ++s) {
                font.Data[static_cast<size_t>((c * height + r) * width + s)] =
                    static_cast<uint8_t>(c + r + s);
            }
        }
    }
    return font;
}

// The font with its cell sides set to any values, also ones no font file could hold.
inline t_Font withcell(t_Font font, int64_t width, int64_t height) {
    font.Width = width;
    font.Height = height;
    return font;
}
