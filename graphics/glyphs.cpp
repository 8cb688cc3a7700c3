#include "graphics/glyphs.h"

#include "display/blend.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace graphics {

namespace {

constexpr int64_t largest = std::numeric_limits<int64_t>::max();

// origin + value, held at the largest int64_t.
int64_t saturatedsum(int64_t origin, int64_t value) {
    int64_t sum = 0;
    return __builtin_add_overflow(origin, value, &sum) ? largest : sum;
}

} // namespace

bool fitsbefore(int64_t origin, int64_t size, int64_t limit) {
    int64_t room = 0;
    // Only a negative size can overflow limit - size, and then any origin fits.
    return __builtin_sub_overflow(limit, size, &room) || origin <= room;
}

int64_t advanced(int64_t origin, int64_t count, int64_t scale) {
    int64_t product = 0;
    if (__builtin_mul_overflow(count, scale, &product)) {
        return largest;
    }
    return saturatedsum(origin, product);
}

Span scaledspan(int64_t origin, int64_t index, int64_t scale, int64_t limit) {
    int64_t from = advanced(origin, index, scale);
    int64_t to = saturatedsum(from, scale);
    return Span{std::max<int64_t>(from, 0), std::min(to, limit)};
}

int64_t glyphpixelsinside(const display::Surface& c, const GlyphPlacement& g) {
    int64_t count = 0;
    forglyphblocks(c, g, [&](int64_t, int64_t, Span xs, Span ys) {
        count += (xs.to - xs.from) * (ys.to - ys.from);
    });
    return count;
}

uint64_t monorow(const t_Font& font, uint8_t c, int64_t r) {
    int64_t rowbytes = (font.Width + 7) / 8;
    if (rowbytes < 1) {
        return 0; // a glyph without columns; its offsets could overflow
    }
    int64_t glyph = static_cast<uint8_t>(c - font.Start);
    int64_t start = (glyph * font.Height + r) * rowbytes;
    int64_t length = static_cast<int64_t>(font.Data.size());
    uint64_t bits = 0;
    for (int64_t b = std::max<int64_t>(rowbytes - 8, 0); b < rowbytes; ++b) {
        int64_t at = start + b;
        bits = bits << 8 | (at < length ? font.Data[at] : 0);
    }
    return bits;
}

namespace {

// The glyph bytes of row r repeated for each window pixel they cover inside the surface; the
// first of them lands at x = from.
void greyrow(const display::Surface& s, const GlyphPlacement& g, const t_Font& font, uint8_t c,
             int64_t r, std::vector<uint8_t>& bytes, int64_t& from) {
    bytes.clear();
    for (int64_t i = 0; i < g.columns; ++i) {
        Span xs = scaledspan(g.x, i, g.scalex, s.width);
        if (xs.empty()) {
            continue;
        }
        if (bytes.empty()) {
            from = xs.from;
        }
        bytes.insert(bytes.end(), static_cast<size_t>(xs.to - xs.from), greybyte(font, c, r, i));
    }
}

display::RGB rgbof(t_RGBColor c) {
    return display::RGB{c.Red, c.Green, c.Blue};
}

} // namespace

namespace {

// The monochrome glyph in one pixel format, compiled for it: every glyph pixel is written on its
// own, so the pixel write is inlined instead of called through the surface's table.
template <typename Format>
void drawmonoin(const display::Surface& s, const GlyphPlacement& place,
                const std::vector<uint64_t>& rows, const display::Pen& foreground,
                const display::Pen& background, int64_t mode) {
    forglyphblocks(s, place, [&](int64_t r, int64_t i, Span xs, Span ys) {
        bool set = i < 64 && (rows[r] >> i & 1);
        const display::Pen& pen = set ? foreground : background;
        for (int64_t y = ys.from; y < ys.to; ++y) {
            uint8_t* row = s.row(y);
            for (int64_t x = xs.from; x < xs.to; ++x) {
                Format::put(row, x, pen, mode);
            }
        }
    });
}

} // namespace

void drawmonoglyph(const display::Surface& s, const GlyphPlacement& place, const t_Font& font,
                   uint8_t c, const display::Pen& foreground, const display::Pen& background,
                   int64_t mode) {
    std::vector<uint64_t> rows(static_cast<size_t>(std::max<int64_t>(place.rows, 0)));
    for (int64_t r = 0; r < place.rows; ++r) {
        rows[r] = monorow(font, c, r);
    }
    display::visitdepth(
        s.depth,
        [&]<typename Format>(Format) {
            drawmonoin<Format>(s, place, rows, foreground, background, mode);
        },
        [] {});
}

uint8_t greybyte(const t_Font& font, uint8_t c, int64_t r, int64_t i) {
    int64_t at = (c * font.Height + r) * font.Width + i;
    return at < static_cast<int64_t>(font.Data.size()) ? font.Data[at] : 0;
}

// Each glyph byte blends the foreground into the background as text cells do; depth 32 keeps its
// Alpha byte and depth 16 its first byte.
void drawgreyglyph(const display::Surface& s, const GlyphPlacement& place, const t_Font& font,
                   uint8_t c, t_RGBColor foreground, t_RGBColor background) {
    const display::BlendTable& table =
        display::blendtable(display::GlyphColours{rgbof(foreground), rgbof(background)}, s.depth);
    thread_local std::vector<uint8_t> bytes;
    for (int64_t r = 0; r < place.rows; ++r) {
        Span ys = scaledspan(place.y, r, place.scaley, s.height);
        if (ys.empty()) {
            continue;
        }
        int64_t from = 0;
        greyrow(s, place, font, c, r, bytes, from);
        int64_t count = static_cast<int64_t>(bytes.size());
        s.blend(from, ys.from, {bytes.data(), 0, count, count == 0 ? 0 : ys.to - ys.from}, table);
    }
}

} // namespace graphics
