#pragma once
// Grey (format 2) glyphs: each glyph byte blends the foreground into the background colour and
// is written straight into the graphic block.
//
// On palette windows (depths 1 and 4) the pixel's colour is the same blend as on every other
// depth, g × F / 255 + (255 − g) × B / 255 per component: the bit is set when (red + green +
// blue) / 3 is 128 or more, the nibble takes the blend's nearest palette entry. Masking the
// glyph byte with the foreground instead would ignore the background, so dark ink on a light
// background would come out as ink on black; with the blend it looks as it does in text cells.
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
