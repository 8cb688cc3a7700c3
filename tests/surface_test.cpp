// Graphic blocks as surfaces: their sizes, the pixel routines of each depth, and the guarantee
// that a damaged window record gives a surface without pixels.
#include "display/blend.h"
#include "display/pixelconversion.h"
#include "display/surface.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/toolkit.h"

#include <climits>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
constexpr uint8_t filler = 0x5A;

// A surface over bytes of its own, each byte filler.
struct TestSurface {
    std::vector<uint8_t> bytes;
    display::Surface surface;
    TestSurface(int64_t depth, int64_t width, int64_t height)
        : bytes(static_cast<size_t>(display::blockbytes(depth, width, height)), filler),
          surface{bytes.data(),
                  width,
                  height,
                  depth,
                  display::rowbytes(depth, width),
                  display::depthroutines(depth)} {}
    // The bytes that are no longer filler, by offset.
    std::map<size_t, uint8_t> changed() const {
        std::map<size_t, uint8_t> bytesthere;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != filler) {
                bytesthere[i] = bytes[i];
            }
        }
        return bytesthere;
    }
};

using Changes = std::map<size_t, uint8_t>;

} // namespace

// Rows start on whole bytes; a width of depth 1 or 4 that is not a whole number of bytes shares
// its last byte with the next row. Sizes beyond 64 bits are refused.
TEST(Surface, RowAndBlockBytesOfEveryDepthAndWhereTheyOverflow) {
    struct Row {
        int64_t depth, width, height, row, block;
    };
    const Row rows[]{{1, 64, 32, 8, 256},
                     {1, 10, 3, 1, 4},
                     {4, 6, 2, 3, 6},
                     {4, 5, 2, 2, 5},
                     {8, 64, 32, 64, 2048},
                     {16, 3, 2, 6, 12},
                     {24, 3, 2, 9, 18},
                     {32, 3, 2, 12, 24},
                     {8, 0, 5, 0, 0},
                     {8, 5, -1, 5, 0},
                     {32, LLONG_MAX / 2, 2, -1, -1},
                     {8, int64_t{1} << 40, int64_t{1} << 40, int64_t{1} << 40, -1}};
    for (const Row& r : rows) {
        if (r.row >= 0) {
            EXPECT_EQ(display::rowbytes(r.depth, r.width), r.row) << r.depth << " " << r.width;
        }
        EXPECT_EQ(display::blockbytes(r.depth, r.width, r.height), r.block)
            << r.depth << " " << r.width << " x " << r.height;
    }
    for (int64_t depth : {1, 4, 8, 16, 24, 32}) {
        EXPECT_TRUE(display::drawabledepth(depth)) << depth;
    }
    for (int64_t depth : {-8, 0, 2, 3, 12, 64}) {
        EXPECT_FALSE(display::drawabledepth(depth)) << depth;
    }
}

// One pixel put at each depth changes exactly its own bits or bytes, and reads back as the
// colour the depth keeps.
TEST(Surface, APixelChangesOnlyItsOwnBitsAndReadsBack) {
    const display::Pen pen{t_RGBColor{0x11, 0x22, 0x33, 0x44}, 9, 0x55};
    struct Row {
        int64_t depth, x, y;
        Changes changes;
        t_RGBColor colour;
    };
    const Row rows[]{
        {1, 5, 1, {{1, 0x5E}}, t_PaletteColor(t_White)},
        {1, 0, 1, {{1, 0xDA}}, t_PaletteColor(t_White)},
        {4, 5, 1, {{6, 0x59}}, t_PaletteColor(9)},
        {4, 4, 1, {{6, 0x9A}}, t_PaletteColor(9)},
        {8, 5, 1, {{13, 0x55}}, {0, 0x55, 0x55, 0x55}},
        {16, 5, 1, {{26, 0x11}, {27, 0x55}}, {0x11, 0x55, 0x55, 0x55}},
        {24, 5, 1, {{39, 0x22}, {40, 0x33}, {41, 0x44}}, {0, 0x22, 0x33, 0x44}},
        {32, 5, 1, {{52, 0x11}, {53, 0x22}, {54, 0x33}, {55, 0x44}}, {0x11, 0x22, 0x33, 0x44}}};
    for (const Row& r : rows) {
        TestSurface t(r.depth, 8, 2);
        t.surface.put(r.x, r.y, pen, 0);
        EXPECT_EQ(t.changed(), r.changes) << "depth " << r.depth << " x " << r.x;
        EXPECT_EQ(t.surface.get(r.x, r.y), r.colour) << "depth " << r.depth << " x " << r.x;
    }
}

// Pixels of width bytes each, stride bytes apart from first on, every byte of pixel i value i.
Changes pixels(size_t first, size_t stride, size_t width, const std::vector<uint8_t>& values) {
    Changes changes;
    for (size_t i = 0; i < values.size(); ++i) {
        for (size_t b = 0; b < width; ++b) {
            changes[first + i * stride + b] = values[i];
        }
    }
    return changes;
}

// Glyph bytes 0, 128, 255, 128, 0, white on black, from x = 1 on: each depth writes its blend into
// those five pixels and leaves the bytes that are not theirs (depth 16's first byte, depth 32's
// Alpha, everything past the last pixel).
TEST(Surface, AGlyphRowBlendsIntoItsPixelsOnly) {
    const std::vector<uint8_t> glyph{0, 128, 255, 128, 0};
    const display::GlyphColours colours{{255, 255, 255}, {0, 0, 0}};
    const std::pair<int64_t, Changes> rows[]{
        {1, {{0, 0x3A}}},
        {4, {{0, 0x50}, {1, 0xAF}, {2, 0xA0}}},
        {8, pixels(1, 1, 1, glyph)},
        {16, pixels(3, 2, 1, glyph)},
        {24, pixels(3, 3, 3, glyph)},
        {32, pixels(5, 4, 3, glyph)},
    };
    for (const auto& [depth, changes] : rows) {
        TestSurface t(depth, 8, 2);
        t.surface.blend(1, 0, {glyph.data(), 0, 5, 1}, display::blendtable(colours, depth));
        EXPECT_EQ(t.changed(), changes) << "depth " << depth;
    }
}

// The last colour pair and depth are kept per thread: asking for another pair or another depth
// gives that pair's values, never the previous ones.
TEST(Surface, BlendTablesFollowTheirColoursAndDepth) {
    const display::GlyphColours red{{255, 0, 0}, {0, 0, 0}}, blue{{0, 0, 255}, {0, 0, 0}};
    using Entry = std::array<uint8_t, 4>;
    EXPECT_EQ(display::blendtable(red, 24).value[255], (Entry{255, 0, 0, 0}));
    EXPECT_EQ(display::blendtable(blue, 24).value[255], (Entry{0, 0, 255, 0}));
    EXPECT_EQ(display::blendtable(blue, 8).value[255], (Entry{85, 0, 0, 0}));
    EXPECT_EQ(display::blendtable(blue, 4).value[255], (Entry{t_Blue, 0, 0, 0}));
}

// Converting rows reads the bytes of those rows: each row of a surface converts as its bytes do.
TEST(Surface, RowsConvertFromTheirOwnBytes) {
    for (int64_t depth : depths) {
        TestSurface t(depth, 16, 3);
        for (size_t i = 0; i < t.bytes.size(); ++i) {
            t.bytes[i] = static_cast<uint8_t>(i * 37 + 11);
        }
        std::vector<uint32_t> rows(32), expected(32);
        t.surface.convert(1, 2, rows.data());
        ASSERT_TRUE(display::convertpixels(depth, t.surface.row(1), expected.data(), 32));
        EXPECT_EQ(rows, expected) << "depth " << depth;
    }
}

// A record whose depth has no layout, whose block is too small or lies outside video memory, or
// whose size is not positive gives a surface without pixels; one byte more and it has them.
TOOLKIT_TEST(Surface, ADamagedRecordHasNoPixels, runintoolkit) {
    graphicwindow(0, 8);
    const display::t_Window& sound = display::windowrecord(0);
    EXPECT_EQ(display::surfaceof(sound).pixels, block(0));
    EXPECT_EQ(display::surfaceof(sound).rowbytes, 64);
    using Damage = void (*)(display::t_Window&);
    const std::pair<const char*, Damage> damages[]{
        {"depth 2", [](display::t_Window& w) { w.BitDepth = 2; }},
        {"one byte short", [](display::t_Window& w) { w.MemoryEnd = w.MemoryStart + 2046; }},
        {"before memory", [](display::t_Window& w) { w.MemoryStart = -1; }},
        {"past memory", [](display::t_Window& w) { w.MemoryEnd = display::videomemorylength(); }},
        {"no width", [](display::t_Window& w) { w.Width = 0; }},
        {"negative height", [](display::t_Window& w) { w.Height = -32; }},
        {"huge width", [](display::t_Window& w) { w.Width = int64_t{1} << 62; }},
    };
    for (const auto& [what, damage] : damages) {
        display::t_Window w = sound;
        damage(w);
        EXPECT_EQ(display::surfaceof(w).pixels, nullptr) << what;
    }
    display::t_Window exact = sound;
    exact.MemoryEnd = exact.MemoryStart + 2047;
    EXPECT_EQ(display::surfaceof(exact).pixels, block(0));
}

// Drawing into a window whose record lost a byte of its block changes no byte of video memory.
TOOLKIT_TEST(Surface, CommandsDrawNothingIntoADamagedBlock, runintoolkit) {
    textwindow(0, 8);
    display::t_Window& w = display::windowrecord(0);
    const int64_t pixels = w.Width * w.Height;
    w.MemoryEnd = w.MemoryStart + pixels - 2;
    const std::vector<uint8_t> before = memorybytes(w.MemoryStart, pixels);
    g_Plot(0, 639, 399, white);
    g_Line(0, 0, 0, 639, 399);
    g_PrintSymbol(0, 'A', 1, 1, white, black, makegreyfont(8, 16));
    t_PrintSymbol(0, 'A', 0xF0, 80, 25);
    EXPECT_EQ(memorybytes(w.MemoryStart, pixels), before);
    EXPECT_EQ(t_GetScreen(0, "").back(), 'A'); // the cell is still recorded
}
