#include "text/printsymbol.h"

#include "base/log.h"
#include "display/blend.h"
#include "display/windowchanges.h"
#include "quorvinthal/toolkit.h"
#include "text/textchecks.h"
#include "unicode/strings.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

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

// Calls write(y, bytes) for every pixel row of the cell with the cell width's glyph bytes of
// that row. Rows that the data does not hold in full are padded with blank bytes.
template <typename WriteRow>
void eachglyphrow(const CellTarget& t, const GlyphSource& glyph, WriteRow write) {
    std::vector<uint8_t> padded;
    for (int64_t r = 0; r < t.cellheight; ++r) {
        int64_t offset = r * glyph.width;
        if (offset + t.cellwidth <= glyph.available) {
            write(t.top + r, glyph.data + offset);
            continue;
        }
        padded.assign(static_cast<size_t>(t.cellwidth), 0);
        int64_t present = std::clamp<int64_t>(glyph.available - offset, 0, t.cellwidth);
        std::copy_n(glyph.data + offset, present, padded.begin());
        write(t.top + r, padded.data());
    }
}

using BlendValues = std::array<std::array<uint8_t, 4>, 256>;

// A row of 3-byte pixels. Each pixel is stored as a 32-bit word whose last byte the next pixel
// overwrites; only the row's last pixel is stored byte-exact, so nothing beyond the row changes.
// Kept out of line, where the loop has the registers to itself.
[[gnu::noinline]] void writergbrow(uint8_t* row, const uint8_t* bytes, int64_t count,
                                   const BlendValues& v) {
    for (int64_t s = 0; s + 1 < count; ++s) {
        std::memcpy(row + 3 * s, v[bytes[s]].data(), 4);
    }
    if (count > 0) {
        std::memcpy(row + 3 * (count - 1), v[bytes[count - 1]].data(), 3);
    }
}

// A row of 4-byte pixels whose Alpha byte stays.
[[gnu::noinline]] void writexrgbrow(uint8_t* row, const uint8_t* bytes, int64_t count,
                                    const BlendValues& v) {
    for (int64_t s = 0; s < count; ++s) {
        std::memcpy(row + 4 * s + 1, v[bytes[s]].data(), 3);
    }
}

void drawglyph(const CellTarget& t, const GlyphSource& glyph, const display::BlendTable& blend) {
    uint8_t* block = t.block;
    int64_t width = t.width, left = t.left, cells = t.cellwidth;
    const auto& v = blend.value;
    switch (t.depth) {
    case 1:
        eachglyphrow(t, glyph, [&](int64_t y, const uint8_t* bytes) {
            for (int64_t s = 0; s < cells; ++s) {
                int64_t x = left + s;
                uint8_t& byte = block[y * (width / 8) + x / 8];
                uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
                byte = v[bytes[s]][0] ? (byte | bit) : (byte & ~bit);
            }
        });
        break;
    case 4:
        eachglyphrow(t, glyph, [&](int64_t y, const uint8_t* bytes) {
            for (int64_t s = 0; s < cells; ++s) {
                int64_t x = left + s;
                uint8_t& byte = block[y * (width / 2) + x / 2];
                uint8_t p = v[bytes[s]][0];
                byte = x % 2 == 0 ? static_cast<uint8_t>((byte & 0x0F) | p << 4)
                                  : static_cast<uint8_t>((byte & 0xF0) | p);
            }
        });
        break;
    case 8:
        eachglyphrow(t, glyph, [&](int64_t y, const uint8_t* bytes) {
            uint8_t* row = block + y * width + left;
            for (int64_t s = 0; s < cells; ++s) {
                row[s] = v[bytes[s]][0];
            }
        });
        break;
    case 16:
        eachglyphrow(t, glyph, [&](int64_t y, const uint8_t* bytes) {
            uint8_t* row = block + 2 * (y * width + left) + 1;
            for (int64_t s = 0; s < cells; ++s) {
                row[2 * s] = v[bytes[s]][0];
            }
        });
        break;
    case 24:
        eachglyphrow(t, glyph, [&](int64_t y, const uint8_t* bytes) {
            writergbrow(block + 3 * (y * width + left), bytes, cells, v);
        });
        break;
    case 32:
        eachglyphrow(t, glyph, [&](int64_t y, const uint8_t* bytes) {
            writexrgbrow(block + 4 * (y * width + left), bytes, cells, v);
        });
        break;
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
    base::writeoutput(unicode::scalartext(c));
}

std::string prefix(uint8_t n) {
    return "t_PrintSymbol: Window #" + std::to_string(n);
}

// Draws c if the font can and says whether it did; logs why not otherwise.
bool drawcharacter(const display::t_Window& w, uint8_t c, uint8_t foreground, uint8_t background,
                   int64_t x, int64_t y) {
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
    CellTarget target{display::videomemory() + w.MemoryStart,
                      w.Width,
                      w.BitDepth,
                      font.Width * (x - 1),
                      font.Height * (y - 1),
                      font.Width,
                      font.Height};
    drawglyph(target, glyphof(font, c), display::blendtable(foreground, background, w.BitDepth));
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
bool copyablecells(const display::t_Window& w) {
    int64_t depth = w.BitDepth, width = w.Font.Width;
    if (width < 1 || w.Font.Height < 1) {
        return false; // empty cells draw nothing
    }
    return depth == 8 || depth == 24 || (depth == 4 && width % 2 == 0) ||
           (depth == 1 && width % 8 == 0);
}

// Copies cell first of line y into cells first + 1 ... last, pixels and text block alike.
void copycell(uint8_t n, const display::t_Window& w, int64_t first, int64_t last, int64_t y) {
    int64_t depth = w.BitDepth, fontwidth = w.Font.Width, fontheight = w.Font.Height;
    int64_t cellbytes = fontwidth * depth / 8, rowbytes = w.Width * depth / 8;
    int64_t runbytes = (last - first + 1) * cellbytes;
    uint8_t* memory = display::videomemory();
    uint8_t* start = memory + w.MemoryStart + fontheight * (y - 1) * rowbytes +
                     fontwidth * (first - 1) * depth / 8;
    display::VideoLock guard(display::videolock());
    for (int64_t r = 0; r < fontheight; ++r) {
        uint8_t* row = start + r * rowbytes;
        // Doubling: each copy takes what is filled so far.
        for (int64_t filled = cellbytes; filled < runbytes; filled *= 2) {
            std::memcpy(row + filled, row,
                        static_cast<size_t>(std::min(filled, runbytes - filled)));
        }
    }
    uint8_t* characters = memory + w.TextMemoryStart + cellindex(w, first, y);
    int64_t offset = attributeoffset(w);
    std::memset(characters + 1, characters[0], static_cast<size_t>(last - first));
    std::memset(characters + offset + 1, characters[offset], static_cast<size_t>(last - first));
    display::markrows(n, fontheight * (y - 1), fontheight);
}

} // namespace

bool printsymbol(uint8_t n, uint8_t c, uint8_t k, int64_t x, int64_t y) {
    if (n >= t_GraphicWindows) {
        base::logline("t_PrintSymbol: Window is not a graphic window.");
        return false;
    }
    if (!display::memoryready()) {
        base::logline(prefix(n) + " not initialized.");
        return false;
    }
    const display::t_Window& w = display::windowrecord(n);
    int64_t redirect = w.TextRedirectOutput;
    if (!w.Initialized || w.TextMemoryStart < 0) {
        if (redirect == t_OutputStdout) {
            writetooutput(c);
        } else if (redirect == t_OutputWindow) {
            base::logline(prefix(n) + " not initialized.");
        }
        return false;
    }
    if (redirect != t_OutputWindow) {
        if (redirect == t_OutputStdout) {
            writetooutput(c);
        }
        return false;
    }
    if (w.Font.Data.empty()) {
        base::logline(prefix(n) + " not initialized.");
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
    bool drawn = drawcharacter(w, c, foreground, background, x, y);
    bool recorded = recordcell(w, c, static_cast<uint8_t>(foreground << 4 | background), x, y);
    display::markrows(n, w.Font.Height * (y - 1), w.Font.Height);
    return drawn && recorded;
}

void printrun(uint8_t n, uint8_t c, uint8_t k, int64_t first, int64_t last, int64_t y) {
    if (first > last) {
        return;
    }
    bool copyable = printsymbol(n, c, k, first, y) && last > first;
    if (copyable) { // the window, its font and the first cell passed every check
        const display::t_Window& w = display::windowrecord(n);
        copyable = copyablecells(w) && legalcell(w, last, y) && cellindex(w, last, y) >= 0;
    }
    if (copyable) {
        copycell(n, display::windowrecord(n), first, last, y);
        return;
    }
    for (int64_t x = first + 1; x <= last; ++x) {
        printsymbol(n, c, k, x, y);
    }
}

} // namespace text

void t_PrintSymbol(uint8_t n, uint8_t c, uint8_t k, int64_t x, int64_t y) {
    text::printsymbol(n, c, k, x, y);
}

void t_RedirectOutput(uint8_t n, int64_t target) {
    if (text::windowcommandready("t_RedirectOutput", n)) {
        display::windowrecord(n).TextRedirectOutput = target;
    }
}
