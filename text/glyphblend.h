#pragma once
// Blending a grey glyph byte between a foreground and a background palette colour, per depth.
#include <array>
#include <cstdint>

struct RGB {
    int r = 0, g = 0, b = 0;
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

// The depth-4 palette index of every glyph byte value, computed on first use.
class PaletteIndexCache {
  public:
    explicit PaletteIndexCache(const GlyphColours& c) : colours(c) { known.fill(false); }
    uint8_t operator()(int g);

  private:
    GlyphColours colours;
    std::array<bool, 256> known;
    std::array<uint8_t, 256> index{};
};
