#include "tests/support/displayhelpers.h"

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

PROGRAM_TEST(Graphics, OtherWindowsAreReported) {
    graphicwindow(0, 8);
    LogCapture log;
    g_Plot(8, 0, 0);
    g_Plot(3, 0, 0, white);
    EXPECT_EQ((std::vector{g_Scrn(8, 0, 0), g_Scrn(3, 0, 0)}), (std::vector{black, black}));
    g_GotoXY(9, 1, 1);
    g_Line(3, 0, 0, 1, 1);
    g_PrintSymbol(8, 'A', 1, 1, white, black, makegreyfont(8, 16));
    const std::string notgraphic = "Window is not a graphic window.";
    const std::string three = "Graphic window #3 not initialized.";
    EXPECT_EQ(foregroundlines(log),
              (Lines{"g_Plot: " + notgraphic, "g_Plot: " + three, "g_Scrn: " + notgraphic,
                     "g_Scrn: " + three, "g_GotoXY: " + notgraphic, "g_Line: " + three,
                     "g_PrintSymbol: " + notgraphic}));
}

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
PROGRAM_TEST(Graphics, PlottedColoursKeepWhatEachDepthCanHold) {
    // Red, green, blue and the index; the last as far from 0 as from 4.
    const std::array<int64_t, 4> cases[] = {
        {63, 63, 63, 0},     {64, 64, 64, 5}, {127, 127, 127, 5}, {128, 128, 128, 10},
        {192, 192, 192, 15}, {255, 0, 0, 1},  {250, 130, 5, 9},   {0, 64, 0, 0}};
    for (auto [r, g, b, index] : cases) {
        EXPECT_EQ(t_NearestColor(r, g, b), index) << r << " " << g << " " << b;
    }
    graphicwindow(0, 1);
    g_Plot(0, 9, 0, t_RGBColor{255, 128, 128, 128});  // grey index 10: bright
    g_Plot(0, 10, 0, t_RGBColor{255, 100, 100, 100}); // index 5: dark
    EXPECT_EQ(block(0)[1], 0x40);
    g_Plot(0, 9, 0, t_RGBColor{255, 100, 100, 100});
    EXPECT_EQ(block(0)[1], 0x00);
    windowrecord(0).TextColor = 144; // second form: foreground 9 is bright
    g_Plot(0, 0, 1);
    windowrecord(0).TextColor = 0x8F;
    g_Plot(0, 1, 1);
    EXPECT_EQ(block(0)[8], 0x80);
    EXPECT_EQ(std::pair(g_Scrn(0, 0, 1), g_Scrn(0, 1, 1)), std::pair(white, black));
    EXPECT_EQ(position(0), Pos(1, 1));
    graphicwindow(1, 4); // nibbles keep their neighbour
    g_Plot(1, 1, 0, red);
    EXPECT_EQ(block(1)[0], 0x01);
    g_Plot(1, 2, 0, red);
    EXPECT_EQ(block(1)[1], 0x10);
    t_Color(1, 13);
    g_Plot(1, 0, 0); // TextColor's foreground
    EXPECT_EQ(block(1)[0], 0xD1);
    EXPECT_EQ(std::pair(g_Scrn(1, 0, 0), g_Scrn(1, 1, 0)),
              std::pair(t_RGBColor{255, 255, 255, 0}, red));
    const t_RGBColor c{0x80, 30, 60, 90}; // grey 60; from 8 bits on grey, then RGB, then alpha
    for (uint8_t n = 2; n < 6; ++n) {
        graphicwindow(n, 8 * (n - 1));
        g_Plot(n, 5, 6, c);
    }
    EXPECT_EQ(
        (std::vector{g_Scrn(2, 5, 6), g_Scrn(3, 5, 6), g_Scrn(4, 5, 6), g_Scrn(5, 5, 6),
                     g_Scrn(5, 64, 6)}),
        (std::vector<t_RGBColor>{{0, 60, 60, 60}, {0x80, 60, 60, 60}, {0, 30, 60, 90}, c, black}));
    windowrecord(5).BitDepth = 12;
    EXPECT_EQ(g_Scrn(5, 5, 6), black);
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

// The characters follow each other; a grey glyph white on black writes the glyph bytes unchanged.
PROGRAM_TEST(Graphics, PrintStringWritesGreyGlyphsOneAfterAnother) {
    graphicwindow(3, 8);
    const t_Font plain = makegreyfont(8, 16);
    g_GotoXY(3, 4, 9);
    g_PrintString(3, "3\t1", 0, 1, white, black, plain);
    EXPECT_EQ(position(3), Pos(4, 9));
    EXPECT_EQ(grey(3, 5, 9), 0);
    g_PrintString(3, "3\t1", 1, 1, white, black, plain);
    EXPECT_EQ(position(3), Pos(20, 9));
    EXPECT_TRUE(showsglyph(3, 4, 9, plain, '3'));
    EXPECT_TRUE(showsglyph(3, 12, 9, plain, '1'));
    g_GotoXY(3, 40, 0);
    g_PrintSymbol(3, 'A', 1, 1, white, black, plain);
    EXPECT_TRUE(showsglyph(3, 40, 0, plain, 'A'));
    g_GotoXY(3, 0, 0);
    g_PrintString(3, "\xC3\xA4", 1, 1, white, black, plain); // U+00E4: code 228
    EXPECT_EQ(grey(3, 1, 0), 229);
}

// 128 bright, 127 dark, then background and ink; the first byte of a 16-bit pixel is left alone.
PROGRAM_TEST(Graphics, AGreyGlyphAtEveryDepthBlendsWithTheBackground) {
    const Numbers depths{1, 4, 8, 16, 24, 32};
    for (uint8_t n = 0; n < depths.size(); ++n) {
        graphicwindow(n, depths[n]);
    }
    block(3)[0] = 0x33;
    block(5)[12] = 0x44;
    for (uint8_t n = 0; n < depths.size(); ++n) {
        g_PrintSymbol(n, 'A', 1, 1, white, black, greyrow({128, 127, 0, 255}));
    }
    EXPECT_EQ(
        (std::vector{block(0)[0], block(1)[0], block(1)[1], block(2)[1], block(3)[0], block(3)[1]}),
        (Bytes{0x90, 0xA5, 0x0F, 127, 0x33, 128}));
    EXPECT_EQ(g_Scrn(4, 0, 0), (t_RGBColor{0, 128, 128, 128}));
    EXPECT_EQ(g_Scrn(5, 3, 0), (t_RGBColor{0x44, 255, 255, 255}));
    // Palette windows blend too: dark ink on white keeps a white background.
    const t_Font ink = greyrow({0, 255});
    g_GotoXY(0, 8, 0);
    g_PrintSymbol(0, 'A', 1, 1, black, white, ink);
    EXPECT_EQ(block(0)[1], 0x80);
    g_GotoXY(1, 8, 0);
    g_PrintSymbol(1, 'A', 1, 1, blue, white, ink);
    EXPECT_EQ(block(1)[4], 0xF6);
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
