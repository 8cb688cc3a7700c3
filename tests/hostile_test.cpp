// Input that used to lose or corrupt what the user typed, commands driven to their limits, and
// the windows each command refuses.
#include "display/bell.h"
#include "display/windowlookup.h"
#include "events/queues.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/inputhelpers.h"

#include <climits>

constexpr int64_t Paste = 22;

// Each paste into a field: what the line holds afterwards (the bar is the cursor) and whether it
// rang the bell once for characters left out.
WINDOW_TEST(Paste, InsertsAtTheCursorWhatTheFieldCanHoldBoundedAndRingsOnceForTheRest) {
    struct Row {
        std::string before; // the line, with the cursor at its end or at a bar
        int64_t mode, maximum;
        std::string pasted, after;
        bool bell;
    };
    const Row rows[]{
        {"", 0, 10, "€5.12.1985€\nzweite Zeile", "5.12.1985|", true},
        {"", 0, 10, "abc\r\ndef", "abc|", false},
        {"", 0, 10, "", "|", false},
        {"", 0, 10, "\nabc", "|", false},
        {"", 0, 10, "a\tb\033c\177d", "abcd|", true},
        {"", 0, 10, "\u00FF\u0080\u00A0~", "\u00FF\u0080 ~|", false},
        // Refused characters take no room; blanks around and invisible characters are dropped.
        {"", 2, 8, "05.12.1985", "05121985|", true},
        {"", 2, 5, "1.2.3.4.5.6.7", "12345|", true},
        {"", 0, 12, "05.12.\u200B1985", "05.12.1985|", false},
        {"", 0, 12, " \t05.12.1985\u00A0 ", "05.12.1985|", false},
        {"", 0, 12, "\uFEFF05.\u200F12.\u2060\u202F1985", "05.12. 1985|", false},
        {"", 0, 10, "e\u0301x\U0001F600", "ex|", true},
        {"", 0, 10, "0123456789", "0123456789|", false},
        {"", 0, 10, "0123456789A", "0123456789|", true},
        {"abcdefgh", 0, 10, "xyz", "abcdefghxy|", true},
        {"ab|cd", 0, 10, "XY", "abXY|cd", false},
        {"abcdefghij", 0, 10, "x", "abcdefghij|", true},
        {"", 2, 10, "-12-3a", "-123|", true},
        {"", 3, 10, "1.5E-3.", "1,5e-3|", true},
        {"", 0, 0, "a", "|", true},
        {"", 0, 100, std::string(90, 'z'), std::string(79, 'z') + "|", true},
    };
    for (const Row& row : rows) {
        std::string before = row.before;
        const size_t bar = std::min(before.find('|'), before.size()); // no bar: at the end
        field(before.erase(bar, 1), row.mode, row.maximum, "");
        windowrecord(0).InputCursorPos = static_cast<int64_t>(bar);
        setpasteboard(row.pasted);
        const uint64_t bells = display::bellcount();
        t_InputEdit(0, Paste);
        EXPECT_EQ(line(), row.after) << row.pasted;
        EXPECT_EQ(display::bellcount() - bells, row.bell ? 1u : 0u) << row.pasted;
        EXPECT_FALSE(events::keyqueue().available()) << row.pasted;
        EXPECT_FALSE(window().InputFinished) << row.pasted;
    }
}

// Five million characters into a ten-character field stay bounded in time and memory.
WINDOW_TEST(Paste, AHugePasteboardStaysBoundedInTimeAndMemory) {
    setpasteboard(std::string(5'000'000, '7') + "\nzweite Zeile");
    field("", 0, 10, "");
    const int64_t peak = peakkilobytes();
    const auto start = std::chrono::steady_clock::now();
    t_InputEdit(0, Paste);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_LT(peakkilobytes() - peak, 20 * 1024);
    EXPECT_EQ(line(), "7777777777|");
    EXPECT_FALSE(events::keyqueue().available());
}

namespace {

Lines refusals(int64_t from, int64_t to, int64_t y = 2) {
    Lines lines;
    for (int64_t x = from; x <= to; ++x) {
        lines.push_back("t_PrintSymbol: Window #0 illegal coordinates (x = " + std::to_string(x) +
                        ", y = " + std::to_string(y) + ").");
        if (x == to) {
            break; // to may be INT64_MAX
        }
    }
    return lines;
}

} // namespace

// TextHline reports every illegal column; tabs to columns at the limits of int64_t are out of
// range like any other.
PROGRAM_TEST(Refusals, TextHlineReportsEveryIllegalColumn) {
    LogCapture log;
    t_InitWindow(0, 8, false, 1280, 800, 0, 0, makegreyfont(16, 32), true);
    struct Span {
        int64_t from, to;
        Lines refused;
    };
    // Each illegal column is refused, for at most 1024 columns from the range's start on that side.
    const Span spans[]{{90, 95, refusals(90, 95)},
                       {79, 82, refusals(81, 82)},
                       {-2, 1, refusals(-2, 0)},
                       {100, 200, refusals(100, 200)},
                       {81, INT64_MAX, refusals(81, 1104)},
                       {INT64_MIN, 0, refusals(INT64_MIN, INT64_MIN + 1023)},
                       {INT64_MAX - 2, INT64_MAX, refusals(INT64_MAX - 2, INT64_MAX)},
                       {95, 90, {}}};
    for (const Span& span : spans) {
        log.clear();
        t_TextHline(0, span.from, span.to, 2, '=');
        EXPECT_EQ(log.lines(), span.refused) << span.from << " " << span.to;
    }
    EXPECT_EQ(t_GetScreen(0, "\r"), "\r=" + std::string(77, ' ') + "==");
    t_Htab(0, 7);
    t_Htab(0, LLONG_MAX);
    t_Htab(0, LLONG_MIN);
    EXPECT_EQ(window().TextHpos, 7);
}

// Fonts whose cell sizes make the cell arithmetic overflow are refused; empty cells draw nothing
// but record the character.
PROGRAM_TEST(CellArithmetic, AbsurdFontSizesAreRefusedOrDrawNothing) {
    t_InitWindow(0, 8, false, 1280, 800, 0, 0, makegreyfont(16, 32), true);
    LogCapture log;
    constexpr int64_t huge = int64_t{1} << 62;
    struct Row {
        int64_t width, height, x, y;
        bool legal;
    };
    const Row rows[]{
        {huge, 32, 4, 1, false}, {huge, 32, 1, 1, false},      {int64_t{1} << 61, 32, 8, 1, false},
        {16, huge, 1, 4, false}, {16, INT64_MIN, 1, 2, false}, {INT64_MAX, INT64_MAX, 2, 2, false},
        {-16, 32, 3, 1, true},   {0, 0, 5, 6, true},           {16, 32, 80, 25, true}};
    const Bytes pixels = memorybytes(window().MemoryStart, 1280 * 800);
    for (const Row& row : rows) {
        t_WindowFont(0, withcell(makegreyfont(16, 32), row.width, row.height));
        log.clear();
        t_PrintSymbol(0, 'A', 0xC0, row.x, row.y);
        EXPECT_EQ(log.lines(), row.legal ? Lines{} : refusals(row.x, row.x, row.y)) << row.width;
        const uint8_t recorded =
            display::videomemory()[window().TextMemoryStart + (row.y - 1) * 80 + row.x - 1];
        EXPECT_EQ(recorded, row.legal ? 'A' : ' ') << row.width;
        if (row.width != 16 || !row.legal) {
            EXPECT_EQ(memorybytes(window().MemoryStart, 1280 * 800), pixels) << row.width;
        }
    }
    // A window made with a font whose cells have a side below 1 has no text block.
    for (const auto& [width, height] : {std::pair{8, -1}, {-8, 16}, {0, 16}}) {
        t_InitWindow(1, 8, false, 64, 32, 0, 0, withcell(makegreyfont(8, 16), width, height), true);
        EXPECT_TRUE(windowrecord(1).Initialized) << width << " " << height;
        EXPECT_EQ(windowrecord(1).TextMemoryStart, -1) << width << " " << height;
    }
    // Scrolling has no pixels of such fonts to move.
    const Bytes drawn = memorybytes(window().MemoryStart, 1280 * 800);
    for (const int64_t side : {huge, INT64_MIN, INT64_MAX}) {
        t_WindowFont(0, withcell(makegreyfont(16, 32), side, side));
        t_ScrollUp(0);
        t_ScrollDown(0);
        EXPECT_EQ(memorybytes(window().MemoryStart, 1280 * 800), drawn) << side;
    }
}

// Glyphs of fonts with cell sides at the limits of int64_t: too large ones are refused, those with
// a negative side have no pixels; neither draws.
PROGRAM_TEST(Glyphs, CellSidesAtTheLimitsDrawNothing) {
    graphicwindow(0, 24, 64, 32);
    const Bytes pixels = memorybytes(window().MemoryStart, 64 * 32 * 3);
    struct Row {
        int64_t width, height, advancedx, format;
    };
    constexpr int64_t grey = t_Font::Grey, mono = t_Font::Monochrome;
    const Row rows[]{
        {8, LLONG_MIN, 18, grey}, {LLONG_MIN, 16, LLONG_MIN + 10, grey},
        {8, LLONG_MAX, 10, grey}, {LLONG_MAX, 16, 10, grey},
        {8, LLONG_MIN, 18, mono}, {-(int64_t{1} << 60), 16, 10 - (int64_t{1} << 60), mono}};
    for (const Row& row : rows) {
        t_Font font = withcell(makegreyfont(8, 16), row.width, row.height);
        font.Format = row.format;
        g_GotoXY(0, 10, 4);
        g_PrintSymbol(0, 'A', 1, 1, t_PaletteColor(15), t_PaletteColor(0), font);
        EXPECT_EQ(window().PositionX, row.advancedx) << row.width << " " << row.height;
        EXPECT_EQ(memorybytes(window().MemoryStart, 64 * 32 * 3), pixels) << row.width;
    }
}

namespace {

// What a command needs of its window.
enum class Needs { Initialized, Text, Graphic };

struct Command {
    std::string name;
    Needs needs;
    std::function<void(uint8_t)> call;
};

// The lines of a command given windows 8, 255, 2 (not initialised) and 1 (no text block).
Lines refusalsof(const Command& c) {
    const std::string notgraphic = c.name + ": Window is not a graphic window.";
    Lines lines{notgraphic, notgraphic,
                c.name + (c.needs == Needs::Graphic ? ": Graphic window" : ": Window") +
                    " #2 not initialized."};
    if (c.needs == Needs::Text) {
        lines.push_back(c.name + ": Window #1 not initialized.");
    }
    return lines;
}

} // namespace

// Window 1 is a graphic window without a text block, window 2 is not initialised.
PROGRAM_TEST(WindowLookup, EachCommandRefusesTheWindowsItCannotUseWithItsLine) {
    graphicwindow(1, 8);
    const Command commands[]{
        {"g_Plot", Needs::Graphic, [](uint8_t n) { g_Plot(n, 0, 0, white); }},
        {"g_Scrn", Needs::Graphic,
         [](uint8_t n) {
             EXPECT_EQ(g_Scrn(n, 1, 1), (n == 1 ? t_RGBColor{0, 0, 0, 0} : black));
         }},
        {"g_GotoXY", Needs::Graphic, [](uint8_t n) { g_GotoXY(n, 1, 1); }},
        {"g_Line", Needs::Graphic, [](uint8_t n) { g_Line(n, 1, 0, 1, 0); }},
        {"g_PrintSymbol", Needs::Graphic,
         [](uint8_t n) { g_PrintSymbol(n, 'A', 1, 1, white, black, makegreyfont(8, 16)); }},
        {"t_Color", Needs::Initialized, [](uint8_t n) { t_Color(n, 1); }},
        {"t_ColorBorder", Needs::Initialized, [](uint8_t n) { t_ColorBorder(n, 1); }},
        {"t_WindowFont", Needs::Initialized, [](uint8_t n) { t_WindowFont(n, t_Font{}); }},
        {"t_PrintSymbol", Needs::Text, [](uint8_t n) { t_PrintSymbol(n, 'A', 0xF0, 1, 1); }},
        {"t_PrintControl", Needs::Text, [](uint8_t n) { t_PrintControl(n, 13); }},
        {"t_PrintSpc", Needs::Text, [](uint8_t n) { t_PrintSpc(n, 5); }},
        {"t_ScrollUp", Needs::Text, [](uint8_t n) { t_ScrollUp(n); }},
        {"t_GetScreen", Needs::Text, [](uint8_t n) { EXPECT_EQ(t_GetScreen(n, "\r"), ""); }},
        {"t_InputForm", Needs::Text,
         [](uint8_t n) { EXPECT_EQ(t_InputForm(n, "", "x", true, 0, 5), ""); }},
        {"t_InputEdit", Needs::Text, [](uint8_t n) { t_InputEdit(n, 'a'); }},
        {"t_InputInsert", Needs::Text, [](uint8_t n) { t_InputInsert(n, 'a'); }},
    };
    for (const Command& c : commands) {
        LogCapture log;
        for (uint8_t n : {8, 255, 2, 1}) {
            c.call(n);
        }
        EXPECT_EQ(log.lines(), refusalsof(c)) << c.name;
    }
}

// Before t_InitMemory no window is ready; each kind of command says so in its own words.
TEST(WindowLookup, BeforeTheMemoryEveryWindowIsNotInitialized) {
    LogCapture log;
    EXPECT_EQ(t_InputForm(3, "", "x", true, 0, 5), "");
    t_PrintControl(3, 13);
    t_Color(3, 1);
    g_Plot(3, 0, 0);
    EXPECT_EQ(display::shownwindow("t_E", 3), nullptr);
    EXPECT_FALSE(display::takesevents("viewF", 3));
    EXPECT_EQ(log.lines(), (Lines{"t_InputForm: Window #3 not initialized.",
                                  "t_PrintControl: Window #3 not initialized.",
                                  "t_Color: Window #3 not initialized.",
                                  "g_Plot: Graphic window #3 not initialized."}));
}
