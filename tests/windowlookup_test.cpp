// The window a command works on: each lookup finds the record or refuses with the command's line.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/logcapture.h"
#include "tests/support/toolkit.h"

#include <gtest/gtest.h>

namespace {

using Lookup = display::t_Window* (*)(const char*, uint8_t);

struct Case {
    const char* lookup;
    Lookup find;
    uint8_t n;
    std::string refusal; // empty: the window is found, silently
};

// Each case on its own: the record found (or null) and the one line logged (or none).
void expectcases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        LogCapture log;
        display::t_Window* found = c.find("t_Command", c.n);
        const bool refused = !c.refusal.empty();
        EXPECT_EQ(found, refused ? nullptr : &display::windowrecord(c.n))
            << c.lookup << " " << +c.n;
        EXPECT_EQ(log.lines(), refused ? Lines{"t_Command: " + c.refusal} : Lines{})
            << c.lookup << " " << +c.n;
    }
}

} // namespace

// Window 0 has a text block, window 1 none, window 2 is not initialised.
TOOLKIT_TEST(WindowLookup, EachLookupNeedsItsStateAndRefusesWithItsLine, runintoolkit) {
    textwindow(0, 8);
    graphicwindow(1, 8);
    const std::string notgraphic = "Window is not a graphic window.";
    expectcases({
        {"numbered", display::numberedwindow, 8, notgraphic},
        {"numbered", display::numberedwindow, 2, ""},
        {"initialized", display::initializedwindow, 255, notgraphic},
        {"initialized", display::initializedwindow, 2, "Window #2 not initialized."},
        {"initialized", display::initializedwindow, 1, ""},
        {"text", display::textwindow, 9, notgraphic},
        {"text", display::textwindow, 2, "Window #2 not initialized."},
        {"text", display::textwindow, 1, "Window #1 not initialized."},
        {"text", display::textwindow, 0, ""},
        {"graphic", display::graphicwindow, 8, notgraphic},
        {"graphic", display::graphicwindow, 2, "Graphic window #2 not initialized."},
        {"graphic", display::graphicwindow, 1, ""},
    });
}

// Before t_InitMemory no window is ready; the lookups say so in their own words.
TEST(WindowLookup, BeforeTheMemoryEveryWindowIsNotInitialized) {
    LogCapture log;
    EXPECT_EQ(display::numberedwindow("t_A", 3), nullptr);
    EXPECT_EQ(display::initializedwindow("t_B", 3), nullptr);
    EXPECT_EQ(display::textwindow("t_C", 3), nullptr);
    EXPECT_EQ(display::graphicwindow("g_D", 3), nullptr);
    EXPECT_EQ(display::shownwindow("t_E", 3), nullptr);
    EXPECT_FALSE(display::takesevents("viewF", 3));
    EXPECT_EQ(
        log.lines(),
        (Lines{"t_A: Window #3 not initialized.", "t_B: Window #3 not initialized.",
               "t_C: Window #3 not initialized.", "g_D: Graphic window #3 not initialized."}));
}

// The renderer's and the views' lookups: silent about what is not theirs to report, and
// "Graphic window (<n>)" in the events' words.
TOOLKIT_TEST(WindowLookup, ShownWindowsAndWindowsThatTakeEvents, runintoolkit) {
    graphicwindow(1, 8);
    display::t_Window& w = display::windowrecord(1);
    LogCapture log;
    w.Visible = false;
    EXPECT_EQ(display::shownwindow("t_Image", 1), nullptr);
    w.Visible = true;
    EXPECT_EQ(display::shownwindow("t_Image", 1), &w);
    EXPECT_EQ(display::shownwindow("t_Image", 8), nullptr);
    EXPECT_EQ(display::shownwindow("t_Image", 2), nullptr);
    EXPECT_TRUE(display::takesevents("viewKey", 1));
    w.IgnoreEvents = true;
    EXPECT_FALSE(display::takesevents("viewKey", 1));
    EXPECT_FALSE(display::takesevents("viewKey", 8));
    EXPECT_FALSE(display::takesevents("viewKey", 2));
    EXPECT_EQ(log.lines(), (Lines{"t_Image: Graphic window #2 not initialized.",
                                  "viewKey: Graphic window (2) not initialized."}));
}

// A window's output goes to the window only while it is routed there and has its text block;
// otherwise to standard output, nowhere, or refused as a window without text.
TOOLKIT_TEST(OutputRoute, SymbolsAndControlCodesGoWhereTheWindowRoutesThem, runintoolkit) {
    textwindow(0, 8);
    graphicwindow(1, 8);
    struct Row {
        uint8_t n;
        int64_t route;
        std::string output;
        Lines lines;
    };
    const Row rows[]{
        {0, t_OutputWindow, "", {}},
        {0, t_OutputStdout, "A\r", {}},
        {0, t_OutputNone, "", {}},
        {1,
         t_OutputWindow,
         "",
         {"t_PrintSymbol: Window #1 not initialized.",
          "t_PrintControl: Window #1 not initialized."}},
        {1, t_OutputStdout, "A\r", {}},
        {1, t_OutputNone, "", {}},
    };
    for (const Row& row : rows) {
        t_RedirectOutput(row.n, row.route);
        t_CursorHome(0);
        LogCapture log;
        t_PrintSymbol(row.n, 'A', 0xF0, 1, 1);
        t_PrintControl(row.n, 13);
        EXPECT_EQ(log.output(), row.output) << +row.n << " " << row.route;
        EXPECT_EQ(log.lines(), row.lines) << +row.n << " " << row.route;
        const bool drawn = row.n == 0 && row.route == t_OutputWindow;
        EXPECT_EQ(display::windowrecord(0).TextVpos, drawn ? 2 : 1) << +row.n << " " << row.route;
    }
}
