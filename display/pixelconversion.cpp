#include "display/pixelconversion.h"

#include "display/palette.h"

#include <array>
#include <cstring>

namespace {

constexpr uint32_t opaque = 0xFF000000u;

uint32_t argb(uint8_t r, uint8_t g, uint8_t b) {
    return opaque | uint32_t{r} << 16 | uint32_t{g} << 8 | uint32_t{b};
}

uint32_t palettepixel(int index) {
    const Palette& p = palette();
    return argb(p.Red[index], p.Green[index], p.Blue[index]);
}

// Both pixels of a depth-4 byte, high nibble first, as one table entry.
struct NibblePairs {
    std::array<std::array<uint32_t, 2>, 256> pairs;
    NibblePairs() {
        for (int byte = 0; byte < 256; ++byte) {
            pairs[byte] = {palettepixel(byte >> 4), palettepixel(byte & 15)};
        }
    }
};

// Eight pixels of a depth-1 byte, most significant bit leftmost.
struct BitOctets {
    std::array<std::array<uint32_t, 8>, 256> octets;
    BitOctets() {
        for (int byte = 0; byte < 256; ++byte) {
            for (int bit = 0; bit < 8; ++bit) {
                octets[byte][bit] = palettepixel((byte >> (7 - bit)) & 1 ? 15 : 0);
            }
        }
    }
};

} // namespace

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
    for (int64_t i = 0; i < count; ++i) {
        target[i] = opaque | uint32_t{source[i]} * 0x010101u;
    }
}

void convertdepth16(const uint8_t* source, uint32_t* target, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        target[i] = opaque | uint32_t{source[2 * i + 1]} * 0x010101u;
    }
}

void convertdepth24(const uint8_t* source, uint32_t* target, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t* p = source + 3 * i;
        target[i] = argb(p[0], p[1], p[2]);
    }
}

void convertdepth32(const uint8_t* source, uint32_t* target, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t* p = source + 4 * i;
        target[i] = argb(p[1], p[2], p[3]);
    }
}

bool convertpixels(int64_t depth, const uint8_t* source, uint32_t* target, int64_t count) {
    switch (depth) {
    case 1:
        convertdepth1(source, target, count);
        return true;
    case 4:
        convertdepth4(source, target, count);
        return true;
    case 8:
        convertdepth8(source, target, count);
        return true;
    case 16:
        convertdepth16(source, target, count);
        return true;
    case 24:
        convertdepth24(source, target, count);
        return true;
    case 32:
        convertdepth32(source, target, count);
        return true;
    default:
        return false;
    }
}
