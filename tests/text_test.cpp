#include "display/initwindow.h"
#include "display/palette.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"
#include "text/displaymode.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr uint8_t white_on_black = 0xF0;

// A grey font whose glyph of code c is filled with the byte value fill[c] where given.
t_Font fontwith(int64_t width, int64_t height, uint8_t code, uint8_t value) {
    t_Font font = makegreyfont(width, height);
    std::fill_n(font.Data.begin() + code * width * height, width * height, value);
    return font;
}

// An 80 x 25 text window of 8 x 16 cells (640 x 400 pixels) at the given depth.
void textwindow(uint8_t n, int64_t depth, const t_Font& font = makegreyfont(8, 16)) {
    t_InitWindow(n, depth, false, 80 * font.Width, 25 * font.Height, 0, 0, font, true);
}

uint8_t pixelbyte(uint8_t n, int64_t offset) {
    return display::videomemory()[display::windowrecord(n).MemoryStart + offset];
}

struct Cell {
    uint8_t character;
    uint8_t colour;
};

Cell cellof(uint8_t n, int64_t x, int64_t y) {
    const display::t_Window& w = display::windowrecord(n);
    int64_t index = (y - 1) * w.TextWidth + (x - 1);
    const uint8_t* block = display::videomemory() + w.TextMemoryStart;
    return Cell{block[index], block[index + (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2]};
}

std::string lineof(uint8_t n, int64_t y) {
    std::string line;
    for (int64_t x = 1; x <= display::windowrecord(n).TextWidth; ++x) {
        line.push_back(static_cast<char>(cellof(n, x, y).character));
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

void cursorat(uint8_t n, int64_t x, int64_t y) {
    display::windowrecord(n).TextHpos = x;
    display::windowrecord(n).TextVpos = y;
}

std::pair<int64_t, int64_t> cursor(uint8_t n) {
    return {display::windowrecord(n).TextHpos, display::windowrecord(n).TextVpos};
}

} // namespace

// ---- Character rendering ------------------------------------------------------------------

TEST(PrintSymbol, BlendsTheGlyphAtEveryDepth) {
    runintoolkit([] {
        // Glyph 'A' is all 128, glyph 'B' all 127: white on black lands on either side of grey.
        t_Font font = fontwith(8, 16, 'A', 128);
        std::fill_n(font.Data.begin() + 'B' * 128, 128, 127);
        const struct {
            uint8_t window;
            int64_t depth;
            uint8_t a, b; // first byte of the cell for 'A' and for 'B'
        } cases[] = {
            {0, 8, 128, 127},
            {1, 4, 0xAA, 0x55},  // q = 384 -> index 10; q = 381 -> index 5
            {2, 1, 0xFF, 0x00},  // L = 128 sets the bit, 127 clears it
            {3, 16, 0x00, 0x00}, // the first byte of a pixel is not touched
            {4, 24, 128, 127},
            {5, 32, 0xFF, 0xFF}, // byte 0 (alpha) keeps the cleared window's 255
        };
        for (const auto& c : cases) {
            textwindow(c.window, c.depth, font);
            t_PrintSymbol(c.window, 'A', white_on_black, 1, 1);
            t_PrintSymbol(c.window, 'B', white_on_black, 2, 1);
            int64_t cellbytes = 8 * c.depth / 8;
            EXPECT_EQ(pixelbyte(c.window, 0), c.a) << c.depth;
            EXPECT_EQ(pixelbyte(c.window, cellbytes), c.b) << c.depth;
        }
        EXPECT_EQ(pixelbyte(3, 1), 128);
        EXPECT_EQ(pixelbyte(3, 17), 127);
        EXPECT_EQ(pixelbyte(5, 1), 128);
        EXPECT_EQ(pixelbyte(5, 3), 128);
        EXPECT_EQ(cellof(0, 1, 1).character, 'A');
        EXPECT_EQ(cellof(0, 1, 1).colour, white_on_black);
    });
}

TEST(PrintSymbol, DepthFourKeepsTheNeighbouringNibble) {
    runintoolkit([] {
        t_Font font = fontwith(1, 1, 'A', 255); // one-pixel cells: even and odd columns
        t_InitWindow(0, 4, false, 32, 32, 0, 0, font, true);
        t_PrintSymbol(0, 'A', 0x10, 1, 1); // red at x 0: high nibble
        EXPECT_EQ(pixelbyte(0, 0), 0x10);
        t_PrintSymbol(0, 'A', 0x60, 2, 1); // blue at x 1: low nibble, red kept
        EXPECT_EQ(pixelbyte(0, 0), 0x16);
        t_PrintSymbol(0, 'A', 0xC0, 1, 1);
        EXPECT_EQ(pixelbyte(0, 0), 0xC6);
    });
}

TEST(PrintSymbol, InverseSwapsColoursAndStoresTheSwappedByte) {
    runintoolkit([] {
        textwindow(0, 24, fontwith(8, 16, 'A', 255));
        display::windowrecord(0).TextInverse = true;
        t_PrintSymbol(0, 'A', 0xC0, 1, 1);
        EXPECT_EQ(pixelbyte(0, 0), 0); // full glyph byte: foreground is now black
        EXPECT_EQ(pixelbyte(0, 1), 0);
        EXPECT_EQ(pixelbyte(0, 2), 0);
        EXPECT_EQ(cellof(0, 1, 1).colour, 0x0C);
        t_PrintSymbol(0, ' ' - 1, 0xC0, 2, 1); // below Start: not drawn, but recorded
        EXPECT_EQ(cellof(0, 2, 1).character, 31);
        EXPECT_EQ(pixelbyte(0, 8 * 3), 0);
    });
}

TEST(PrintSymbol, RefusesCellsOutsideTheWindow) {
    runintoolkit([] {
        textwindow(0, 8);
        t_PrintSymbol(0, 'Z', white_on_black, 80, 25);
        LogCapture log;
        uint8_t before = cellof(0, 1, 1).character;
        t_PrintSymbol(0, 'Q', white_on_black, 81, 25);
        t_PrintSymbol(0, 'Q', white_on_black, 0, 1);
        t_PrintSymbol(0, 'Q', white_on_black, 1, -3);
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{
                      "t_PrintSymbol: Window #0 illegal coordinates (x = 81, y = 25).",
                      "t_PrintSymbol: Window #0 illegal coordinates (x = 0, y = 1).",
                      "t_PrintSymbol: Window #0 illegal coordinates (x = 1, y = -3)."}));
        EXPECT_EQ(cellof(0, 1, 1).character, before);
        EXPECT_EQ(cellof(0, 80, 25).character, 'Z');
    });
}

TEST(PrintSymbol, AnotherCellSizeNeverWritesOutsideTheTextBlock) {
    runintoolkit([] {
        textwindow(0, 8);                                  // 80 x 25 cells of 8 x 16
        textwindow(1, 8);                                  // directly below window 0's blocks
        t_WindowFont(0, makegreyfont(4, 8));               // now 160 x 50 cells fit the pixels
        EXPECT_EQ(display::windowrecord(0).TextWidth, 80); // the grid stays as the window was made
        EXPECT_EQ(display::windowrecord(0).TextHeight, 25);
        EXPECT_EQ(display::windowrecord(0).Font.Width, 4);
        const display::t_Window& w1 = display::windowrecord(1);
        std::vector<uint8_t> neighbour(display::videomemory() + w1.MemoryStart,
                                       display::videomemory() + display::windowrecord(0).MemoryEnd +
                                           1);
        for (int64_t y = 1; y <= 50; ++y) {
            t_PrintSymbol(0, 'X', white_on_black, 160, y);
        }
        // The text block records only cells of its own 80 x 25 grid.
        EXPECT_EQ(cellof(0, 80, 25).character, ' ');
        EXPECT_TRUE(std::equal(neighbour.begin(),
                               neighbour.begin() + (w1.MemoryEnd - w1.MemoryStart + 1),
                               display::videomemory() + w1.MemoryStart));
        t_WindowFont(0, makegreyfont(16, 32)); // larger: only 40 x 12 cells fit
        LogCapture log;
        t_PrintSymbol(0, 'X', white_on_black, 41, 1);
        EXPECT_EQ(log.lines().size(), 1u);
        log.clear();
        t_WindowFont(8, makegreyfont(8, 16));
        t_WindowFont(5, makegreyfont(8, 16));
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"t_WindowFont: Window is not a graphic window.",
                                            "t_WindowFont: Window #5 not initialized."}));
    });
}

TEST(PrintSymbol, RedirectionToStandardOutputOrNowhere) {
    runintoolkit([] {
        textwindow(0, 8);

        t_InitWindow(1, 8, false, 64, 64, 0, 0, t_Font{}, true); // no text block
        LogCapture log;
        t_RedirectOutput(0, 2);
        t_PrintSymbol(0, 'A', white_on_black, 1, 1);
        t_PrintSymbol(0, 0xE4, white_on_black, 2, 1);
        EXPECT_EQ(log.output(), "A\xC3\xA4");
        EXPECT_EQ(cellof(0, 1, 1).character, ' ');
        display::windowrecord(1).TextRedirectOutput = 2;
        t_PrintSymbol(1, 'B', white_on_black, 1, 1);
        EXPECT_EQ(log.output(), "A\xC3\xA4"
                                "B");
        t_RedirectOutput(0, 0);
        display::windowrecord(1).TextRedirectOutput = 0;
        t_PrintSymbol(0, 'C', white_on_black, 1, 1);
        t_PrintSymbol(1, 'C', white_on_black, 1, 1);
        EXPECT_TRUE(log.lines().empty());
        EXPECT_EQ(cellof(0, 1, 1).character, ' ');
    });
}

// ---- Printing and the cursor --------------------------------------------------------------

TEST(Print, WrapsAtTheRightEdgeAndScrollsAtTheLastCell) {
    runintoolkit([] {
        textwindow(0, 8);
        cursorat(0, 80, 1);
        t_PrintChar(0, 'R');
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{1}, int64_t{2}));
        t_Print(0, "erste Zeile");
        cursorat(0, 80, 25);
        t_Print(0, "XY");
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{2}, int64_t{25}));
        EXPECT_EQ(lineof(0, 24), std::string(79, ' ') + "X");
        EXPECT_EQ(lineof(0, 25), "Y");
        EXPECT_EQ(lineof(0, 1), "erste Zeile"); // line 2 moved up one
    });
}

TEST(Print, CursorCommandsAtTheEdges) {
    runintoolkit([] {
        textwindow(0, 8);
        t_Print(0, "oben");
        cursorat(0, 1, 1);
        t_CursorLeft(0); // wraps to the last column and scrolls the window down
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{80}, int64_t{1}));
        EXPECT_EQ(lineof(0, 2), "oben");
        EXPECT_EQ(lineof(0, 1), "");
        display::windowrecord(0).TextFirstColumn = 5;
        t_Htab(0, 3);
        EXPECT_EQ(display::windowrecord(0).TextHpos, 7);
        t_Htab(0, 77); // 81 > TextWidth: ignored
        t_Htab(0, 0);
        EXPECT_EQ(display::windowrecord(0).TextHpos, 7);
        t_Vtab(0, 26);
        t_Vtab(0, 25);
        EXPECT_EQ(display::windowrecord(0).TextVpos, 25);
        t_FullArea(0);
        EXPECT_EQ(display::windowrecord(0).TextFirstColumn, 1);
        cursorat(0, 10, 3);
        t_PrintTab(0, 15, '.');
        EXPECT_EQ(lineof(0, 3), std::string(9, ' ') + ".....");
        t_PrintTab(0, 12, '.');
        EXPECT_EQ(display::windowrecord(0).TextHpos, 15);
    });
}

TEST(Print, CarriageReturnInDisplayModesZeroAndThree) {
    runintoolkit([] {
        textwindow(0, 8);
        t_Print(0, "a\rb");
        EXPECT_EQ(lineof(0, 1), "a");
        EXPECT_EQ(lineof(0, 2), "b");
        t_DisplayMode(0, 3);
        t_Print(0, "\r\x01");
        EXPECT_EQ(lineof(0, 2), "bMA");
        EXPECT_EQ(cellof(0, 2, 2).colour, 0x0C); // shown inverse
        EXPECT_FALSE(display::windowrecord(0).TextInverse);
        EXPECT_EQ(display::windowrecord(0).TextColor, 0xC0);
    });
}

TEST(Print, UnknownCharactersBecomeQuestionMarks) {
    runintoolkit([] {
        textwindow(0, 8);
        t_Print(0, "\xE2\x82\xAC \xFF\xFE \xC3\xA4");
        EXPECT_EQ(lineof(0, 1), "? ?? \xE4");
        EXPECT_EQ(display::windowrecord(0).TextColor, 0xC0);
        t_DisplayMode(0, 4);
        t_Print(0, "\xE2\x82\xAC");
        EXPECT_EQ(cellof(0, 7, 1).character, '?');
        EXPECT_EQ(cellof(0, 7, 1).colour, 0x10);
        EXPECT_EQ(display::windowrecord(0).TextColor,
                  0xC0); // restored; only RGBColor keeps colour 1
        EXPECT_EQ(display::windowrecord(0).RGBColor.load(), t_PaletteColor(1));
    });
}

TEST(Print, DisplayModesMapCodes) {
    runintoolkit([] {
        textwindow(0, 8);
        t_DisplayMode(0, 1);
        EXPECT_EQ(t_ApplyDisplayMode(0, 'A').code, 193);
        EXPECT_EQ(t_ApplyDisplayMode(0, ' ').code, 160);
        EXPECT_EQ(t_ApplyDisplayMode(0, 31).code, 31);
        EXPECT_EQ(t_ApplyDisplayMode(0, 128).code, 128);
        t_DisplayMode(0, 2);
        EXPECT_EQ(t_ApplyDisplayMode(0, 64).code, 0);
        EXPECT_EQ(t_ApplyDisplayMode(0, 95).code, 31);
        EXPECT_EQ(t_ApplyDisplayMode(0, 96).code, 128);
        EXPECT_EQ(t_ApplyDisplayMode(0, 127).code, 159);
        EXPECT_EQ(t_ApplyDisplayMode(9, 'A').code, -2);
    });
}

TEST(Print, CommandModeSetsColoursAndTabs) {
    runintoolkit([] {
        textwindow(0, 8);
        t_Print(0, "\x1b"
                   "A"
                   "x"); // foreground 1
        EXPECT_EQ(cellof(0, 1, 1).colour, 0x10);
        EXPECT_EQ(display::windowrecord(0).TextDisplayMode, 0);
        t_Print(0, "\x1b"
                   "R"
                   "y"); // background 2
        EXPECT_EQ(cellof(0, 2, 1).colour, 0x12);
        t_Print(0, "\x1b"
                   "a"); // an ordinary code is drawn, the mode stays
        EXPECT_EQ(cellof(0, 3, 1).character, 'a');
        EXPECT_EQ(display::windowrecord(0).TextDisplayMode, 99);
        t_Print(0, "e"); // 101: cursor to the end
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{80}, int64_t{25}));
        cursorat(0, 10, 5);
        t_Print(0, "\x1b"
                   "i"); // 105 from column 10: 11 spaces to 21
        EXPECT_EQ(display::windowrecord(0).TextHpos, 21);
        cursorat(0, 3, 5);
        t_Print(0, "\x1b"
                   "j"); // 106: 20-grid stop 21
        EXPECT_EQ(display::windowrecord(0).TextHpos, 21);
        t_Print(0, "\x1b"
                   "k"); // 107: 40-grid stop 41
        EXPECT_EQ(display::windowrecord(0).TextHpos, 41);
        cursorat(0, 75, 6);
        t_Print(0, "Z\x1b"
                   "i"); // stop 81 > 80: clear the rest and a new line
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{1}, int64_t{7}));
        t_Print(0, "\x1b"
                   "f"); // 102: last column
        EXPECT_EQ(display::windowrecord(0).TextHpos, 80);
        t_Print(0, "\x1b"
                   "s"); // 115: border colour 5
        EXPECT_EQ(display::windowrecord(0).RGBColorBorder.load(), t_PaletteColor(5));
        t_Print(0, "\x1b\x7f"); // 127: border colour 17 -> 1
        EXPECT_EQ(display::windowrecord(0).RGBColorBorder.load(), t_PaletteColor(1));
    });
}

TEST(Print, HeaderFillsTheLineWithoutWrapping) {
    runintoolkit([] {
        textwindow(0, 8);
        std::string right = "abcdefghijklmnopqrst";
        t_Header(0, "Quorvinthal", right);
        EXPECT_EQ(lineof(0, 1), "Quorvinthal" + std::string(49, ' ') + right);
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{1}, int64_t{2}));
        EXPECT_EQ(lineof(0, 2), "");
        t_Header(0, std::string(70, 'L'), std::string(20, 'R'));
        EXPECT_EQ(lineof(0, 2), std::string(70, 'L') + std::string(10, 'R'));
    });
}

TEST(Print, ScreenCopyTrimsBlanksAndEmptyLines) {
    runintoolkit([] {
        textwindow(0, 8);
        t_Print(0, "HELLO");
        EXPECT_EQ(t_GetScreen(0, "\r"), "HELLO");
        cursorat(0, 3, 4);
        t_Print(0, "\xC3\xA4 x ");
        EXPECT_EQ(t_GetScreen(0, "\r"), "HELLO\r\r\r  \xC3\xA4 x");
        std::string raw = t_GetScreen(0, "");
        EXPECT_EQ(raw.size(), 80u * 25 + 1); // ä is two bytes in UTF-8
        LogCapture log;
        EXPECT_EQ(t_GetScreen(3, "\r"), "");
        EXPECT_TRUE(log.contains("t_GetScreen: Window #3 not initialized."));
    });
}

// ---- Scrolling and clearing ---------------------------------------------------------------

TEST(Scroll, FullWidthMovesPixelsAndCells) {
    runintoolkit([] {
        textwindow(0, 24);
        for (int line = 1; line <= 25; ++line) {
            cursorat(0, 1, line);
            t_Print(0, std::string(1, static_cast<char>('A' + line - 1)));
        }
        const display::t_Window& w = display::windowrecord(0);
        int64_t linebytes = 640 * 3 * 16;
        std::vector<uint8_t> line2(display::videomemory() + w.MemoryStart + linebytes,
                                   display::videomemory() + w.MemoryStart + 2 * linebytes);
        cursorat(0, 7, 9);
        t_ScrollUp(0);
        EXPECT_EQ(lineof(0, 1), "B");
        EXPECT_EQ(lineof(0, 24), "Y");
        EXPECT_EQ(lineof(0, 25), "");
        EXPECT_TRUE(std::equal(line2.begin(), line2.end(), display::videomemory() + w.MemoryStart));
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{7}, int64_t{9}));
        t_ScrollDown(0);
        EXPECT_EQ(lineof(0, 1), "");
        EXPECT_EQ(lineof(0, 2), "B");
        EXPECT_EQ(lineof(0, 25), "Y");
        EXPECT_TRUE(std::equal(line2.begin(), line2.end(),
                               display::videomemory() + w.MemoryStart + 2 * linebytes - linebytes));
        for (int64_t x = 1; x <= 80; ++x) {
            EXPECT_EQ(cellof(0, x, 1).colour, 0xC0);
        }
    });
}

TEST(Scroll, NarrowWindowRedrawsOnlyItsColumns) {
    runintoolkit([] {
        textwindow(0, 8);
        for (int line = 1; line <= 3; ++line) {
            cursorat(0, 1, line);
            t_Print(0, std::string(30, static_cast<char>('a' + line - 1)));
        }
        std::vector<uint8_t> before(display::videomemory() + display::windowrecord(0).MemoryStart,
                                    display::videomemory() + display::windowrecord(0).MemoryStart +
                                        640 * 16);
        display::windowrecord(0).TextFirstColumn = 10;
        display::windowrecord(0).TextLastColumn = 20;
        t_ScrollUp(0);
        EXPECT_EQ(lineof(0, 1), std::string(9, 'a') + std::string(11, 'b') + std::string(10, 'a'));
        EXPECT_EQ(lineof(0, 25).size(), 0u);
        // Pixels left of column 10 keep their glyphs.
        for (int64_t row = 0; row < 16; ++row) {
            EXPECT_TRUE(std::equal(before.begin() + row * 640, before.begin() + row * 640 + 72,
                                   display::videomemory() + display::windowrecord(0).MemoryStart +
                                       row * 640));
        }
        display::windowrecord(0).TextFirstLine = display::windowrecord(0).TextLastLine = 2;
        t_ScrollDown(0); // a one-line text window just blanks it
        EXPECT_EQ(lineof(0, 2), std::string(9, 'b') + std::string(11, ' ') + std::string(10, 'b'));
    });
}

TEST(Scroll, ScrollLockStopsScrollingSilently) {
    runintoolkit([] {
        textwindow(0, 8);
        t_Print(0, "bleibt");
        display::windowrecord(0).ScrollLock = true;
        LogCapture log;
        t_ScrollUp(0);
        t_ScrollDown(0);
        display::windowrecord(2).ScrollLock = true;
        t_ScrollUp(2);
        EXPECT_TRUE(log.lines().empty());
        EXPECT_EQ(lineof(0, 1), "bleibt");
        cursorat(0, 1, 25);
        t_Print(0, "\r");
        EXPECT_EQ(display::windowrecord(0).TextVpos, 25);
        t_ScrollUp(3);
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"t_ScrollUp: Window #3 not initialized."}));
    });
}

TEST(Scroll, ClearEndOfWindowKeepsTheCursor) {
    runintoolkit([] {
        textwindow(0, 8);
        for (int line = 1; line <= 25; ++line) {
            cursorat(0, 1, line);
            t_Print(0, std::string(80, '#'));
        }
        cursorat(0, 5, 3);
        display::windowrecord(0).TextInverse = true;
        t_ClearEndOfWindow(0);
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{5}, int64_t{3}));
        EXPECT_EQ(lineof(0, 2), std::string(80, '#'));
        EXPECT_EQ(lineof(0, 3), "####");
        EXPECT_EQ(lineof(0, 25), "");
        EXPECT_EQ(cellof(0, 5, 3).colour, 0x0C); // blanked in the swapped colours
    });
}

// ---- Inverse and the visible cursor -------------------------------------------------------

TEST(Cursor, LevelsNestAndInvertingTwiceRestores) {
    runintoolkit([] {
        textwindow(0, 8);
        t_Print(0, "Hallo");
        cursorat(0, 2, 1);
        const display::t_Window& w = display::windowrecord(0);
        std::vector<uint8_t> before(display::videomemory() + w.MemoryStart,
                                    display::videomemory() + w.MemoryStart + 640 * 16);
        t_CursorOn(0);
        t_CursorOn(0);
        t_CursorOff(0);
        EXPECT_EQ(cellof(0, 2, 1).colour, 0x0C);
        t_CursorOff(0);
        EXPECT_EQ(cellof(0, 2, 1).colour, 0xC0);
        t_CursorOff(0); // level -1: the next On does not draw
        t_CursorOn(0);
        EXPECT_EQ(cellof(0, 2, 1).colour, 0xC0);
        t_InvertRect(0, 1, 1, 5, 1);
        EXPECT_EQ(cellof(0, 5, 1).colour, 0x0C);
        t_InvertRect(0, 1, 1, 5, 1);
        EXPECT_TRUE(
            std::equal(before.begin(), before.end(), display::videomemory() + w.MemoryStart));
        t_InvertRect(0, 1, 1, 81, 1); // beyond the grid: nothing
        EXPECT_EQ(cellof(0, 1, 1).colour, 0xC0);
        t_Reverse(0);
        EXPECT_TRUE(w.TextInverse);
        t_PrintControl(0, 14);
        EXPECT_FALSE(w.TextInverse);
    });
}

TEST(Cursor, TextLineDrawsAnUnbrokenRule) {
    runintoolkit([] {
        textwindow(0, 8);
        cursorat(0, 70, 4);
        t_TextLine(0);
        EXPECT_EQ(cellof(0, 70, 4).character, 156);
        EXPECT_EQ(cellof(0, 80, 4).character, 156);
        EXPECT_EQ(cellof(0, 69, 4).character, ' ');
        EXPECT_EQ(cursor(0), std::make_pair(int64_t{1}, int64_t{5}));
        LogCapture log;
        t_TextHline(0, -1000000000000, 1000000000000, 6, '=');
        EXPECT_EQ(log.lines().size(), 2u); // one refusal on each side
        EXPECT_EQ(lineof(0, 6), std::string(80, '='));
    });
}

// ---- Program end ----------------------------------------------------------------------------

TEST(ProgramEnd, LeavesTheClosingMessageAndEndsOnlyTheThread) {
    setuptoolkit();
    bool returned = false;
    LogCapture log;
    ASSERT_TRUE(runprogram([&] {
        textwindow(0, 8);
        t_Inverse(0);
        t_DisplayMode(0, 1);
        t_QuitProgram(0);
        returned = true;
    }));
    EXPECT_FALSE(returned);
    EXPECT_EQ(lineof(0, 25), "(Programm Ende)");
    EXPECT_EQ(cellof(0, 1, 25).colour, 0x10);
    EXPECT_EQ(log.lines().back(),
              "t_QuitProgram: Quitting current thread with message in window #0.");
    // The application goes on: a later program still works with the same window.
    ASSERT_TRUE(runprogram([&] { t_QuitProgram(13); }));
    EXPECT_EQ(log.lines().back(), "t_QuitProgram: Quitting current thread.");
    ASSERT_TRUE(runprogram([&] { t_Print(0, "weiter"); }));
    EXPECT_EQ(lineof(0, 25), "(Programm Ende)weiter");
}
