#pragma once
// Grey (format 2) glyphs: each glyph byte blends the foreground into the background colour and
// is written straight into the graphic block.
//
// On palette windows (depths 1 and 4) the blended colour is used as on every other depth: the
// bit is set when (red + green + blue) / 3 is 128 or more, the nibble takes the colour's nearest
// palette entry. A dark foreground on a light background therefore stays readable, as it does
// in text cells, instead of losing the background.
#include "graphics/canvas.h"
#include "graphics/glyphscale.h"
#include "text/font.h"

#include <cstdint>

// The glyph byte of code c at row r, column i (glyphs stored from code 0 on); 0 past the end of
// Data.
uint8_t greybyte(const t_Font& font, uint8_t c, int64_t r, int64_t i);

// Draws the glyph at its placement (the caller holds the video lock). A depth without a rule
// draws nothing.
void drawgreyglyph(const Canvas& canvas, const GlyphPlacement& place, const t_Font& font, uint8_t c,
                   t_RGBColor foreground, t_RGBColor background);
