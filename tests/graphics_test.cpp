#include "display/blend.h"
#include "display/surface.h"
#include "tests/support/displayhelpers.h"

#include <climits>
#include <map>

namespace {

const t_RGBColor red{255, 255, 0, 0};
const t_RGBColor blue{255, 0, 0, 255};

uint8_t& grey(uint8_t n, int64_t x, int64_t y) {
    return block(n)[y * windowrecord(n).Width + x];
}

// The bytes of the window's block behind its pixels, up to the next block.
Bytes blockpadding(uint8_t n) {
    const display::t_Window& w = windowrecord(n);
    const int64_t end = w.MemoryStart + w.Width * w.Height * w.BitDepth / 8;
    EXPECT_GE(w.MemoryEnd + 1 - end, 1024);
    return memorybytes(end, w.MemoryEnd + 1 - end);
}

// Lines of an 8-bit window's region: '.' for black, '#' for white, 'o' for other greys.
std::vector<std::string> picture(uint8_t n, int64_t x, int64_t y, int64_t w, int64_t h) {
    std::vector<std::string> rows(h, std::string(w, 'o'));
    for (int64_t r = 0; r < h; ++r) {
        for (int64_t i = 0; i < w; ++i) {
            uint8_t v = grey(n, x + i, y + r);
            rows[r][i] = v == 0 ? '.' : v == 255 ? '#' : 'o';
        }
    }
    return rows;
}

// The grey glyph of c with white ink on black, at (x, y) of an 8-bit window.
bool showsglyph(uint8_t n, int64_t x, int64_t y, const t_Font& font, uint8_t c) {
    bool same = true;
    for (int64_t r = 0; r < font.Height; ++r) {
        const auto glyphrow = font.Data.begin() + (c * font.Height + r) * font.Width;
        same = same && std::equal(glyphrow, glyphrow + font.Width, &grey(n, x, y + r));
    }
    return same;
}

using Changes = std::map<size_t, uint8_t>;
constexpr uint8_t filler = 0x5A;

// Window n, 32 x 2 pixels at the depth, every byte of its pixels filler.
void filledwindow(uint8_t n, int64_t depth) {
    graphicwindow(n, depth, 32, 2);
    std::fill_n(block(n), 32 * 2 * depth / 8, filler);
}

// The bytes of window n's pixels that are no longer filler, by offset.
Changes changed(uint8_t n) {
    Changes bytes;
    for (size_t i = 0; i < static_cast<size_t>(32 * 2 * windowrecord(n).BitDepth / 8); ++i) {
        if (block(n)[i] != filler) {
            bytes[i] = block(n)[i];
        }
    }
    return bytes;
}

// Pixels of width bytes each, stride bytes apart from first on, every byte of pixel i value i.
Changes pixels(size_t first, size_t stride, size_t width, const Bytes& values) {
    Changes changes;
    for (size_t i = 0; i < values.size(); ++i) {
        for (size_t b = 0; b < width; ++b) {
            changes[first + i * stride + b] = values[i];
        }
    }
    return changes;
}

t_Font fontofA(int64_t format, int64_t w, int64_t h, Bytes data) {
    return {.Format = format, .Start = 'A', .End = 'A', .Width = w, .Height = h, .Data = data};
}

// A monochrome 10 x 2 glyph: rows span two bytes, read big-endian, column i is bit i. Set pixels:
// row 0 columns 0 and 9, row 1 column 8.
t_Font monochromefont() {
    return fontofA(t_Font::Monochrome, 10, 2, {0x02, 0x01, 0x01, 0x00});
}

t_Font greyrow(Bytes bytes) {
    const auto width = static_cast<int64_t>(bytes.size());
    bytes.insert(bytes.begin(), 'A' * width, 0);
    return fontofA(t_Font::Grey, width, 1, bytes);
}

} // namespace

// Pixels outside are silently left alone, the position has no upper bound; inside, an illegal
// depth is reported for every pixel.
PROGRAM_TEST(Graphics, OutsideTheWindowNothingIsDrawnInsideAnIllegalDepthIsReported) {
    graphicwindow(0, 8);
    t_Color(0, 15);
    g_GotoXY(0, 7, 7);
    LogCapture log;
    g_Plot(0, 64, 0);
    g_Plot(0, 0, 32);
    g_Plot(0, -1, 0);
    g_GotoXY(0, -1, 5);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(picture(0, 0, 0, 64, 32), Lines(32, std::string(64, '.')));
    EXPECT_EQ(position(0), Pos(7, 7));
    windowrecord(0).BitDepth = 2;
    g_Plot(0, 64, 0); // the window test comes first
    g_Plot(0, 1, 1);
    g_Line(0, 0, 0, 1, 0);
    EXPECT_EQ(log.lines(), Lines(3, "g_Plot: Illegal bit depth (2)."));
    EXPECT_EQ(g_Scrn(0, 1, 1), black);
    log.clear();
    g_PrintSymbol(0, 'A', 1, 1, white, black, greyrow({255}));   // no rule: only the advance
    g_PrintSymbol(0, 'A', 1, 1, white, black, monochromefont()); // refused pixel by pixel
    EXPECT_EQ(log.lines(), Lines(20, "g_Plot: Illegal bit depth (2)."));
    EXPECT_EQ(position(0), Pos(18, 7));
    g_GotoXY(0, 5000, 5000);
    EXPECT_EQ(position(0), Pos(5000, 5000));
}

// The nearest colour takes the lower index of a tie. One bit is bright by the nearest colour, four
// keep the neighbouring nibble, 8 to 32 bits keep what they can.
PROGRAM_TEST(Graphics, TheNearestColourOrTheTextColourChoosesThePen) {
    // Red, green, blue and the index; the last as far from 0 as from 4.
    const std::array<int64_t, 4> cases[] = {
        {63, 63, 63, 0},     {64, 64, 64, 5}, {127, 127, 127, 5}, {128, 128, 128, 10},
        {192, 192, 192, 15}, {255, 0, 0, 1},  {250, 130, 5, 9},   {0, 64, 0, 0}};
    for (auto [r, g, b, index] : cases) {
        EXPECT_EQ(t_NearestColor(r, g, b), index) << r << " " << g << " " << b;
    }
    graphicwindow(0, 1);
    windowrecord(0).TextColor = 144; // second form: foreground 9 is bright
    g_Plot(0, 0, 1);
    windowrecord(0).TextColor = 0x8F;
    g_Plot(0, 1, 1);
    EXPECT_EQ(block(0)[8], 0x80);
    EXPECT_EQ(std::pair(g_Scrn(0, 0, 1), g_Scrn(0, 1, 1)), std::pair(white, black));
    EXPECT_EQ(position(0), Pos(1, 1));
}

// One pixel plotted at each depth changes exactly its own bits or bytes and reads back as the
// colour the depth keeps: from 8 bits on grey, then RGB, then alpha. Outside the window, or at a
// depth without a layout, g_Scrn reads black.
PROGRAM_TEST(Graphics, APlottedPixelChangesOnlyItsOwnBitsAndReadsBack) {
    const t_RGBColor orange = t_PaletteColor(t_Orange), c{0x80, 20, 60, 100}; // c: grey 60
    struct Row {
        int64_t depth, x;
        t_RGBColor colour;
        Changes changes;
        t_RGBColor shown;
    };
    const t_RGBColor grey128{255, 128, 128, 128}, grey100{255, 100, 100, 100};
    const Row rows[]{{1, 5, grey128, {{4, 0x5E}}, white}, // index 10: bright
                     {1, 0, white, {{4, 0xDA}}, white},
                     {1, 4, grey100, {{4, 0x52}}, black}, // index 5: dark
                     {4, 5, orange, {{18, 0x59}}, orange},
                     {4, 4, orange, {{18, 0x9A}}, orange},
                     {8, 5, c, {{37, 60}}, {0, 60, 60, 60}},
                     {16, 5, c, {{74, 0x80}, {75, 60}}, {0x80, 60, 60, 60}},
                     {24, 5, c, {{111, 20}, {112, 60}, {113, 100}}, {0, 20, 60, 100}},
                     {32, 5, c, {{148, 0x80}, {149, 20}, {150, 60}, {151, 100}}, c}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "depth " << r.depth << " x " << r.x);
        filledwindow(0, r.depth);
        g_Plot(0, r.x, 1, r.colour);
        EXPECT_EQ(changed(0), r.changes);
        EXPECT_EQ(g_Scrn(0, r.x, 1), r.shown);
        EXPECT_EQ(g_Scrn(0, 32, 1), black);
    }
    windowrecord(0).BitDepth = 12;
    EXPECT_EQ(g_Scrn(0, 5, 1), black);
}

// Old pixel (A 64) R 0xF0, G 0x0F, B 0x55; colour A 128, R 0x3C, G 0xC3, B 0xAA.
PROGRAM_TEST(Graphics, EveryDrawingModeAtDepths24And32) {
    const std::tuple<int64_t, t_RGBColor, t_RGBColor> modes[] = {
        {0, {0, 60, 195, 170}, {128, 60, 195, 170}},  {1, {0, 150, 105, 127}, {64, 149, 104, 127}},
        {2, {0, 60, 195, 170}, {255, 60, 195, 170}},  {3, {0, 60, 195, 170}, {64, 60, 195, 170}},
        {4, {0, 150, 105, 127}, {64, 150, 105, 127}}, {5, {0, 48, 3, 0}, {64, 48, 3, 0}},
        {6, {0, 252, 207, 255}, {64, 252, 207, 255}}, {7, {0, 204, 204, 255}, {64, 204, 204, 255}},
        {8, {0, 240, 15, 85}, {64, 240, 15, 85}},     {-1, {0, 240, 15, 85}, {64, 240, 15, 85}}};
    graphicwindow(0, 24);
    graphicwindow(1, 32);
    for (const auto& [mode, at24, at32] : modes) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        for (uint8_t n : {0, 1}) {
            windowrecord(n).DrawingMode = 0;
            g_Plot(n, 3, 3, t_RGBColor{64, 0xF0, 0x0F, 0x55});
            g_GotoXY(n, 0, 0);
            windowrecord(n).DrawingMode = mode;
            windowrecord(n).RGBColor = t_RGBColor{128, 0x3C, 0xC3, 0xAA};
            g_Line(n, 3, 3, 3, 3);
            EXPECT_EQ(position(n), Pos(3, 3));
        }
        EXPECT_EQ(std::pair(g_Scrn(0, 3, 3), g_Scrn(1, 3, 3)), std::pair(at24, at32));
    }
    // Mode 1 at depth 32 on a cleared pixel: alpha 0 leaves it, alpha 255 replaces it.
    windowrecord(1).DrawingMode = 1;
    g_Plot(1, 0, 0, t_RGBColor{0, 200, 100, 50});
    EXPECT_EQ(g_Scrn(1, 0, 0), black);
    g_Plot(1, 0, 0, t_RGBColor{255, 200, 100, 50});
    EXPECT_EQ(g_Scrn(1, 0, 0), (t_RGBColor{255, 200, 100, 50}));
}

// A scaled glyph advances by its scaled width; a code below Start or a scale of 0 draws nothing.
// Compressed and unknown formats are refused without drawing, but still advance.
PROGRAM_TEST(Graphics, PrintSymbolAdvancesByTheScaledWidthAndRefusesFormatsItCannotDraw) {
    graphicwindow(0, 24, 1280, 800);
    const t_Font font = makegreyfont(8, 16, 40);
    g_GotoXY(0, 100, 50);
    g_PrintSymbol(0, 'A', 2, 3, white, black, font);
    EXPECT_EQ(position(0), Pos(116, 50));
    g_PrintSymbol(0, '!', 2, 3, white, black, font);
    g_PrintSymbol(0, 'A', 0, 1, white, black, font);
    EXPECT_EQ(position(0), Pos(116, 50));
    EXPECT_EQ(g_Scrn(0, 116, 50), (t_RGBColor{0, 0, 0, 0}));
    LogCapture log;
    t_Font packed = font;
    packed.Format = t_Font::CompressedGrey;
    g_PrintSymbol(0, 'A', 1, 1, white, black, packed);
    EXPECT_EQ(position(0), Pos(124, 50));
    packed.Format = 7;
    g_PrintSymbol(0, 'A', 1, 1, white, black, packed);
    EXPECT_EQ(log.lines(), (Lines{"g_PrintSymbol: Font format must be uncompressed "
                                  "monochrome or grey for printing.",
                                  "g_PrintSymbol: Illegal font format."}));
    EXPECT_EQ(position(0), Pos(132, 50));
    EXPECT_EQ(g_Scrn(0, 116, 50), (t_RGBColor{0, 0, 0, 0}));
}

// Glyph data shorter than the font claims reads as background.
PROGRAM_TEST(Graphics, GlyphsPaintEveryPixelOfTheirCell) {
    graphicwindow(1, 24);
    t_Font cut = makegreyfont(8, 16);
    cut.Data.resize(10);
    g_PrintSymbol(1, 'A', 1, 1, red, blue, cut);
    EXPECT_EQ(g_Scrn(1, 7, 15), (t_RGBColor{0, 0, 0, 255}));
    t_Font mono = monochromefont();
    mono.Data.resize(1);
    g_PrintSymbol(1, 'A', 1, 1, red, blue, mono);
    EXPECT_EQ(std::pair(g_Scrn(1, 8 + 9, 0), g_Scrn(1, 8 + 0, 0)),
              std::pair(t_RGBColor{0, 255, 0, 0}, t_RGBColor{0, 0, 0, 255}));
    graphicwindow(2, 8); // scaled monochrome
    g_GotoXY(2, 2, 1);
    g_PrintSymbol(2, 'A', 3, 2, white, t_RGBColor{255, 84, 84, 84}, monochromefont());
    const std::string clear(24, 'o');
    EXPECT_EQ(picture(2, 1, 0, 32, 6),
              (Lines{std::string(32, '.'), ".###" + clear + "###.", ".###" + clear + "###.",
                     ".ooo" + clear.substr(3) + "###ooo.", ".ooo" + clear.substr(3) + "###ooo.",
                     std::string(32, '.')}));
    EXPECT_EQ(grey(2, 5, 3), 84);
    EXPECT_EQ(position(2), Pos(32, 1));
}

// Characters, spaces too, follow each other; grey glyphs white on black keep their bytes unchanged.
PROGRAM_TEST(Graphics, PrintStringWritesGreyGlyphsOneAfterAnother) {
    graphicwindow(3, 8);
    const t_Font plain = makegreyfont(8, 16);
    g_GotoXY(3, 4, 9);
    g_PrintString(3, "3\t1", 0, 1, white, black, plain);
    EXPECT_EQ(std::pair(position(3), grey(3, 5, 9)), std::pair(Pos(4, 9), uint8_t{0}));
    g_PrintString(3, "3\t 1", 1, 1, white, black, plain);
    EXPECT_EQ(position(3), Pos(28, 9));
    EXPECT_TRUE(showsglyph(3, 4, 9, plain, '3') && showsglyph(3, 20, 9, plain, '1'));
    EXPECT_TRUE(showsglyph(3, 12, 9, plain, ' ')); // painted, not skipped
    g_GotoXY(3, 40, 0);
    g_PrintSymbol(3, 'A', 1, 1, white, black, plain);
    EXPECT_TRUE(showsglyph(3, 40, 0, plain, 'A'));
    g_GotoXY(3, 0, 0);
    g_PrintString(3, "\xC3\xA4", 1, 1, white, black, plain); // U+00E4: code 228
    EXPECT_EQ(grey(3, 1, 0), 229);
}

// Glyph bytes 0, 128, 255, 127, 0, white on black, from x = 1 on: each depth writes its blend
// into those five pixels (128 bright, 127 dark) and leaves the bytes that are not theirs (depth
// 16's first byte, depth 32's alpha, everything past the last pixel). Other colours blend too.
PROGRAM_TEST(Graphics, AGreyGlyphAtEveryDepthBlendsIntoItsPixelsOnly) {
    const Bytes glyph{0, 128, 255, 127, 0};
    const std::pair<int64_t, Changes> rows[]{
        {1, {{0, 0x32}}},
        {4, {{0, 0x50}, {1, 0xAF}, {2, 0x50}}},
        {8, pixels(1, 1, 1, glyph)},
        {16, pixels(3, 2, 1, glyph)},
        {24, pixels(3, 3, 3, glyph)},
        {32, pixels(5, 4, 3, glyph)},
    };
    for (const auto& [depth, changes] : rows) {
        filledwindow(0, depth);
        g_GotoXY(0, 1, 0);
        g_PrintSymbol(0, 'A', 1, 1, white, black, greyrow(glyph));
        EXPECT_EQ(changed(0), changes) << "depth " << depth;
    }
    // Palette windows blend too: dark ink on white keeps a white background.
    for (auto [depth, ink, at, expected] : {std::tuple{1, black, 1, 0x80}, {4, blue, 4, 0xF6}}) {
        graphicwindow(0, depth);
        g_GotoXY(0, 8, 0);
        g_PrintSymbol(0, 'A', 1, 1, ink, white, greyrow({0, 255}));
        EXPECT_EQ(block(0)[at], expected) << depth;
    }
}

// Each glyph passes the unscaled fit test, then reaches past the right edge and the bottom. Row
// ends must not spill into the next row's start, nor lines past the last into the block's padding.
PROGRAM_TEST(Graphics, AScaledGlyphIsCutAtTheEdges) {
    graphicwindow(6, 8);
    graphicwindow(7, 24);
    const Bytes padding6 = blockpadding(6), padding7 = blockpadding(7);
    const t_Font plain = makegreyfont(8, 16);
    g_GotoXY(6, 56, 16);
    g_PrintSymbol(6, 'A', 4, 4, white, black, plain);
    EXPECT_EQ(grey(6, 63, 31), 69); // the test font's 'A' at row 3, column 1
    EXPECT_EQ(picture(6, 0, 16, 56, 16), Lines(16, std::string(56, '.')));
    EXPECT_EQ(position(6), Pos(88, 16));
    g_GotoXY(7, 54, 24);
    g_PrintSymbol(7, 'A', 4, 8, red, blue, monochromefont());
    EXPECT_EQ(std::pair(g_Scrn(7, 63, 31), g_Scrn(7, 54, 31)),
              std::pair(t_RGBColor{0, 0, 0, 255}, t_RGBColor{0, 255, 0, 0}));
    g_GotoXY(7, 54, 16);
    g_PrintSymbol(7, 'A', 1000000, 1000000, white, black, plain);
    EXPECT_EQ((std::vector{g_Scrn(7, 63, 31), g_Scrn(7, 53, 16), g_Scrn(7, 0, 17)}),
              (std::vector<t_RGBColor>{{0, 65, 65, 65}, {0, 0, 0, 0}, {0, 0, 0, 0}}));
    EXPECT_EQ(blockpadding(6), padding6);
    EXPECT_EQ(blockpadding(7), padding7);
}

// Graphic blocks as surfaces: their sizes, the blend tables of each depth, and the guarantee that
// a damaged window record gives a surface without pixels.
constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};

// Rows start on whole bytes; a width of depth 1 or 4 that is not a whole number of bytes shares
// its last byte with the next row. Sizes beyond 64 bits are refused.
TEST(Surface, RowAndBlockBytesOfEveryDepthAndWhereTheyOverflow) {
    struct Row {
        int64_t depth, width, height, row, block;
    };
    constexpr int64_t half = LLONG_MAX / 2, big = int64_t{1} << 40;
    const Row rows[]{{1, 64, 32, 8, 256}, {1, 10, 3, 1, 4},      {4, 6, 2, 3, 6},
                     {4, 5, 2, 2, 5},     {8, 64, 32, 64, 2048}, {16, 3, 2, 6, 12},
                     {24, 3, 2, 9, 18},   {32, 3, 2, 12, 24},    {8, 0, 5, 0, 0},
                     {8, 5, -1, 5, 0},    {32, half, 2, -1, -1}, {8, big, big, big, -1}};
    for (const Row& r : rows) {
        if (r.row >= 0) {
            EXPECT_EQ(display::rowbytes(r.depth, r.width), r.row) << r.depth << " " << r.width;
        }
        EXPECT_EQ(display::blockbytes(r.depth, r.width, r.height), r.block)
            << r.depth << " " << r.width << " x " << r.height;
    }
    for (int64_t depth = -8; depth <= 64; ++depth) {
        EXPECT_EQ(display::drawabledepth(depth), std::ranges::count(depths, depth) == 1) << depth;
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

// A record whose depth has no layout, whose block is too small or lies outside video memory, or
// whose size is not positive gives a surface without pixels; one byte more and it has them.
// Commands draw nothing into a block that lost a byte, though the cell is still recorded.
PROGRAM_TEST(Surface, ADamagedRecordHasNoPixelsAndCommandsDrawNothingIntoIt) {
    textwindow(0, 8);
    display::t_Window& w = display::windowrecord(0);
    const display::t_Window sound = w;
    constexpr int64_t size = 640 * 400;
    EXPECT_EQ(display::surfaceof(sound).pixels, block(0));
    EXPECT_EQ(display::surfaceof(sound).rowbytes, 640);
    using Damage = void (*)(display::t_Window&);
    const std::pair<const char*, Damage> damages[]{
        {"depth 2", [](display::t_Window& d) { d.BitDepth = 2; }},
        {"one byte short", [](display::t_Window& d) { d.MemoryEnd = d.MemoryStart + size - 2; }},
        {"before memory", [](display::t_Window& d) { d.MemoryStart = -1; }},
        {"past memory", [](display::t_Window& d) { d.MemoryEnd = display::videomemorylength(); }},
        {"no width", [](display::t_Window& d) { d.Width = 0; }},
        {"negative height", [](display::t_Window& d) { d.Height = -32; }},
        {"huge width", [](display::t_Window& d) { d.Width = int64_t{1} << 62; }},
    };
    for (const auto& [what, damage] : damages) {
        display::t_Window damaged = sound;
        damage(damaged);
        EXPECT_EQ(display::surfaceof(damaged).pixels, nullptr) << what;
    }
    w.MemoryEnd = w.MemoryStart + size - 1;
    EXPECT_EQ(display::surfaceof(w).pixels, block(0));
    w.MemoryEnd = w.MemoryStart + size - 2;
    const Bytes before = memorybytes(w.MemoryStart, size);
    g_Plot(0, 639, 399, white);
    g_Line(0, 0, 0, 639, 399);
    g_PrintSymbol(0, 'A', 1, 1, white, black, makegreyfont(8, 16));
    t_PrintSymbol(0, 'A', 0xF0, 80, 25);
    EXPECT_EQ(memorybytes(w.MemoryStart, size), before);
    EXPECT_EQ(t_GetScreen(0, "").back(), 'A');
}
