#pragma once
// Blending a grey glyph byte between a foreground and a background palette colour, per depth.
#include <array>
#include <cstdint>

namespace display {

struct RGB {
    int r = 0, g = 0, b = 0; // 0 ... 255 each
};

struct GlyphColours {
    RGB foreground;
    RGB background;
};

GlyphColours glyphcolours(uint8_t foregroundindex, uint8_t backgroundindex);

// Every product is divided by 255 and rounded down on its own before the sum.
RGB blendedcolour(const GlyphColours& c, int g);
uint8_t blendedgrey(const GlyphColours& c, int g);
bool blendedbit(const GlyphColours& c, int g);
// The palette index that shows a colour at depth 4: the four greys by their sum, otherwise the
// nearest palette entry (ties to the lower index).
uint8_t nearestpaletteindex(RGB colour);

// What every glyph byte value writes for one colour pair at one depth: the red, green and blue
// bytes (depths 24, 32), or in the first byte the grey level (8, 16), the bit (1) or the palette
// index (4). The fourth byte of each entry is 0 and lets a pixel's three bytes be copied as one
// 32-bit word.
using BlendValues = std::array<std::array<uint8_t, 4>, 256>;
struct alignas(64) BlendTable {
    BlendValues value;
};
// Kept per thread for the last pair, since text is mostly printed in one colour: one table for
// explicit colours (graphic-window text) and one for palette indexes (text cells).
const BlendTable& blendtable(const GlyphColours& colours, int64_t depth);
const BlendTable& blendtable(uint8_t foregroundindex, uint8_t backgroundindex, int64_t depth);

} // namespace display
