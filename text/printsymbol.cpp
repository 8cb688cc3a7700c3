#include "text/printsymbol.h"

#include "base/log.h"
#include "display/blend.h"
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "text/cells.h"
#include "text/outputroute.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace text {

namespace {

// The glyph bytes of one character; glyph data shorter than the font claims reads as blank.
struct GlyphSource {
    const uint8_t* data;
    int64_t available; // bytes of this glyph present in the data
    int64_t width;
};

GlyphSource glyphof(const t_Font& font, uint8_t c) {
    int64_t glyphsize = font.Width * font.Height;
    int64_t offset = int64_t{c} * glyphsize;
    int64_t size = static_cast<int64_t>(font.Data.size());
    int64_t available = offset < size ? std::min(glyphsize, size - offset) : 0;
    return GlyphSource{font.Data.data() + (available > 0 ? offset : 0), available, font.Width};
}

// Blends the glyph into the cell whose top left pixel is (left, top). Rows that the data does not
// hold in full are padded with blank bytes.
void drawglyph(const display::Surface& s, int64_t left, int64_t top, const t_Font& font,
               const GlyphSource& glyph, const display::BlendTable& blend) {
    int64_t cellwidth = font.Width, cellheight = font.Height;
    int64_t whole = std::min(cellheight, glyph.available / glyph.width);
    s.blend(left, top, {glyph.data, glyph.width, cellwidth, whole}, blend);
    std::vector<uint8_t> padded;
    for (int64_t r = whole; r < cellheight; ++r) {
        int64_t offset = r * glyph.width;
        padded.assign(static_cast<size_t>(cellwidth), 0);
        int64_t present = std::clamp<int64_t>(glyph.available - offset, 0, cellwidth);
        std::copy_n(glyph.data + offset, present, padded.begin());
        s.blend(left, top + r, {padded.data(), 0, cellwidth, 1}, blend);
    }
}

// Whether count cells of the given size fit into size pixels; a font's cell size can be anything,
// so the product must not overflow.
bool cellfits(int64_t size, int64_t cell, int64_t count) {
    int64_t needed = 0;
    return count <= size && !__builtin_mul_overflow(cell, count, &needed) && needed <= size;
}

std::string prefix(uint8_t n) {
    return "t_PrintSymbol: Window #" + std::to_string(n);
}

// Whether rows top ... top + height − 1 of window n hold only the zeros of its clearing.
bool blankrows(uint8_t n, int64_t top, int64_t height) {
    display::Rows written = display::writtenrows(n);
    return written.empty() || top + height <= written.first || top >= written.first + written.count;
}

// A glyph without ink in a background of 0 bytes leaves rows that hold only zeros as they are:
// not drawing it keeps their pages unbacked.
bool drawnalready(uint8_t n, int64_t top, int64_t height, const GlyphSource& glyph,
                  const display::BlendTable& blend) {
    const auto& background = blend.value[0];
    const auto zero = [](uint8_t b) { return b == 0; };
    return blankrows(n, top, height) && std::all_of(background.begin(), background.end(), zero) &&
           std::all_of(glyph.data, glyph.data + glyph.available, zero);
}

// Draws c if the font can, marking the rows it changed, and says whether it did; logs why not
// otherwise. A depth without a pixel layout draws nothing, and the cell is still recorded.
bool drawcharacter(uint8_t n, const display::t_Window& w, uint8_t c, uint8_t foreground,
                   uint8_t background, int64_t x, int64_t y) {
    const t_Font& font = w.Font;
    if (c < font.Start || c > font.End) {
        return false;
    }
    if (font.Format != t_Font::Grey) {
        bool known = font.Format == t_Font::Monochrome ||
                     font.Format == t_Font::CompressedMonochrome ||
                     font.Format == t_Font::CompressedGrey;
        base::logline(
            known ? "t_PrintSymbol: Font format must be uncompressed grey for text-printing."
                  : "t_PrintSymbol: Illegal font format.");
        return false;
    }
    if (font.Width < 1 || font.Height < 1) {
        return false; // an empty cell has nothing to draw
    }
    display::Surface s = display::surfaceof(w);
    if (s.pixels == nullptr) {
        return true;
    }
    const int64_t top = font.Height * (y - 1);
    const GlyphSource glyph = glyphof(font, c);
    const display::BlendTable& blend = display::blendtable(foreground, background, s.depth);
    if (!drawnalready(n, top, font.Height, glyph, blend)) {
        drawglyph(s, font.Width * (x - 1), top, font, glyph, blend);
        display::markrows(n, top, font.Height);
    }
    return true;
}

// Records the cell; false when it lies outside the grid (a font of another cell size can reach
// pixels there).
bool recordcell(const display::t_Window& w, uint8_t c, uint8_t colour, int64_t x, int64_t y) {
    int64_t index = cellindex(w, x, y);
    if (index < 0) {
        return false;
    }
    uint8_t* characters = display::videomemory() + w.TextMemoryStart;
    characters[index] = c;
    characters[index + attributeoffset(w)] = colour;
    return true;
}

bool legalcell(const display::t_Window& w, int64_t x, int64_t y) {
    return x >= 1 && y >= 1 && cellfits(w.Width, w.Font.Width, x) &&
           cellfits(w.Height, w.Font.Height, y);
}

// A run of cells can be filled by copying its first cell's bytes when every cell covers whole
// bytes that the glyph writes completely: not at depths 16 and 32, whose first byte of each pixel
// the glyph leaves alone, nor where cells of depths 1 and 4 start within a byte.
bool copyablecells(const display::t_Window& w, const display::Surface& s) {
    int64_t depth = s.depth, width = w.Font.Width;
    if (s.pixels == nullptr || width < 1 || w.Font.Height < 1) {
        return false; // nothing drawn, or empty cells
    }
    return depth == 8 || depth == 24 || (depth == 4 && width % 2 == 0) ||
           (depth == 1 && width % 8 == 0);
}

// Copies the pixels of cell first of line y into cells first + 1 ... last.
void copypixels(uint8_t n, const display::t_Window& w, const display::Surface& s, int64_t first,
                int64_t last, int64_t y) {
    int64_t fontwidth = w.Font.Width, fontheight = w.Font.Height;
    int64_t cellbytes = fontwidth * s.depth / 8;
    int64_t runbytes = (last - first + 1) * cellbytes;
    int64_t left = fontwidth * (first - 1) * s.depth / 8;
    for (int64_t r = 0; r < fontheight; ++r) {
        uint8_t* row = s.row(fontheight * (y - 1) + r) + left;
        // Doubling: each copy takes what is filled so far.
        for (int64_t filled = cellbytes; filled < runbytes; filled *= 2) {
            std::memcpy(row + filled, row,
                        static_cast<size_t>(std::min(filled, runbytes - filled)));
        }
    }
    display::markrows(n, fontheight * (y - 1), fontheight);
}

// Copies cell first of line y into cells first + 1 ... last, pixels and text block alike. When
// the first cell left its rows blank (drawnalready), so would the others.
void copycell(uint8_t n, const display::t_Window& w, const display::Surface& s, int64_t first,
              int64_t last, int64_t y) {
    display::VideoLock guard(display::videolock());
    if (!blankrows(n, w.Font.Height * (y - 1), w.Font.Height)) {
        copypixels(n, w, s, first, last, y);
    }
    uint8_t* characters = display::videomemory() + w.TextMemoryStart + cellindex(w, first, y);
    int64_t offset = attributeoffset(w);
    std::memset(characters + 1, characters[0], static_cast<size_t>(last - first));
    std::memset(characters + offset + 1, characters[offset], static_cast<size_t>(last - first));
}

} // namespace

bool printsymbol(uint8_t n, uint8_t c, uint8_t k, int64_t x, int64_t y) {
    const display::t_Window* found = display::numberedwindow("t_PrintSymbol", n);
    if (found == nullptr || !routedtowindow("t_PrintSymbol", n, *found, c)) {
        return false;
    }
    const display::t_Window& w = *found;
    if (w.Font.Data.empty()) {
        display::lognotinitialized("t_PrintSymbol", n);
        return false;
    }
    bool inverse = w.TextInverse;
    uint8_t foreground = inverse ? (k & 15) : (k >> 4);
    uint8_t background = inverse ? (k >> 4) : (k & 15);
    if (!legalcell(w, x, y)) {
        base::logline(prefix(n) + " illegal coordinates (x = " + std::to_string(x) +
                      ", y = " + std::to_string(y) + ").");
        return false;
    }
    display::VideoLock guard(display::videolock());
    bool drawn = drawcharacter(n, w, c, foreground, background, x, y);
    bool recorded = recordcell(w, c, static_cast<uint8_t>(foreground << 4 | background), x, y);
    return drawn && recorded;
}

void printrun(uint8_t n, uint8_t c, uint8_t k, int64_t first, int64_t last, int64_t y) {
    if (first > last) {
        return;
    }
    if (printsymbol(n, c, k, first, y) && last > first) {
        // The window, its font and the first cell passed every check.
        const display::t_Window& w = display::windowrecord(n);
        display::Surface s = display::surfaceof(w);
        if (copyablecells(w, s) && legalcell(w, last, y) && cellindex(w, last, y) >= 0) {
            copycell(n, w, s, first, last, y);
            return;
        }
    }
    for (int64_t x = first + 1; x <= last; ++x) {
        printsymbol(n, c, k, x, y);
    }
}

} // namespace text

void t_PrintSymbol(uint8_t n, uint8_t c, uint8_t k, int64_t x, int64_t y) {
    text::printsymbol(n, c, k, x, y);
}
