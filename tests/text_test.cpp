#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"
#include "text/displaymode.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Pos = std::pair<int64_t, int64_t>;
using Lines = std::vector<std::string>;
constexpr uint8_t white_on_black = 0xF0;
using display::windowrecord;

// A grey font whose glyph of code is filled with value.
t_Font fontwith(uint8_t code, uint8_t value, int64_t width = 8, int64_t height = 16) {
    t_Font font = makegreyfont(width, height);
    std::fill_n(font.Data.begin() + code * width * height, width * height, value);
    return font;
}

// An 80 x 25 text window of the font's cells (640 x 400 pixels for 8 x 16) at the given depth.
void textwindow(uint8_t n, int64_t depth, const t_Font& font = makegreyfont(8, 16)) {
    t_InitWindow(n, depth, false, 80 * font.Width, 25 * font.Height, 0, 0, font, true);
}

struct Cell {
    uint8_t character;
    uint8_t colour;
    bool operator==(const Cell&) const = default;
};

Cell cellof(uint8_t n, int64_t x, int64_t y) {
    const display::t_Window& w = windowrecord(n);
    int64_t index = (y - 1) * w.TextWidth + (x - 1);
    const uint8_t* text = display::videomemory() + w.TextMemoryStart;
    return Cell{text[index], text[index + (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2]};
}

// The characters of line y without trailing blanks.
std::string lineof(uint8_t n, int64_t y) {
    std::string line;
    for (int64_t x = 1; x <= windowrecord(n).TextWidth; ++x) {
        line.push_back(static_cast<char>(cellof(n, x, y).character));
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

void cursorat(uint8_t n, int64_t x, int64_t y) {
    windowrecord(n).TextHpos = x;
    windowrecord(n).TextVpos = y;
}

Pos cursor(uint8_t n) {
    return {windowrecord(n).TextHpos, windowrecord(n).TextVpos};
}

// Each line y of the window starts with the letter first + y - 1 repeated count times.
void filllines(uint8_t n, char first, int64_t lines, int64_t count) {
    for (int64_t y = 1; y <= lines; ++y) {
        cursorat(n, 1, y);
        t_Print(n, std::string(count, static_cast<char>(first + y - 1)));
    }
}

} // namespace

TOOLKIT_TEST(PrintSymbol, DrawsTheGlyphAtEveryDepthAndInverse, runintoolkit) {
    // Glyph 'A' is all 128, glyph 'B' all 127: white on black lands on either side of grey.
    t_Font font = fontwith('A', 128);
    std::fill_n(font.Data.begin() + 'B' * 128, 128, 127);
    const struct {
        uint8_t window;
        int64_t depth;
        uint8_t a, b; // first byte of the cell for 'A' and for 'B'
    } cases[] = {
        {0, 8, 128, 127},    {1, 4, 0xAA, 0x55},  // q = 384 -> index 10; q = 381 -> index 5
        {2, 1, 0xFF, 0x00},                       // L = 128 sets the bit, 127 clears it
        {3, 16, 0x00, 0x00},                      // the first byte of a pixel is not touched
        {4, 24, 128, 127},   {5, 32, 0xFF, 0xFF}, // byte 0 (alpha) keeps the cleared window's 255
    };
    for (const auto& c : cases) {
        textwindow(c.window, c.depth, font);
        t_PrintSymbol(c.window, 'A', white_on_black, 1, 1);
        t_PrintSymbol(c.window, 'B', white_on_black, 2, 1);
        EXPECT_EQ(block(c.window)[0], c.a) << c.depth;
        EXPECT_EQ(block(c.window)[c.depth], c.b) << c.depth; // a cell is 8 pixels wide
    }
    EXPECT_EQ((std::vector{block(3)[1], block(3)[17], block(5)[1], block(5)[3]}),
              (std::vector<uint8_t>{128, 127, 128, 128}));
    EXPECT_EQ(cellof(0, 1, 1), (Cell{'A', white_on_black}));
    // One-pixel cells at depth 4: a cell's nibble keeps its neighbour.
    t_InitWindow(6, 4, false, 32, 32, 0, 0, fontwith('A', 255, 1, 1), true);
    for (auto [x, colour, after] : {std::tuple{1, 0x10, 0x10}, {2, 0x60, 0x16}, {1, 0xC0, 0xC6}}) {
        t_PrintSymbol(6, 'A', static_cast<uint8_t>(colour), x, 1);
        EXPECT_EQ(block(6)[0], after);
    }
    // Inverse swaps the colours and stores the swapped colour byte.
    textwindow(7, 24, fontwith('A', 255));
    windowrecord(7).TextInverse = true;
    t_PrintSymbol(7, 'A', 0xC0, 1, 1);
    EXPECT_EQ(memorybytes(windowrecord(7).MemoryStart, 3), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(cellof(7, 1, 1).colour, 0x0C);
    t_PrintSymbol(7, ' ' - 1, 0xC0, 2, 1); // below Start: not drawn, but recorded
    EXPECT_EQ(cellof(7, 2, 1).character, 31);
    EXPECT_EQ(block(7)[8 * 3], 0);
}

TOOLKIT_TEST(PrintSymbol, StaysInsideTheGridAndTheTextBlockOrIsRedirected, runintoolkit) {
    textwindow(0, 8);
    textwindow(1, 8); // directly below window 0's blocks
    t_PrintSymbol(0, 'Z', white_on_black, 80, 25);
    LogCapture log;
    t_PrintSymbol(0, 'Q', white_on_black, 81, 25);
    t_PrintSymbol(0, 'Q', white_on_black, 0, 1);
    t_PrintSymbol(0, 'Q', white_on_black, 1, -3);
    EXPECT_EQ(log.lines(),
              (Lines{"t_PrintSymbol: Window #0 illegal coordinates (x = 81, y = 25).",
                     "t_PrintSymbol: Window #0 illegal coordinates (x = 0, y = 1).",
                     "t_PrintSymbol: Window #0 illegal coordinates (x = 1, y = -3)."}));
    EXPECT_EQ(cellof(0, 1, 1).character, ' ');
    EXPECT_EQ(cellof(0, 80, 25).character, 'Z');
    // Half the cell size: 160 x 50 cells fit the pixels, the grid stays as the window was made.
    t_WindowFont(0, makegreyfont(4, 8));
    EXPECT_EQ(Pos(windowrecord(0).TextWidth, windowrecord(0).TextHeight), Pos(80, 25));
    EXPECT_EQ(windowrecord(0).Font.Width, 4);
    const display::t_Window& w1 = windowrecord(1);
    const std::vector<uint8_t> neighbour =
        memorybytes(w1.MemoryStart, w1.MemoryEnd - w1.MemoryStart + 1);
    for (int64_t y = 1; y <= 50; ++y) {
        t_PrintSymbol(0, 'X', white_on_black, 160, y);
    }
    EXPECT_EQ(cellof(0, 80, 25).character, 'Z'); // only cells of its own 80 x 25 grid
    EXPECT_EQ(memorybytes(w1.MemoryStart, w1.MemoryEnd - w1.MemoryStart + 1), neighbour);
    t_WindowFont(0, makegreyfont(16, 32)); // larger: only 40 x 12 cells fit
    log.clear();
    t_PrintSymbol(0, 'X', white_on_black, 41, 1);
    EXPECT_EQ(log.lines().size(), 1u);
    log.clear();
    t_WindowFont(8, makegreyfont(8, 16));
    t_WindowFont(5, makegreyfont(8, 16));
    EXPECT_EQ(log.lines(), (Lines{"t_WindowFont: Window is not a graphic window.",
                                  "t_WindowFont: Window #5 not initialized."}));
    textwindow(2, 8); // printing redirected to standard output or nowhere
    t_InitWindow(3, 8, false, 64, 64, 0, 0, t_Font{}, true); // no text block
    log.clear();
    t_RedirectOutput(2, 2);
    t_PrintSymbol(2, 'A', white_on_black, 1, 1);
    t_PrintSymbol(2, 0xE4, white_on_black, 2, 1);
    EXPECT_EQ(log.output(), "A\xC3\xA4");
    EXPECT_EQ(cellof(2, 1, 1).character, ' ');
    windowrecord(3).TextRedirectOutput = 2;
    t_PrintSymbol(3, 'B', white_on_black, 1, 1);
    EXPECT_EQ(log.output(), "A\xC3\xA4"
                            "B");
    t_RedirectOutput(2, 0);
    windowrecord(3).TextRedirectOutput = 0;
    t_PrintSymbol(2, 'C', white_on_black, 1, 1);
    t_PrintSymbol(3, 'C', white_on_black, 1, 1);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(cellof(2, 1, 1).character, ' ');
}

TOOLKIT_TEST(Print, WrapsScrollsAndCursorCommandsAtTheEdges, runintoolkit) {
    textwindow(0, 8);
    cursorat(0, 80, 1);
    t_PrintChar(0, 'R');
    EXPECT_EQ(cursor(0), Pos(1, 2));
    t_Print(0, "erste Zeile");
    cursorat(0, 80, 25);
    t_Print(0, "XY");
    EXPECT_EQ(cursor(0), Pos(2, 25));
    EXPECT_EQ(lineof(0, 24), std::string(79, ' ') + "X");
    EXPECT_EQ(lineof(0, 25), "Y");
    EXPECT_EQ(lineof(0, 1), "erste Zeile"); // line 2 moved up one
    textwindow(1, 8);
    t_Print(1, "oben");
    cursorat(1, 1, 1);
    t_CursorLeft(1); // wraps to the last column and scrolls the window down
    EXPECT_EQ(cursor(1), Pos(80, 1));
    EXPECT_EQ(lineof(1, 2), "oben");
    EXPECT_EQ(lineof(1, 1), "");
    windowrecord(1).TextFirstColumn = 5;
    t_Htab(1, 3);
    EXPECT_EQ(windowrecord(1).TextHpos, 7);
    t_Htab(1, 77); // 81 > TextWidth: ignored
    t_Htab(1, 0);
    EXPECT_EQ(windowrecord(1).TextHpos, 7);
    t_Vtab(1, 26);
    t_Vtab(1, 25);
    EXPECT_EQ(windowrecord(1).TextVpos, 25);
    t_FullArea(1);
    EXPECT_EQ(windowrecord(1).TextFirstColumn, 1);
    cursorat(1, 10, 3);
    t_PrintTab(1, 15, '.');
    EXPECT_EQ(lineof(1, 3), std::string(9, ' ') + ".....");
    t_PrintTab(1, 12, '.');
    EXPECT_EQ(windowrecord(1).TextHpos, 15);
}

TOOLKIT_TEST(Print, DisplayModesCommandModeHeaderAndScreenCopy, runintoolkit) {
    textwindow(0, 8);
    t_Print(0, "a\rb");
    EXPECT_EQ(lineof(0, 1), "a");
    EXPECT_EQ(lineof(0, 2), "b");
    t_DisplayMode(0, 3);
    t_Print(0, "\r\x01");
    EXPECT_EQ(lineof(0, 2), "bMA");
    EXPECT_EQ(cellof(0, 2, 2).colour, 0x0C); // shown inverse
    EXPECT_FALSE(windowrecord(0).TextInverse);
    EXPECT_EQ(windowrecord(0).TextColor, 0xC0);
    textwindow(1, 8);
    t_Print(1, "\xE2\x82\xAC \xFF\xFE \xC3\xA4");
    EXPECT_EQ(lineof(1, 1), "? ?? \xE4");
    EXPECT_EQ(windowrecord(1).TextColor, 0xC0);
    t_DisplayMode(1, 4);
    t_Print(1, "\xE2\x82\xAC");
    EXPECT_EQ(cellof(1, 7, 1), (Cell{'?', 0x10}));
    EXPECT_EQ(windowrecord(1).TextColor, 0xC0); // restored; only RGBColor keeps colour 1
    EXPECT_EQ(windowrecord(1).RGBColor.load(), (t_RGBColor{255, 255, 0, 0}));
    textwindow(2, 8);
    const struct {
        int64_t mode, code, shown;
    } cases[] = {{1, 'A', 193}, {1, ' ', 160}, {1, 31, 31},  {1, 128, 128},
                 {2, 64, 0},    {2, 95, 31},   {2, 96, 128}, {2, 127, 159}};
    for (const auto& c : cases) {
        t_DisplayMode(2, c.mode);
        EXPECT_EQ(t_ApplyDisplayMode(2, c.code).code, c.shown) << c.mode << " " << c.code;
    }
    EXPECT_EQ(t_ApplyDisplayMode(9, 'A').code, -2);
    textwindow(3, 8); // command mode sets colours and tabs
    const display::t_Window& w = windowrecord(3);
    t_Print(3, "\033Ax"); // foreground 1
    EXPECT_EQ(cellof(3, 1, 1).colour, 0x10);
    EXPECT_EQ(w.TextDisplayMode, 0);
    t_Print(3, "\033Ry"); // background 2
    EXPECT_EQ(cellof(3, 2, 1).colour, 0x12);
    t_Print(3, "\033a"); // an ordinary code is drawn, the mode stays
    EXPECT_EQ(cellof(3, 3, 1).character, 'a');
    EXPECT_EQ(w.TextDisplayMode, 99);
    t_Print(3, "e"); // 101: cursor to the end
    EXPECT_EQ(cursor(3), Pos(80, 25));
    // Tabs to the 10-, 20- and 40-grids: (start column, command, column after).
    const struct {
        int64_t from;
        const char* command;
        int64_t to;
    } tabs[] = {{10, "\033i", 21}, {3, "\033j", 21}, {21, "\033k", 41}};
    for (const auto& t : tabs) {
        cursorat(3, t.from, 5);
        t_Print(3, t.command);
        EXPECT_EQ(w.TextHpos, t.to) << t.command + 1;
    }
    cursorat(3, 75, 6);
    t_Print(3, "Z\033i"); // stop 81 > 80: clear the rest and a new line
    EXPECT_EQ(cursor(3), Pos(1, 7));
    t_Print(3, "\033f"); // 102: last column
    EXPECT_EQ(w.TextHpos, 80);
    t_Print(3, "\033s"); // 115: border colour 5
    EXPECT_EQ(w.RGBColorBorder.load(), (t_RGBColor{255, 84, 84, 84}));
    t_Print(3, "\033\x7f"); // 127: border colour 17 -> 1
    EXPECT_EQ(w.RGBColorBorder.load(), (t_RGBColor{255, 255, 0, 0}));
    textwindow(4, 8); // the header fills the line without wrapping
    std::string right = "abcdefghijklmnopqrst";
    t_Header(4, "Quorvinthal", right);
    EXPECT_EQ(lineof(4, 1), "Quorvinthal" + std::string(49, ' ') + right);
    EXPECT_EQ(cursor(4), Pos(1, 2));
    EXPECT_EQ(lineof(4, 2), "");
    t_Header(4, std::string(70, 'L'), std::string(20, 'R'));
    EXPECT_EQ(lineof(4, 2), std::string(70, 'L') + std::string(10, 'R'));
    // The screen copy trims trailing blanks and empty lines.
    textwindow(5, 8);
    t_Print(5, "HELLO");
    EXPECT_EQ(t_GetScreen(5, "\r"), "HELLO");
    cursorat(5, 3, 4);
    t_Print(5, "\xC3\xA4 x ");
    EXPECT_EQ(t_GetScreen(5, "\r"), "HELLO\r\r\r  \xC3\xA4 x");
    EXPECT_EQ(t_GetScreen(5, "").size(), 80u * 25 + 1); // ä is two bytes in UTF-8
    LogCapture log;
    EXPECT_EQ(t_GetScreen(6, "\r"), "");
    EXPECT_TRUE(log.contains("t_GetScreen: Window #6 not initialized."));
}

TOOLKIT_TEST(Scroll, FullWidthMovesBlocksNarrowerRedrawsCells, runintoolkit) {
    textwindow(0, 24);
    filllines(0, 'A', 25, 1);
    const int64_t linebytes = 640 * 3 * 16, start = windowrecord(0).MemoryStart;
    const std::vector<uint8_t> line2 = memorybytes(start + linebytes, linebytes);
    cursorat(0, 7, 9);
    t_ScrollUp(0);
    EXPECT_EQ(lineof(0, 1), "B");
    EXPECT_EQ(lineof(0, 24), "Y");
    EXPECT_EQ(lineof(0, 25), "");
    EXPECT_EQ(memorybytes(start, linebytes), line2);
    EXPECT_EQ(cursor(0), Pos(7, 9));
    t_ScrollDown(0);
    EXPECT_EQ(lineof(0, 1), "");
    EXPECT_EQ(lineof(0, 2), "B");
    EXPECT_EQ(lineof(0, 25), "Y");
    EXPECT_EQ(memorybytes(start + linebytes, linebytes), line2);
    for (int64_t x = 1; x <= 80; ++x) {
        EXPECT_EQ(cellof(0, x, 1).colour, 0xC0);
    }
    // A narrower text window redraws only its columns.
    textwindow(1, 8);
    filllines(1, 'a', 3, 30);
    const int64_t start1 = windowrecord(1).MemoryStart;
    const std::vector<uint8_t> before = memorybytes(start1, 640 * 16);
    windowrecord(1).TextFirstColumn = 10;
    windowrecord(1).TextLastColumn = 20;
    t_ScrollUp(1);
    EXPECT_EQ(lineof(1, 1), std::string(9, 'a') + std::string(11, 'b') + std::string(10, 'a'));
    EXPECT_EQ(lineof(1, 25).size(), 0u);
    for (int64_t row = 0; row < 16; ++row) { // pixels left of column 10 keep their glyphs
        const auto left = before.begin() + row * 640;
        EXPECT_EQ(memorybytes(start1 + row * 640, 72), std::vector<uint8_t>(left, left + 72));
    }
    windowrecord(1).TextFirstLine = windowrecord(1).TextLastLine = 2;
    t_ScrollDown(1); // a one-line text window just blanks it
    EXPECT_EQ(lineof(1, 2), std::string(9, 'b') + std::string(11, ' ') + std::string(10, 'b'));
}

TOOLKIT_TEST(Scroll, ScrollLockAndClearEndOfWindow, runintoolkit) {
    textwindow(0, 8);
    t_Print(0, "bleibt");
    windowrecord(0).ScrollLock = true;
    LogCapture log;
    t_ScrollUp(0);
    t_ScrollDown(0);
    windowrecord(2).ScrollLock = true;
    t_ScrollUp(2);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(lineof(0, 1), "bleibt");
    cursorat(0, 1, 25);
    t_Print(0, "\r");
    EXPECT_EQ(windowrecord(0).TextVpos, 25);
    t_ScrollUp(3);
    EXPECT_EQ(log.lines(), Lines{"t_ScrollUp: Window #3 not initialized."});
    textwindow(1, 8);
    for (int64_t y = 1; y <= 25; ++y) {
        cursorat(1, 1, y);
        t_Print(1, std::string(80, '#'));
    }
    cursorat(1, 5, 3);
    windowrecord(1).TextInverse = true;
    t_ClearEndOfWindow(1);
    EXPECT_EQ(cursor(1), Pos(5, 3));
    EXPECT_EQ(lineof(1, 2), std::string(80, '#'));
    EXPECT_EQ(lineof(1, 3), "####");
    EXPECT_EQ(lineof(1, 25), "");
    EXPECT_EQ(cellof(1, 5, 3).colour, 0x0C); // blanked in the swapped colours
}

TOOLKIT_TEST(Cursor, LevelsNestInvertingTwiceRestoresAndRulesAreUnbroken, runintoolkit) {
    textwindow(0, 8);
    t_Print(0, "Hallo");
    cursorat(0, 2, 1);
    const display::t_Window& w = windowrecord(0);
    const std::vector<uint8_t> before = memorybytes(w.MemoryStart, 640 * 16);
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
    EXPECT_EQ(memorybytes(w.MemoryStart, 640 * 16), before);
    t_InvertRect(0, 1, 1, 81, 1); // beyond the grid: nothing
    EXPECT_EQ(cellof(0, 1, 1).colour, 0xC0);
    t_Reverse(0);
    EXPECT_TRUE(w.TextInverse);
    t_PrintControl(0, 14);
    EXPECT_FALSE(w.TextInverse);
    // The rule of t_TextLine runs from the cursor to the last column.
    cursorat(0, 70, 4);
    t_TextLine(0);
    EXPECT_EQ(lineof(0, 4), std::string(69, ' ') + std::string(11, '\x9c'));
    EXPECT_EQ(cursor(0), Pos(1, 5));
    LogCapture log;
    t_TextHline(0, -1000000000000, 1000000000000, 6, '=');
    EXPECT_EQ(log.lines().size(), 2u); // one refusal on each side
    EXPECT_EQ(lineof(0, 6), std::string(80, '='));
}

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
