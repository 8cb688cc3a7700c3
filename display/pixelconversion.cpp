#include "display/pixelconversion.h"

#include "display/surface.h"
#include "quorvinthal/toolkit.h"

#include <array>
#include <atomic>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace display {

namespace {

constexpr uint32_t opaque = 0xFF000000u;

std::atomic<bool> simdallowed{true};

uint32_t argb(uint8_t r, uint8_t g, uint8_t b) {
    return opaque | uint32_t{r} << 16 | uint32_t{g} << 8 | uint32_t{b};
}

// Pixel x of a one-byte row of a packed depth, read by the depth's own pixel format: the order of
// the pixels in a byte is written there only.
template <typename Format> uint32_t packedpixel(uint8_t byte, int64_t x) {
    const t_RGBColor c = Format::get(&byte, x);
    return argb(c.Red, c.Green, c.Blue);
}

// Both pixels of a depth-4 byte as one table entry.
struct NibblePairs {
    std::array<std::array<uint32_t, 2>, 256> pairs;
    NibblePairs() {
        for (int byte = 0; byte < 256; ++byte) {
            for (int x = 0; x < 2; ++x) {
                pairs[byte][x] = packedpixel<PixelFormat<4>>(static_cast<uint8_t>(byte), x);
            }
        }
    }
};

// The eight pixels of a depth-1 byte.
struct BitOctets {
    std::array<std::array<uint32_t, 8>, 256> octets;
    BitOctets() {
        for (int byte = 0; byte < 256; ++byte) {
            for (int x = 0; x < 8; ++x) {
                octets[byte][x] = packedpixel<PixelFormat<1>>(static_cast<uint8_t>(byte), x);
            }
        }
    }
};

// Byte shuffles that turn four source pixels into four 0xAARRGGBB words (little-endian bytes
// B, G, R, A; -1 gives 0, the alpha byte is set afterwards).
using ShuffleMask = std::array<int8_t, 16>;
constexpr ShuffleMask shufflergb = {2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1};
constexpr ShuffleMask shufflexrgb = {3, 2, 1, -1, 7, 6, 5, -1, 11, 10, 9, -1, 15, 14, 13, -1};
constexpr ShuffleMask shufflegrey8 = {0, 0, 0, -1, 1, 1, 1, -1, 2, 2, 2, -1, 3, 3, 3, -1};
constexpr ShuffleMask shufflegrey16 = {1, 1, 1, -1, 3, 3, 3, -1, 5, 5, 5, -1, 7, 7, 7, -1};

#if defined(__x86_64__) || defined(__i386__)
// The loop starts a 64-byte line: split over two lines of the processor's op cache it converted a
// 1280 x 800 frame at depth 24 1.6 times slower. Clang has no such attribute.
#if defined(__clang__)
#define SHUFFLELOOP __attribute__((target("ssse3")))
#else
#define SHUFFLELOOP __attribute__((target("ssse3"), optimize("align-loops=64")))
#endif
SHUFFLELOOP int64_t shufflessse3(const uint8_t* source, uint32_t* target, int64_t count,
                                 int64_t bytes, const ShuffleMask& mask) {
    const __m128i shuffle = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask.data()));
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(opaque));
    int64_t i = 0;
    // Each step reads 16 bytes, which may reach past the four pixels it converts.
    for (; bytes * i + 16 <= bytes * count; i += 4) {
        __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + bytes * i));
        __m128i out = _mm_or_si128(_mm_shuffle_epi8(in, shuffle), alpha);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), out);
    }
    return i;
}
#endif

// Converts as many whole groups of four pixels as the processor's byte shuffle allows and
// returns how many pixels it did; the caller converts the rest.
int64_t shuffleconvert(const uint8_t* source, uint32_t* target, int64_t count, int64_t bytes,
                       const ShuffleMask& mask) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3 && simdallowed.load(std::memory_order_relaxed)) {
        return shufflessse3(source, target, count, bytes, mask);
    }
#endif
    (void)source, (void)target, (void)count, (void)bytes, (void)mask;
    return 0;
}

} // namespace

void usesimdconversion(bool allowed) {
    simdallowed.store(allowed, std::memory_order_relaxed);
}

void convertdepth1(const uint8_t* source, uint32_t* target, int64_t count) {
    static const BitOctets table;
    int64_t whole = count / 8;
    for (int64_t i = 0; i < whole; ++i) {
        std::memcpy(target + 8 * i, table.octets[source[i]].data(), 8 * sizeof(uint32_t));
    }
    for (int64_t x = whole * 8; x < count; ++x) {
        target[x] = table.octets[source[x / 8]][x % 8];
    }
}

void convertdepth4(const uint8_t* source, uint32_t* target, int64_t count) {
    static const NibblePairs table;
    int64_t whole = count / 2;
    for (int64_t i = 0; i < whole; ++i) {
        std::memcpy(target + 2 * i, table.pairs[source[i]].data(), 2 * sizeof(uint32_t));
    }
    if (count % 2 != 0) {
        target[count - 1] = table.pairs[source[whole]][0];
    }
}

void convertdepth8(const uint8_t* source, uint32_t* target, int64_t count) {
    for (int64_t i = shuffleconvert(source, target, count, 1, shufflegrey8); i < count; ++i) {
        target[i] = opaque | uint32_t{source[i]} * 0x010101u;
    }
}

void convertdepth16(const uint8_t* source, uint32_t* target, int64_t count) {
    for (int64_t i = shuffleconvert(source, target, count, 2, shufflegrey16); i < count; ++i) {
        target[i] = opaque | uint32_t{source[2 * i + 1]} * 0x010101u;
    }
}

void convertdepth24(const uint8_t* source, uint32_t* target, int64_t count) {
    int64_t i = shuffleconvert(source, target, count, 3, shufflergb);
    for (; i < count; ++i) {
        const uint8_t* p = source + 3 * i;
        target[i] = argb(p[0], p[1], p[2]);
    }
}

void convertdepth32(const uint8_t* source, uint32_t* target, int64_t count) {
    int64_t i = shuffleconvert(source, target, count, 4, shufflexrgb);
    for (; i < count; ++i) {
        const uint8_t* p = source + 4 * i;
        target[i] = argb(p[1], p[2], p[3]);
    }
}

bool convertpixels(int64_t depth, const uint8_t* source, uint32_t* target, int64_t count) {
    const DepthRoutines* routines = depthroutines(depth);
    if (routines == nullptr) {
        return false;
    }
    routines->convert(source, target, count);
    return true;
}

} // namespace display
