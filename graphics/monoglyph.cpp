#include "graphics/monoglyph.h"

#include "graphics/pixelaccess.h"

#include <algorithm>
#include <vector>

uint64_t monorow(const t_Font& font, uint8_t c, int64_t r) {
    int64_t rowbytes = (font.Width + 7) / 8;
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

void drawmonoglyph(const Canvas& canvas, const GlyphPlacement& place, const t_Font& font, uint8_t c,
                   const Pen& foreground, const Pen& background, int64_t mode) {
    std::vector<uint64_t> rows(static_cast<size_t>(std::max<int64_t>(place.rows, 0)));
    for (int64_t r = 0; r < place.rows; ++r) {
        rows[r] = monorow(font, c, r);
    }
    forglyphblocks(canvas, place, [&](int64_t r, int64_t i, Span xs, Span ys) {
        bool set = i < 64 && (rows[r] >> i & 1);
        const Pen& pen = set ? foreground : background;
        for (int64_t y = ys.from; y < ys.to; ++y) {
            for (int64_t x = xs.from; x < xs.to; ++x) {
                putpixel(canvas, x, y, pen, mode);
            }
        }
    });
}
