#pragma once
// A picture of a loaded font for people to judge: all 256 codes in a 16 x 16 grid, then sample
// lines that show whether text sits on one baseline and whether box-drawing characters join.
#include "quorvinthal/toolkit.h"
#include "tools/glyphcell.h"
#include "tools/pngwriter.h"

// The glyph of a code as the drawing operations read it (format 0 or 2); blank when the font
// holds no glyph for it.
GlyphCell fontglyph(const t_Font& font, uint8_t code);

RgbImage contactsheet(const t_Font& font, int scale);
