#include "display/surface.h"

#include "display/pixelformats.h"
#include "display/videomemory.h"

namespace display {

namespace {

// The rows of a glyph in one call: the row loop keeps its values in registers, which a call per
// row through the table would make it reload.
template <typename Format>
void blendrows(uint8_t* row, int64_t rowbytes, int64_t x, const GlyphRows& glyph,
               const BlendValues& values) {
    const uint8_t* bytes = glyph.bytes;
    const int64_t stride = glyph.stride, count = glyph.count, rows = glyph.rows;
    for (int64_t r = 0; r < rows; ++r, row += rowbytes, bytes += stride) {
        Format::blend(row, x, bytes, count, values);
    }
}

template <typename Format>
constexpr DepthRoutines routinesof{Format::put, Format::get, blendrows<Format>, Format::convert};

} // namespace

const DepthRoutines* depthroutines(int64_t depth) {
    return visitdepth(
        depth, []<typename Format>(Format) { return &routinesof<Format>; },
        []() -> const DepthRoutines* { return nullptr; });
}

bool drawabledepth(int64_t depth) {
    return depthroutines(depth) != nullptr;
}

int64_t rowbytes(int64_t depth, int64_t width) {
    return width * depth / 8;
}

int64_t blockbytes(int64_t depth, int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    int64_t bits = 0, rows = 0, bytes = 0;
    if (__builtin_mul_overflow(width, depth, &bits) ||
        __builtin_mul_overflow(height - 1, bits / 8, &rows) ||
        __builtin_add_overflow(rows, bits / 8 + (bits % 8 != 0 ? 1 : 0), &bytes)) {
        return -1;
    }
    return bytes;
}

Surface surfaceof(const t_Window& w) {
    Surface s{nullptr, w.Width, w.Height, w.BitDepth, 0, depthroutines(w.BitDepth)};
    int64_t start = w.MemoryStart, end = w.MemoryEnd;
    if (s.routines == nullptr || s.width <= 0 || s.height <= 0 || start < 0 ||
        end >= videomemorylength()) {
        return s;
    }
    int64_t bytes = blockbytes(s.depth, s.width, s.height);
    if (bytes < 0 || bytes > end - start + 1) {
        return s;
    }
    s.rowbytes = rowbytes(s.depth, s.width);
    s.pixels = videomemory() + start;
    return s;
}

} // namespace display
