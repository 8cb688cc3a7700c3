#include "display/bell.h"
#include "tests/support/displayhelpers.h"
#include "text/displaymode.h"
#include "unicode/strings.h"

namespace {

constexpr uint8_t white_on_black = 0xF0;

// A grey font whose glyph of code is filled with value.
t_Font fontwith(uint8_t code, uint8_t value, int64_t width = 8, int64_t height = 16) {
    t_Font font = makegreyfont(width, height);
    std::fill_n(font.Data.begin() + code * width * height, width * height, value);
    return font;
}

using Cell = std::pair<uint8_t, uint8_t>; // character and colour

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
        line.push_back(static_cast<char>(cellof(n, x, y).first));
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

// Shows the lines cell by cell in the start colour, without moving the cursor.
void showlines(uint8_t n, const Lines& lines) {
    for (size_t y = 0; y < lines.size(); ++y) {
        for (size_t x = 0; x < lines[y].size(); ++x) {
            t_PrintSymbol(n, static_cast<uint8_t>(lines[y][x]), 0xC0, x + 1, y + 1);
        }
    }
}

// Each line its letter 80 times; in columns left ... right of lines top ... bottom the cells of
// the line offset further on instead (blank where that lies outside those lines).
Lines shifted(int64_t offset, int64_t left = 11, int64_t right = 30, int64_t top = 6,
              int64_t bottom = 15) {
    Lines lines;
    for (int64_t y = 1; y <= 25; ++y) {
        lines.emplace_back(80, static_cast<char>('A' + y - 1));
        const int64_t from = y + offset;
        const char moved = from >= top && from <= bottom ? static_cast<char>('A' + from - 1) : ' ';
        if (y >= top && y <= bottom) {
            lines.back().replace(left - 1, right - left + 1, right - left + 1, moved);
        }
    }
    return lines;
}

} // namespace

PROGRAM_TEST(PrintSymbol, StaysInsideTheGridAndTheTextBlock) {
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
    EXPECT_EQ(cellof(0, 1, 1).first, ' ');
    EXPECT_EQ(cellof(0, 80, 25).first, 'Z');
    // Half the cell size: 160 x 50 cells fit the pixels, the grid stays as the window was made.
    t_WindowFont(0, makegreyfont(4, 8));
    EXPECT_EQ((Numbers{windowrecord(0).TextWidth, windowrecord(0).TextHeight,
                       windowrecord(0).Font.Width}),
              (Numbers{80, 25, 4}));
    const display::t_Window& w1 = windowrecord(1);
    const Bytes neighbour = memorybytes(w1.MemoryStart, w1.MemoryEnd - w1.MemoryStart + 1);
    for (int64_t y = 1; y <= 50; ++y) {
        t_PrintSymbol(0, 'X', white_on_black, 160, y);
    }
    EXPECT_EQ(cellof(0, 80, 25).first, 'Z'); // only cells of its own 80 x 25 grid
    EXPECT_EQ(memorybytes(w1.MemoryStart, w1.MemoryEnd - w1.MemoryStart + 1), neighbour);
    t_WindowFont(0, makegreyfont(16, 32)); // larger: only 40 x 12 cells fit
    log.clear();
    t_PrintSymbol(0, 'X', white_on_black, 41, 1);
    EXPECT_EQ(log.lines().size(), 1u);
}

// A window's output goes to the window only while it is routed there (a window without a text
// block refuses it, as every text command does); otherwise, silently, to standard output as
// UTF-8 or nowhere. Row i prints into cell i + 1 of line 1.
PROGRAM_TEST(OutputRoute, SymbolsAndControlCodesGoWhereTheWindowRoutesThem) {
    textwindow(0, 8);
    graphicwindow(1, 8);
    const std::tuple<uint8_t, int64_t, std::string> rows[]{{0, t_OutputWindow, ""},
                                                           {0, t_OutputStdout, "\xC3\xA4\r"},
                                                           {0, t_OutputNone, ""},
                                                           {1, t_OutputStdout, "\xC3\xA4\r"},
                                                           {1, t_OutputNone, ""}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [n, route, output] = rows[i];
        SCOPED_TRACE(testing::Message() << +n << " " << route);
        const auto x = static_cast<int64_t>(i + 1);
        t_RedirectOutput(n, route);
        t_CursorHome(0);
        LogCapture log;
        t_PrintSymbol(n, 0xE4, 0xF0, x, 1);
        t_PrintControl(n, 13);
        EXPECT_EQ(log.output(), output);
        EXPECT_TRUE(log.lines().empty());
        const bool drawn = n == 0 && route == t_OutputWindow;
        EXPECT_EQ(cursor(0).second, drawn ? 2 : 1);
        EXPECT_EQ(cellof(0, x, 1).first, drawn ? 0xE4 : ' ');
    }
}

PROGRAM_TEST(PrintSymbol, DrawsTheGlyphAtEveryDepthAndInverse) {
    // Glyph 'A' is all 128, glyph 'B' all 127: white on black lands on either side of grey.
    t_Font font = fontwith('A', 128);
    std::fill_n(font.Data.begin() + 'B' * 128, 128, 127);
    // Window, depth, and the first byte of the cell for 'A' and for 'B'; what the other depths
    // keep of a pixel is checked through g_PrintSymbol, which blends with the same routines.
    const std::tuple<uint8_t, int64_t, uint8_t, uint8_t> cases[] = {
        {0, 8, 128, 127},
        {1, 4, 0xAA, 0x55}, // q = 384 -> index 10; q = 381 -> index 5
        {2, 1, 0xFF, 0x00}, // L = 128 sets the bit, 127 clears it
        {4, 24, 128, 127}};
    for (auto [n, depth, a, b] : cases) {
        textwindow(n, depth, font);
        t_PrintSymbol(n, 'A', white_on_black, 1, 1);
        t_PrintSymbol(n, 'B', white_on_black, 2, 1);
        EXPECT_EQ(std::pair(block(n)[0], block(n)[depth]), std::pair(a, b)) << depth;
    }
    EXPECT_EQ(cellof(0, 1, 1), (Cell{'A', white_on_black}));
    // Inverse swaps the colours and stores the swapped colour byte.
    textwindow(7, 24, fontwith('A', 255));
    windowrecord(7).TextInverse = true;
    t_PrintSymbol(7, 'A', 0xC0, 1, 1);
    EXPECT_EQ(memorybytes(windowrecord(7).MemoryStart, 3), (Bytes{0, 0, 0}));
    EXPECT_EQ(cellof(7, 1, 1).second, 0x0C);
    t_PrintSymbol(7, ' ' - 1, 0xC0, 2, 1); // below Start: not drawn, but recorded
    EXPECT_EQ(cellof(7, 2, 1).first, 31);
    EXPECT_EQ(block(7)[8 * 3], 0);
}

namespace {

using Command = void (*)(uint8_t);

// A command, the cursor before and after it, how it scrolled the area of columns 11 ... 30 and
// lines 6 ... 15 (1 up, -1 down), and the text it left in line 8 from the column given on.
struct CursorCase {
    Command command;
    Pos from, to;
    int64_t scrolled = 0, column = 0;
    std::string text = "";
    bool blankbelow = false; // the area's lines below 8 blank too
};

const Command header = [](uint8_t n) { t_Header(n, "ab", "yz"); };
const Command onelinearea = [](uint8_t n) { // scrolls to a blank line
    windowrecord(n).TextFirstLine = windowrecord(n).TextLastLine = 8;
    t_ScrollDown(n);
};

const CursorCase cursorcases[] = {
    {t_Cr, {25, 8}, {11, 9}},
    {t_Cr, {25, 15}, {11, 15}, 1},
    {t_CursorRight, {29, 8}, {30, 8}},
    {t_CursorRight, {30, 8}, {11, 9}},
    {t_CursorRight, {30, 15}, {11, 15}, 1},
    {t_CursorLeft, {11, 8}, {30, 7}},
    {t_CursorLeft, {11, 6}, {30, 6}, -1},
    {t_CursorDown, {20, 15}, {20, 15}, 1},
    {t_CursorUp, {20, 7}, {20, 6}},
    {t_CursorUp, {20, 6}, {20, 6}, -1},
    {t_CursorHome, {20, 8}, {11, 6}},
    {t_CursorEnd, {20, 8}, {30, 15}},
    {t_ScrollUp, {20, 8}, {20, 8}, 1},
    {t_ScrollDown, {20, 8}, {20, 8}, -1},
    {[](uint8_t n) { t_Htab(n, 1); }, {20, 8}, {11, 8}},  // from the area's left
    {[](uint8_t n) { t_Htab(n, 70); }, {20, 8}, {80, 8}}, // up to the window's width
    {[](uint8_t n) { t_Htab(n, 71); }, {20, 8}, {20, 8}},
    {[](uint8_t n) { t_Htab(n, 0); }, {20, 8}, {20, 8}},
    {[](uint8_t n) { t_Vtab(n, 25); }, {20, 8}, {20, 25}}, // from the window's top
    {[](uint8_t n) { t_Vtab(n, 26); }, {20, 8}, {20, 8}},
    {[](uint8_t n) { t_Print(n, "\033f"); }, {20, 8}, {80, 8}},
    {[](uint8_t n) { t_PrintChar(n, 'x'); }, {30, 8}, {11, 9}, 0, 30, "x"},
    {[](uint8_t n) { t_PrintTab(n, 15, '.'); }, {12, 8}, {15, 8}, 0, 12, "..."},
    {[](uint8_t n) { t_PrintTab(n, 12, '.'); }, {15, 8}, {15, 8}},
    {[](uint8_t n) { t_PrintTab(n, INT64_MIN, '.'); }, {15, 8}, {15, 8}},
    {t_ClearEndOfLine, {25, 8}, {25, 8}, 0, 25, std::string(6, ' ')},
    {t_ClearEndOfWindow, {25, 8}, {25, 8}, 0, 25, std::string(6, ' '), true},
    {t_TextLine, {25, 8}, {11, 9}, 0, 25, std::string(6, '\x9c')},
    {header, {11, 8}, {11, 9}, 0, 11, "ab" + std::string(16, ' ') + "yz"},
    {onelinearea, {20, 8}, {20, 8}, 0, 11, std::string(20, ' ')}};

} // namespace

// Window 1 shows what window 0 should show after each command.
PROGRAM_TEST(Print, EveryCursorCommandInATextAreaNarrowerThanTheWindow) {
    textwindow(0, 8);
    textwindow(1, 8);
    for (const CursorCase& c : cursorcases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cursorcases);
        Lines expected = shifted(c.scrolled);
        expected[7].replace(std::max<int64_t>(c.column - 1, 0), c.text.size(), c.text);
        for (int64_t y = 9; c.blankbelow && y <= 15; ++y) {
            expected[y - 1].replace(10, 20, 20, ' ');
        }
        showlines(1, expected);
        showlines(0, shifted(0));
        display::t_Window& w = windowrecord(0);
        std::tie(w.TextFirstColumn, w.TextLastColumn, w.TextFirstLine, w.TextLastLine) =
            std::tuple(11, 30, 6, 15);
        cursorat(0, c.from.first, c.from.second);
        c.command(0);
        EXPECT_EQ(cursor(0), c.to);
        EXPECT_TRUE(contents(0) == contents(1)) << "pixels or cells differ";
    }
    t_FullArea(0);
    const display::t_Window& w = windowrecord(0);
    EXPECT_EQ((Numbers{w.TextFirstColumn, w.TextLastColumn, w.TextFirstLine, w.TextLastLine}),
              (Numbers{1, 80, 1, 25}));
}

// Mode 3 shows control codes inverse, mode 4 prints in colour 1 and restores TextColor after.
PROGRAM_TEST(Print, DisplayModesShowCodesAndRestoreTheColour) {
    textwindow(0, 8);
    t_Print(0, "a\rb");
    t_DisplayMode(0, 3);
    t_Print(0, "\r\x01");
    EXPECT_EQ(lineof(0, 1), "a");
    EXPECT_EQ(lineof(0, 2), "bMA");
    EXPECT_EQ(cellof(0, 2, 2).second, 0x0C); // shown inverse
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
}

// The mode, the code, the character recorded (blank for none), the columns the cursor moved and
// TextColor after.
PROGRAM_TEST(Print, TheCodesOnBothSidesOfEachRangeInEachDisplayMode) {
    const std::array<int64_t, 5> codes[] = {
        {0, 31, ' ', 0, 0xC0},   {0, 32, ' ', 1, 0xC0},   {0, 127, 127, 1, 0xC0},
        {0, 128, 128, 1, 0xC0},  {0, 159, 159, 1, 0xC0},  {0, 160, 160, 1, 0xC0},
        {0, 255, 255, 1, 0xC0},  {0, 256, '?', 1, 0xC0},  {1, 31, ' ', 0, 0xC0},
        {1, 32, 160, 1, 0xC0},   {1, 'A', 193, 1, 0xC0},  {1, 127, 255, 1, 0xC0},
        {1, 128, 128, 1, 0xC0},  {2, 31, ' ', 0, 0xC0},   {2, 63, 63, 1, 0xC0},
        {2, 64, 0, 1, 0xC0},     {2, 95, 31, 1, 0xC0},    {2, 96, 128, 1, 0xC0},
        {2, 127, 159, 1, 0xC0},  {2, 128, 128, 1, 0xC0},  {3, 0, 64, 1, 0xC0},
        {3, 31, 95, 1, 0xC0},    {3, 32, 32, 1, 0xC0},    {4, 31, 95, 1, 0xC0},
        {4, 32, 32, 1, 0xC0},    {99, 31, 31, 1, 0xC0},   {99, 63, 63, 1, 0xC0},
        {99, 64, ' ', 0, 0x00},  {99, 79, ' ', 0, 0xF0},  {99, 80, ' ', 0, 0xC0},
        {99, 95, ' ', 0, 0xCF},  {99, 96, 96, 1, 0xC0},   {99, 100, 100, 1, 0xC0},
        {99, 103, 103, 1, 0xC0}, {99, 104, 104, 1, 0xC0}, {99, 108, 108, 1, 0xC0},
        {99, 109, 109, 1, 0xC0}, {99, 110, ' ', 0, 0xC0}, {99, 128, 128, 1, 0xC0}};
    textwindow(2, 8);
    for (auto [mode, code, shown, advance, colour] : codes) {
        SCOPED_TRACE(testing::Message() << "mode " << mode << ", code " << code);
        t_DisplayMode(2, mode);
        windowrecord(2).TextColor = 0xC0;
        t_PrintSymbol(2, ' ', 0xC0, 10, 3);
        cursorat(2, 10, 3);
        t_Print(2, unicode::scalartext(code));
        EXPECT_EQ((Numbers{cellof(2, 10, 3).first, cursor(2).first, windowrecord(2).TextColor}),
                  (Numbers{shown, 10 + advance, colour}));
        EXPECT_EQ(cursor(2).second, 3);
    }
    EXPECT_EQ(t_ApplyDisplayMode(9, 'A').code, -2);
}

PROGRAM_TEST(Print, CommandModeSetsColoursTabsAndTheBorder) {
    textwindow(3, 8);
    const display::t_Window& w3 = windowrecord(3);
    t_Print(3, "\033Ax"); // foreground 1
    EXPECT_EQ(cellof(3, 1, 1).second, 0x10);
    EXPECT_EQ(w3.TextDisplayMode, 0);
    t_Print(3, "\033Ry"); // background 2
    EXPECT_EQ(cellof(3, 2, 1).second, 0x12);
    t_Print(3, "\033a"); // an ordinary code is drawn, the mode stays
    EXPECT_EQ(cellof(3, 3, 1).first, 'a');
    EXPECT_EQ(w3.TextDisplayMode, 99);
    t_Print(3, "e"); // 101: cursor to the end
    EXPECT_EQ(cursor(3), Pos(80, 25));
    // Tabs to the 10-, 20- and 40-grids: (start column, command, column after).
    for (auto [from, command, to] :
         {std::tuple{10, "\033i", 21}, {3, "\033j", 21}, {21, "\033k", 41}}) {
        cursorat(3, from, 5);
        t_Print(3, command);
        EXPECT_EQ(w3.TextHpos, to) << command + 1;
    }
    cursorat(3, 75, 6);
    t_Print(3, "Z\033i"); // stop 81 > 80: clear the rest and a new line
    EXPECT_EQ(cursor(3), Pos(1, 7));
    t_Print(3, "\033s"); // 115: border colour 5
    EXPECT_EQ(w3.RGBColorBorder.load(), (t_RGBColor{255, 84, 84, 84}));
    t_Print(3, "\033\x7f"); // 127: border colour 17 -> 1
    EXPECT_EQ(w3.RGBColorBorder.load(), (t_RGBColor{255, 255, 0, 0}));
}

// The header fills its line without wrapping; the screen copy trims trailing blanks and lines.
PROGRAM_TEST(Print, TheHeaderFillsOneLineAndTheScreenCopyIsTrimmed) {
    textwindow(4, 8);
    std::string right = "abcdefghijklmnopqrst";
    t_Header(4, "Quorvinthal", right);
    EXPECT_EQ(lineof(4, 1), "Quorvinthal" + std::string(49, ' ') + right);
    EXPECT_EQ(cursor(4), Pos(1, 2));
    EXPECT_EQ(lineof(4, 2), "");
    t_Header(4, std::string(70, 'L'), std::string(20, 'R'));
    EXPECT_EQ(lineof(4, 2), std::string(70, 'L') + std::string(10, 'R'));
    textwindow(5, 8);
    t_Print(5, "HELLO");
    EXPECT_EQ(t_GetScreen(5, "\r"), "HELLO");
    cursorat(5, 3, 4);
    t_Print(5, "\xC3\xA4 x ");
    EXPECT_EQ(t_GetScreen(5, "\r"), "HELLO\r\r\r  \xC3\xA4 x");
    EXPECT_EQ(t_GetScreen(5, "").size(), 80u * 25 + 1); // ä is two bytes in UTF-8
}

PROGRAM_TEST(Scroll, TheFullWidthMovesPixelsAndCellsButNotTheCursor) {
    textwindow(0, 24);
    textwindow(1, 24); // shows what window 0 should show
    for (int64_t offset : {1, -1}) {
        showlines(0, shifted(0));
        cursorat(0, 7, 9);
        offset == 1 ? t_ScrollUp(0) : t_ScrollDown(0);
        showlines(1, shifted(offset, 1, 80, 1, 25));
        EXPECT_TRUE(contents(0) == contents(1)) << "pixels or cells differ, offset " << offset;
        EXPECT_EQ(cursor(0), Pos(7, 9));
    }
}

// Locked, neither scrolling nor a new line in the last line moves anything; clearing to the end
// of the window blanks in the swapped colours.
PROGRAM_TEST(Scroll, ScrollLockAndClearEndOfWindow) {
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
    textwindow(1, 8);
    showlines(1, shifted(0));
    cursorat(1, 5, 3);
    windowrecord(1).TextInverse = true;
    t_ClearEndOfWindow(1);
    EXPECT_EQ(cursor(1), Pos(5, 3));
    EXPECT_EQ((Lines{lineof(1, 2), lineof(1, 3), lineof(1, 25)}),
              (Lines{std::string(80, 'B'), "CCCC", ""}));
    EXPECT_EQ(cellof(1, 5, 3).second, 0x0C);
}

// The rule of t_TextLine runs from the cursor to the last column.
PROGRAM_TEST(Cursor, LevelsNestInvertingTwiceRestoresAndRulesAreUnbroken) {
    textwindow(0, 8);
    t_Print(0, "Hallo");
    cursorat(0, 2, 1);
    const display::t_Window& w = windowrecord(0);
    const Bytes before = memorybytes(w.MemoryStart, 640 * 16);
    t_CursorOn(0);
    t_CursorOn(0);
    t_CursorOff(0);
    EXPECT_EQ(cellof(0, 2, 1).second, 0x0C);
    t_CursorOff(0);
    EXPECT_EQ(cellof(0, 2, 1).second, 0xC0);
    t_CursorOff(0); // level -1: the next On does not draw
    t_CursorOn(0);
    EXPECT_EQ(cellof(0, 2, 1).second, 0xC0);
    t_InvertRect(0, 1, 1, 5, 1);
    EXPECT_EQ(cellof(0, 5, 1).second, 0x0C);
    t_InvertRect(0, 1, 1, 5, 1);
    EXPECT_EQ(memorybytes(w.MemoryStart, 640 * 16), before);
    t_InvertRect(0, 1, 1, 81, 1); // beyond the grid: nothing
    EXPECT_EQ(cellof(0, 1, 1).second, 0xC0);
    t_Reverse(0);
    EXPECT_TRUE(w.TextInverse);
    cursorat(0, 70, 4);
    t_TextLine(0);
    EXPECT_EQ(lineof(0, 4), std::string(69, ' ') + std::string(11, '\x9c'));
    EXPECT_EQ(cursor(0), Pos(1, 5));
}

// From the cursor at (5, 5), inverse as given, display mode 3: where the cursor goes, the
// inverse flag and mode afterwards, and the cells left of the cursor, under it, at the start of
// the next line and above it.
PROGRAM_TEST(PrintControl, EachCodeActsAsItsCommand) {
    textwindow(0, 8);
    struct Row {
        uint8_t code;
        bool inversebefore;
        Pos cursor;
        bool inverse;
        int64_t mode;
        std::string cells; // (4, 5), (5, 5), (1, 6), (5, 4)
    };
    const Row rows[]{
        {0, true, {5, 5}, true, 3, "EEFD"},     {7, false, {5, 5}, false, 3, "EEFD"},
        {8, false, {4, 5}, false, 3, "EEFD"},   {10, false, {5, 6}, false, 3, "EEFD"},
        {11, false, {5, 5}, false, 3, "E  D"},  {12, false, {1, 1}, false, 3, "    "},
        {13, false, {1, 6}, false, 3, "EEFD"},  {14, true, {5, 5}, false, 3, "EEFD"},
        {15, false, {5, 5}, true, 3, "EEFD"},   {17, true, {5, 5}, false, 3, "EEFD"},
        {17, false, {5, 5}, true, 3, "EEFD"},   {18, false, {1, 5}, false, 3, "EEFD"},
        {19, false, {5, 5}, false, 0, "EEFD"},  {20, false, {5, 5}, false, 1, "EEFD"},
        {22, false, {5, 5}, false, 3, "DDEC"},  {23, false, {5, 5}, false, 3, "FFGE"},
        {25, false, {1, 1}, false, 3, "EEFD"},  {26, false, {1, 5}, false, 3, "  FD"},
        {27, false, {5, 5}, false, 99, "EEFD"}, {28, false, {6, 5}, false, 3, "EEFD"},
        {29, false, {5, 5}, false, 3, "E FD"},  {30, false, {5, 4}, false, 3, "EEFD"},
        {31, false, {5, 5}, false, 2, "EEFD"},
    };
    const display::t_Window& w = windowrecord(0);
    const auto at = [](int64_t x, int64_t y) { return static_cast<char>(cellof(0, x, y).first); };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << +row.code);
        showlines(0, shifted(0));
        cursorat(0, 5, 5);
        windowrecord(0).TextInverse = row.inversebefore;
        windowrecord(0).TextDisplayMode = 3;
        const uint64_t bells = display::bellcount();
        t_PrintControl(0, row.code);
        EXPECT_EQ(std::tuple(cursor(0), w.TextInverse, w.TextDisplayMode),
                  std::tuple(row.cursor, row.inverse, row.mode));
        EXPECT_EQ(std::string({at(4, 5), at(5, 5), at(1, 6), at(5, 4)}), row.cells);
        EXPECT_EQ(display::bellcount() - bells, row.code == 7 ? 1u : 0u);
    }
}

// What the header says of its fonts: a text window prints with the two grey ones, while the
// monochrome one is refused glyph by glyph (the cell still records the character).
PROGRAM_TEST(PrintSymbol, TextWindowsPrintWithTheGreyToolkitFontsOnly) {
    const char* const fonts[] = {t_FontBold16x32, t_FontRegular16x32, t_FontBold8x16};
    for (uint8_t n = 0; n < 3; ++n) {
        t_InitWindow(n, 24, 4, 2, 0, fonts[n]);
    }
    LogCapture log;
    for (uint8_t n = 0; n < 3; ++n) {
        t_Print(n, "A");
    }
    EXPECT_EQ(log.lines(),
              Lines{"t_PrintSymbol: Font format must be uncompressed grey for text-printing."});
    for (uint8_t n = 0; n < 3; ++n) {
        const display::t_Window& w = windowrecord(n);
        const uint8_t* pixels = block(n);
        const bool inked = std::any_of(pixels, pixels + w.MemoryEnd - w.MemoryStart + 1,
                                       [](uint8_t b) { return b != 0; });
        EXPECT_EQ(std::pair(cellof(n, 1, 1).first, inked), (std::pair<uint8_t, bool>('A', n < 2)))
            << fonts[n];
    }
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
    EXPECT_EQ(cellof(0, 1, 25).second, 0x10);
    EXPECT_EQ(log.lines().back(),
              "t_QuitProgram: Quitting current thread with message in window #0.");
    // The application goes on: a later program still works with the same window.
    ASSERT_TRUE(runprogram([&] { t_QuitProgram(13); }));
    EXPECT_EQ(log.lines().back(), "t_QuitProgram: Quitting current thread.");
    ASSERT_TRUE(runprogram([&] { t_Print(0, "weiter"); }));
    EXPECT_EQ(lineof(0, 25), "(Programm Ende)weiter");
}
