#pragma once
// Box-drawing lines, blocks and shades drawn straight into a cell. Lines run through the cell
// centre to the cell edges, so that neighbouring cells join into unbroken frames.
#include "tools/glyphcell.h"

struct LineStyle {
    int Light = 2;        // thickness of a single line
    int Heavy = 4;        // thickness of a heavy line
    int DoubleStroke = 2; // thickness of each line of a double line
    int DoubleGap = 2;    // space between the two lines of a double line
};

// Line thicknesses that match the typeface's stroke and stay centred in a cell of this width.
LineStyle linestyle(int cellwidth, double stemwidth);

// Whether drawglyph() knows the character.
bool candraw(char32_t character);

GlyphCell drawglyph(char32_t character, int width, int height, const LineStyle& style);
