#include "graphics/glyphscale.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t largest = std::numeric_limits<int64_t>::max();

// origin + value, held at the largest Int.
int64_t saturatedsum(int64_t origin, int64_t value) {
    int64_t sum = 0;
    return __builtin_add_overflow(origin, value, &sum) ? largest : sum;
}

} // namespace

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

int64_t glyphpixelsinside(const Canvas& c, const GlyphPlacement& g) {
    int64_t count = 0;
    forglyphblocks(c, g, [&](int64_t, int64_t, Span xs, Span ys) {
        count += (xs.to - xs.from) * (ys.to - ys.from);
    });
    return count;
}
