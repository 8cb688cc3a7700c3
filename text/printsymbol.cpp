// t_PrintSymbol: one character drawn into a text cell; t_RedirectOutput.
#include "core/log.h"
#include "display/blend.h"
#include "quorvinthal/toolkit.h"
#include "text/textchecks.h"
#include "unicode/strings.h"

#include <cstring>
#include <string>

namespace text {

namespace {

// One cell's geometry in the graphic block.
struct CellTarget {
    uint8_t* block;    // first byte of the graphic block
    int64_t width;     // window width in pixels
    int64_t depth;     // bits per pixel
    int64_t left, top; // pixel position of the cell
    int64_t cellwidth, cellheight;
};

// The glyph byte at row r, column s; glyph data shorter than the font claims reads as blank.
struct GlyphSource {
    const uint8_t* data;
    int64_t available; // bytes of this glyph present in the data
    int64_t width;
    int byteat(int64_t r, int64_t s) const {
        int64_t offset = r * width + s;
        return offset < available ? data[offset] : 0;
    }
};

GlyphSource glyphof(const t_Font& font, uint8_t c) {
    int64_t glyphsize = font.Width * font.Height;
    int64_t offset = int64_t{c} * glyphsize;
    int64_t size = static_cast<int64_t>(font.Data.size());
    int64_t available = offset < size ? std::min(glyphsize, size - offset) : 0;
    return GlyphSource{font.Data.data() + (available > 0 ? offset : 0), available, font.Width};
}

template <typename WritePixel>
void eachglyphpixel(const CellTarget& t, const GlyphSource& glyph, WritePixel write) {
    for (int64_t r = 0; r < t.cellheight; ++r) {
        for (int64_t s = 0; s < t.cellwidth; ++s) {
            write(t.left + s, t.top + r, glyph.byteat(r, s));
        }
    }
}

void drawglyph(const CellTarget& t, const GlyphSource& glyph, const display::BlendTable& blend) {
    uint8_t* block = t.block;
    int64_t width = t.width;
    const auto& v = blend.value;
    switch (t.depth) {
    case 1:
        eachglyphpixel(t, glyph, [&](int64_t px, int64_t py, int g) {
            uint8_t& byte = block[py * (width / 8) + px / 8];
            uint8_t bit = static_cast<uint8_t>(0x80 >> (px % 8));
            byte = v[g][0] ? (byte | bit) : (byte & ~bit);
        });
        break;
    case 4:
        eachglyphpixel(t, glyph, [&](int64_t px, int64_t py, int g) {
            uint8_t& byte = block[py * (width / 2) + px / 2];
            uint8_t p = v[g][0];
            byte = px % 2 == 0 ? static_cast<uint8_t>((byte & 0x0F) | p << 4)
                               : static_cast<uint8_t>((byte & 0xF0) | p);
        });
        break;
    case 8:
        eachglyphpixel(t, glyph,
                       [&](int64_t px, int64_t py, int g) { block[py * width + px] = v[g][0]; });
        break;
    case 16:
        eachglyphpixel(t, glyph, [&](int64_t px, int64_t py, int g) {
            block[py * 2 * width + 2 * px + 1] = v[g][0];
        });
        break;
    case 24:
    case 32: {
        int64_t bytes = t.depth / 8, skip = t.depth == 32 ? 1 : 0;
        eachglyphpixel(t, glyph, [&](int64_t px, int64_t py, int g) {
            std::memcpy(block + py * bytes * width + bytes * px + skip, v[g].data(), 3);
        });
        break;
    }
    default:
        break; // no drawing rule; the cell is still recorded
    }
}

// Whether count cells of the given size fit into size pixels; a font's cell size can be anything,
// so the product must not overflow.
bool cellfits(int64_t size, int64_t cell, int64_t count) {
    int64_t needed = 0;
    return count <= size && !__builtin_mul_overflow(cell, count, &needed) && needed <= size;
}

void writetooutput(uint8_t c) {
    core::writeoutput(unicode::scalartext(c));
}

std::string prefix(uint8_t n) {
    return "t_PrintSymbol: Window #" + std::to_string(n);
}

// Draws c if the font can; logs why not otherwise.
void drawcharacter(const display::t_Window& w, uint8_t c, uint8_t foreground, uint8_t background,
                   int64_t x, int64_t y) {
    const t_Font& font = w.Font;
    if (c < font.Start || c > font.End) {
        return;
    }
    if (font.Format != t_Font::Grey) {
        bool known = font.Format == t_Font::Monochrome ||
                     font.Format == t_Font::CompressedMonochrome ||
                     font.Format == t_Font::CompressedGrey;
        core::logline(
            known ? "t_PrintSymbol: Font format must be uncompressed grey for text-printing."
                  : "t_PrintSymbol: Illegal font format.");
        return;
    }
    if (font.Width < 1 || font.Height < 1) {
        return; // an empty cell has nothing to draw
    }
    CellTarget target{display::videomemory() + w.MemoryStart,
                      w.Width,
                      w.BitDepth,
                      font.Width * (x - 1),
                      font.Height * (y - 1),
                      font.Width,
                      font.Height};
    drawglyph(target, glyphof(font, c), display::blendtable(foreground, background, w.BitDepth));
}

void recordcell(const display::t_Window& w, uint8_t c, uint8_t colour, int64_t x, int64_t y) {
    int64_t index = cellindex(w, x, y);
    if (index < 0) {
        return; // a font of another cell size can reach pixels outside the text grid
    }
    uint8_t* characters = display::videomemory() + w.TextMemoryStart;
    characters[index] = c;
    characters[index + attributeoffset(w)] = colour;
}

} // namespace

} // namespace text

void t_PrintSymbol(uint8_t n, uint8_t c, uint8_t k, int64_t x, int64_t y) {
    if (n >= display::graphicwindowcount) {
        core::logline("t_PrintSymbol: Window is not a graphic window.");
        return;
    }
    if (!display::memoryready()) {
        core::logline(text::prefix(n) + " not initialized.");
        return;
    }
    const display::t_Window& w = display::windowrecord(n);
    int64_t redirect = w.TextRedirectOutput;
    if (!w.Initialized || w.TextMemoryStart < 0) {
        if (redirect == 2) {
            text::writetooutput(c);
        } else if (redirect == 1) {
            core::logline(text::prefix(n) + " not initialized.");
        }
        return;
    }
    if (redirect != 1) {
        if (redirect == 2) {
            text::writetooutput(c);
        }
        return;
    }
    if (w.Font.Data.empty()) {
        core::logline(text::prefix(n) + " not initialized.");
        return;
    }
    bool inverse = w.TextInverse;
    uint8_t foreground = inverse ? (k & 15) : (k >> 4);
    uint8_t background = inverse ? (k >> 4) : (k & 15);
    if (x < 1 || y < 1 || !text::cellfits(w.Width, w.Font.Width, x) ||
        !text::cellfits(w.Height, w.Font.Height, y)) {
        core::logline(text::prefix(n) + " illegal coordinates (x = " + std::to_string(x) +
                      ", y = " + std::to_string(y) + ").");
        return;
    }
    display::VideoLock guard(display::videolock());
    text::drawcharacter(w, c, foreground, background, x, y);
    text::recordcell(w, c, static_cast<uint8_t>(foreground << 4 | background), x, y);
}

void t_RedirectOutput(uint8_t n, int64_t target) {
    if (text::windowcommandready("t_RedirectOutput", n)) {
        display::windowrecord(n).TextRedirectOutput = target;
    }
}
