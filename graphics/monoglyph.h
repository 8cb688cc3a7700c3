#pragma once
// Monochrome (format 0) glyphs: every pixel drawn as g_Plot draws it, set pixels in the
// foreground and clear ones in the background colour.
#include "graphics/canvas.h"
#include "graphics/glyphscale.h"
#include "graphics/pen.h"
#include "text/font.h"

#include <cstdint>

// Row r of the glyph of code c as a number whose bit i is column i. Glyphs are stored from the
// font's Start on; rows are (Width + 7) / 8 bytes read big-endian, so only their last eight bytes
// count. Bytes past the end of Data read as 0.
uint64_t monorow(const t_Font& font, uint8_t c, int64_t r);

// Draws the glyph at its placement (the caller holds the video lock and checked the depth).
void drawmonoglyph(const Canvas& canvas, const GlyphPlacement& place, const t_Font& font, uint8_t c,
                   const Pen& foreground, const Pen& background, int64_t mode);
