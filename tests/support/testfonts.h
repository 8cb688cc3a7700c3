#pragma once
// Small fonts made in memory, so that window and text tests do not depend on the built ones.
#include "quorvinthal/toolkit.h"

#include <cstdint>

// A grey (format 2) font with glyphs for codes start ... 255; every glyph byte of code c at row
// r, column s is (c + r + s) mod 256, so each cell is distinguishable.
t_Font makegreyfont(int64_t width, int64_t height, uint8_t start = 32);

// The font with its cell sides set to any values, also ones no font file could hold.
t_Font withcell(t_Font font, int64_t width, int64_t height);
