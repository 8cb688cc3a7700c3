#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/clock.h"
#include "core/lookup.h"
#include "core/threads.h"
#include "display/initwindow.h"
#include "display/videomemory.h"
#include "display/windowcommands.h"
#include "graphics/plot.h"
#include "input/keyqueue.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"
#include "text/print.h"
#include "ui/builtinactions.h"
#include "ui/copyconversion.h"
#include "ui/menuactions.h"
#include "ui/menuevents.h"
#include "ui/menuitems.h"
#include "ui/textwindows.h"
#include "ui/windownumbers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <atomic>
#include <gtest/gtest.h>

namespace {

const t_Font nofont{};

void asprogram(const std::function<void()>& body, const platform::InterfaceOmissions& omit = {}) {
    setuptoolkit(omit);
    ASSERT_TRUE(runprogram(body));
}

bool waitfor(const std::function<bool()>& condition) {
    for (int i = 0; i < 2000 && !condition(); ++i) {
        sleepmilliseconds(1);
    }
    return condition();
}

// The lines of the menus, without the bell's one-time report about the audio device and the
// auto-update thread's start, which come at their own time.
std::vector<std::string> toolkitlines(const LogCapture& log) {
    std::vector<std::string> lines;
    for (const std::string& line : log.lines()) {
        if (!line.starts_with("bell: ") && !line.starts_with("t_WindowAutoUpdateProcess: ")) {
            lines.push_back(line);
        }
    }
    return lines;
}

platform::MenuItem itemwithtag(const std::string& menu, int64_t tag) {
    return onmain([&] {
        platform::Menu m = platform::mainmenuwithtitle(menu);
        return platform::menuitemat(m, platform::menuindexofitemwithtag(m, tag));
    });
}

// Chooses the item as the user would; the handler runs on the main thread.
void choose(platform::MenuItem item) {
    onmain([item] { platform::menuitemperform(item); });
}

void choose(const std::string& menu, int64_t tag) {
    platform::MenuItem item = itemwithtag(menu, tag);
    ASSERT_NE(item, nullptr) << menu << " " << tag;
    choose(item);
}

void makemain(uint8_t n) {
    t_WindowFront(n);
    ASSERT_TRUE(waitfor([n] { return getmainwindownumber() == n; }));
}

bool isvisible(uint8_t n) {
    return onmain([n] { return platform::windowisvisible(getwindow(n)); });
}

std::string pasteboard() {
    return onmain([] { return platform::pasteboardstring(); });
}

void setpasteboard(const std::string& text) {
    onmain([&] { platform::pasteboardsetstring(text); });
}

// Counts runs of the program's menu handler and the name of the thread of the last one.
struct HandlerRuns {
    std::atomic<int> count{0};
    std::string threadname;
    std::mutex lock;

    void install() {
        setmenuhandler([this] {
            {
                std::lock_guard guard(lock);
                threadname = currentthreadname();
            }
            ++count; // last: a test may end, and this object go, as soon as it sees the count
        });
    }
};

} // namespace

// ---- Start-up -------------------------------------------------------------------------------

TEST(MenuStartup, FillsTheTableAndTrimsOnlyMenusThatExist) {
    asprogram([] {
        LogCapture log;
        t_InitMemory();
        const std::vector<t_MenuAction> table = menuactions();
        ASSERT_EQ(table.size(), 37u);
        EXPECT_EQ(table.front().Tag, 200);
        EXPECT_EQ(table[31].Tag, 231);
        EXPECT_EQ(table[32].Tag, 110);
        EXPECT_EQ(table.back().Tag, 114);
        for (const t_MenuAction& entry : table) {
            EXPECT_EQ(entry.Action, entry.Tag);
            EXPECT_TRUE(entry.Title.empty() && entry.Note.empty() && entry.FileName.empty() &&
                        entry.FileTypes.empty() && entry.FilePath.empty());
        }
        // The bar is German: every lookup in "Edit" and "Window" misses.
        std::vector<std::string> expected{"t_InitMemory: Start."};
        expected.insert(expected.end(), 5, "t_MenuItemIndex: Menu not found.");
        expected.push_back("t_MenuItemTitle: Menu not found.");
        expected.push_back("t_MenuItemDelete: Menu not found.");
        expected.insert(expected.end(), 3, "t_MenuItemIndex: Menu not found.");
        expected.push_back("t_InitMemory: End.");
        EXPECT_EQ(log.lines(), expected);
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", LastMenuItem), "Konsole löschen");
        EXPECT_EQ(t_MenuItemIndex("Fenster", "Konsole ausblenden"), 14);
    });
}

TEST(MenuStartup, RemovesThePlatformsOwnItemsInBothLanguages) {
    setuptoolkit();
    onmain([] {
        platform::Menu edit = platform::mainmenuwithtitle("Bearbeiten");
        platform::menuappenditem(edit, "Emoji & Symbole", 900, "");
        platform::menuappenditem(edit, "Diktat starten …", 901, "");
        platform::menuappendseparator(edit);
        platform::Menu english = platform::mainmenuappend("Edit");
        platform::menuappenditem(english, "Copy", 902, "");
        platform::menuappenditem(english, "Start Dictation…", 903, "");
        platform::menuappenditem(english, "Emoji & Symbols", 904, "");
        platform::Menu window = platform::mainmenuwithtitle("Fenster");
        platform::menuappenditem(window, "Vollbildmodus", 905, "");
        platform::Menu englishwindow = platform::mainmenuappend("Window");
        platform::menuappenditem(englishwindow, "Tile Window to Left of Screen", 906, "");
        platform::menuappenditem(englishwindow, "Minimize", 907, "");
    });
    ASSERT_TRUE(runprogram([] {
        LogCapture log;
        t_InitMemory();
        EXPECT_EQ(log.lines(), (std::vector<std::string>{
                                   "t_InitMemory: Start.",
                                   "*** Found Window Menu Item Tile Window to Left of Screen",
                                   "*** Found Fenster Menu Item Vollbildmodus",
                                   "t_InitMemory: End.",
                               }));
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", LastMenuItem), "Konsole löschen");
        EXPECT_EQ(t_MenuItemIndex("Bearbeiten", "Emoji & Symbole"), -1);
        EXPECT_EQ(t_MenuItemTitle("Edit", 0), "Copy");
        EXPECT_EQ(t_MenuItemTitle("Edit", LastMenuItem), "Copy");
        EXPECT_EQ(t_MenuItemTitle("Window", LastMenuItem), "Minimize");
        EXPECT_EQ(t_MenuItemIndex("Fenster", "Vollbildmodus"), -1);
    }));
}

// ---- Menu-item operations -------------------------------------------------------------------

TEST(MenuItems, FindTitleAndDeleteByPosition) {
    asprogram([] {
        LogCapture log;
        EXPECT_EQ(t_MenuItemIndex("Ablage", "Sichern"), -2);
        EXPECT_EQ(t_MenuItemIndex("Bearbeiten", "Gibt es nicht"), -1);
        EXPECT_EQ(t_MenuItemIndex("Bearbeiten", "Text kopieren"), 1);
        EXPECT_EQ(t_MenuItemIndex("Bearbeiten", ""), 2); // the separator
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", 0), "Bild kopieren");
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", 5), "");
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", -1), "");
        EXPECT_EQ(t_MenuItemTitle("Ablage", 0), "");
        t_MenuItemDelete("Ablage", 0);
        t_MenuItemDelete("Bearbeiten", 5);
        t_MenuItemDelete("Bearbeiten", -3);
        EXPECT_EQ(log.lines(), (std::vector<std::string>{
                                   "t_MenuItemIndex: Menu not found.",
                                   "t_MenuItemTitle: Item position out of range",
                                   "t_MenuItemTitle: Item position out of range",
                                   "t_MenuItemTitle: Menu not found.",
                                   "t_MenuItemDelete: Menu not found.",
                                   "t_MenuItemDelete: Item position out of range",
                                   "t_MenuItemDelete: Item position out of range",
                               }));
        t_MenuItemDelete("Bearbeiten", 0);
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", 0), "Text kopieren");
        t_MenuItemDelete("Bearbeiten", LastMenuItem);
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", LastMenuItem), "Drucker löschen");
    });
}

TEST(MenuItems, LastPositionOfAnEmptyMenuIsOutOfRange) {
    setuptoolkit();
    onmain([] { platform::mainmenuappend("Leer"); });
    ASSERT_TRUE(runprogram([] {
        LogCapture log;
        t_MenuItemDelete("Leer", LastMenuItem);
        EXPECT_EQ(t_MenuItemTitle("Leer", LastMenuItem), "");
        EXPECT_EQ(t_MenuItemIndex("Leer", ""), -1);
        EXPECT_EQ(log.lines(), (std::vector<std::string>{
                                   "t_MenuItemDelete: Item position out of range",
                                   "t_MenuItemTitle: Item position out of range",
                               }));
    }));
}

// ---- Selections ---------------------------------------------------------------------------

TEST(MenuEvents, TableActionQueuesTheEventWithoutTheProgramHandler) {
    HandlerRuns runs;
    runs.install();
    asprogram([&] {
        t_InitMemory();
        t_WindowVisible(10, true);
        ASSERT_TRUE(isvisible(10));
        choose("Fenster", 230);
        EXPECT_FALSE(isvisible(10));
        ASSERT_EQ(menueventcount(), 1);
        const t_MenuEvent event = menuevents()[0];
        EXPECT_EQ(event.Kind, 3);
        EXPECT_EQ(event.MenuTitle, "Fenster");
        EXPECT_EQ(event.ItemTitle, "Konsole ausblenden");
        EXPECT_EQ(event.ItemAction, 230);
        EXPECT_TRUE(event.ItemKeyChar.empty());
        EXPECT_GT(event.Time, 0);
        EXPECT_TRUE(menueventavailable());
        sleepmilliseconds(50);
        EXPECT_EQ(runs.count, 0);
        // A shortcut item records its key equivalent.
        choose("Fenster", 229);
        EXPECT_TRUE(isvisible(10));
        const t_MenuEvent shown = menuevents().back();
        EXPECT_EQ(shown.ItemKeyChar, "o");
        EXPECT_EQ(shown.ItemKeyAsc, 'o');
        EXPECT_EQ(shown.ItemKeyMods, (1u << 17) | (1u << 18));
    });
}

TEST(MenuEvents, ItemsWithoutATableEntryRunTheProgramHandler) {
    HandlerRuns runs;
    runs.install();
    asprogram([&] {
        t_InitMemory();
        platform::MenuItem own = onmain([] {
            platform::Menu m = platform::mainmenuwithtitle("Fenster");
            return platform::menuappenditem(m, "Eigener Punkt", 0, "");
        });
        platform::MenuItem unknown = onmain([] {
            platform::Menu m = platform::mainmenuwithtitle("Bearbeiten");
            return platform::menuappenditem(m, "Unbekannt", 4711, "");
        });
        platform::MenuItem loose = onmain([] { return platform::makemenuitem("Knopf", 110); });
        choose(own);
        ASSERT_TRUE(waitfor([&] { return runs.count == 1; }));
        {
            std::lock_guard guard(runs.lock);
            EXPECT_EQ(runs.threadname, "t_EventMenu");
        }
        choose(unknown);
        ASSERT_TRUE(waitfor([&] { return runs.count == 2; }));
        // An item in no menu: an empty event, and no built-in action although its tag has one.
        setpasteboard("unberührt");
        choose(loose);
        ASSERT_TRUE(waitfor([&] { return runs.count == 3; }));
        EXPECT_EQ(pasteboard(), "unberührt");
        const std::vector<t_MenuEvent> events = menuevents();
        ASSERT_EQ(events.size(), 3u);
        EXPECT_EQ(events[0].Kind, 3);
        EXPECT_EQ(events[0].ItemAction, 0);
        EXPECT_EQ(events[0].ItemTitle, "Eigener Punkt");
        EXPECT_EQ(events[1].ItemAction, 4711);
        EXPECT_EQ(events[1].MenuTitle, "Bearbeiten");
        EXPECT_EQ(events[2].Kind, 0);
        EXPECT_EQ(events[2].ItemAction, 0);
        EXPECT_TRUE(events[2].ItemTitle.empty());
        EXPECT_EQ(events[2].Time, 0);
    });
}

TEST(MenuEvents, GraphicWindowActionsShowAndHideByPairs) {
    asprogram([] {
        for (uint8_t n : {0, 1, 7}) {
            t_InitWindow(n, 4, false, 64, 32, 4, 4, nofont, true);
        }
        choose("Fenster", 214); // window 0, hide
        EXPECT_FALSE(isvisible(0));
        EXPECT_FALSE(windowrecord(0).Visible);
        choose("Fenster", 216); // window 1, hide
        EXPECT_FALSE(isvisible(1));
        choose("Fenster", 215); // window 1, show
        EXPECT_TRUE(isvisible(1));
        EXPECT_TRUE(windowrecord(1).Visible);
        choose("Fenster", 213);
        EXPECT_TRUE(isvisible(0));
        choose("Fenster", 228); // window 7, hide
        EXPECT_FALSE(isvisible(7));
        EXPECT_TRUE(isvisible(1));
        LogCapture log;
        choose("Fenster", 220); // window 3 was never created
        EXPECT_EQ(toolkitlines(log),
                  std::vector<std::string>{"t_MenuEventHandler: Window #3 not initialized."});
        EXPECT_EQ(menueventcount(), 6);
    });
}

TEST(MenuEvents, SpecialWindowsAndHidingAll) {
    asprogram([] {
        t_InitWindow(2, 8, false, 64, 32, 0, 0, nofont, true);
        for (auto [tag, n] : {std::pair{205, 12}, {207, 11}, {209, 9}, {211, 8}, {229, 10}}) {
            choose("Fenster", tag);
            EXPECT_TRUE(isvisible(static_cast<uint8_t>(n))) << tag;
        }
        makemain(9);
        choose("Fenster", 201); // the main window
        EXPECT_FALSE(isvisible(9));
        EXPECT_TRUE(isvisible(8));
        for (auto [tag, n] : {std::pair{206, 12}, {208, 11}, {212, 8}}) {
            choose("Fenster", tag);
            EXPECT_FALSE(isvisible(static_cast<uint8_t>(n))) << tag;
        }
        choose("Fenster", 229);
        choose("Fenster", 205);
        choose("Fenster", 200);
        for (uint8_t n = 0; n <= 12; ++n) {
            EXPECT_FALSE(isvisible(n)) << int(n);
        }
        EXPECT_FALSE(windowrecord(2).Visible);
    });
}

// ---- Copying --------------------------------------------------------------------------------

TEST(CopyConversion, BoxDrawingCodesBecomePlainCharacters) {
    const std::pair<int64_t, uint32_t> table[] = {
        {127, '#'}, {128, '*'}, {129, '#'}, {130, '<'}, {131, '='}, {132, '>'},    {133, 'O'},
        {134, '+'}, {135, '+'}, {136, '+'}, {137, '+'}, {138, '|'}, {139, '|'},    {140, '-'},
        {141, '-'}, {142, '+'}, {143, '+'}, {144, '+'}, {145, '+'}, {146, '+'},    {147, '+'},
        {148, '+'}, {149, '+'}, {150, '+'}, {151, '+'}, {152, '+'}, {153, '+'},    {154, '-'},
        {155, '-'}, {156, '|'}, {157, '|'}, {158, '+'}, {159, '='}, {160, 0x02FD},
    };
    for (auto [code, copied] : table) {
        EXPECT_EQ(copiedscalar(code), copied) << code;
    }
    for (int64_t code : {0, 32, 65, 126, 161, 228, 255, 0x20AC, 0x10FFFF}) {
        EXPECT_EQ(copiedscalar(code), code);
    }
    for (int64_t code : {-1, 0xD800, 0xDFFF, 0x110000}) {
        EXPECT_EQ(copiedscalar(code), 0u) << code;
    }
    EXPECT_EQ(copyconversion("a\u008C\u008Ab\r\u00A0\u00E4"), "a-|b\r\u02FD\u00E4");
    EXPECT_EQ(copyconversion("\xFF"), "\uFFFD");
    EXPECT_EQ(copyconversion(""), "");
}

TEST(CopyText, GraphicWindowTextIsConvertedOnTheWay) {
    asprogram([] {
        t_InitWindow(0, 24, false, 20 * 8, 3 * 16, 0, 0, makegreyfont(8, 16), true);
        t_Print(0, std::vector<uint8_t>{'A', 140, 138, 'B', 13, 137, 156, 0xE4});
        makemain(0);
        choose("Bearbeiten", 111);
        EXPECT_EQ(pasteboard(), "A-|B\r+|\u00E4");
    });
}

TEST(CopyText, PrinterTextAndRefusalsOfOtherWindows) {
    asprogram([] {
        t_InitMemory();
        onmain([] {
            platform::textviewsetstring(appdelegate().VirtualPrinterTextView, "Seite 1\nZeile ─ 2");
        });
        makemain(9);
        choose("Bearbeiten", 111);
        EXPECT_EQ(pasteboard(), "Seite 1\nZeile ─ 2"); // the text views' text is not converted
        setpasteboard("vorher");
        makemain(8);
        LogCapture log;
        choose("Bearbeiten", 111);
        EXPECT_EQ(pasteboard(), "vorher");
        makemain(10); // an empty console: nothing to copy
        choose("Bearbeiten", 111);
        EXPECT_EQ(pasteboard(), "vorher");
        makemain(1); // a graphic window that does not exist yet
        choose("Bearbeiten", 111);
        EXPECT_EQ(pasteboard(), "vorher");
        EXPECT_EQ(log.count("t_GetScreen: Window #1 not initialized."), 1u);
        EXPECT_EQ(menueventcount(), 4);
    });
}

TEST(CopyText, MissingTextViewIsReported) {
    asprogram([] {
        t_InitMemory();
        makemain(10);
        onmain([] { appdelegate().SystemConsoleTextView = nullptr; });
        LogCapture log;
        choose("Bearbeiten", 111);
        choose("Bearbeiten", 114);
        EXPECT_EQ(toolkitlines(log),
                  (std::vector<std::string>{
                      "t_MenuEventHandler: System console window is nil, resource undefined.",
                      "t_MenuEventHandler: System console window is nil, resource undefined.",
                  }));
    });
}

TEST(CopyPicture, MainGraphicWindowImageGoesToThePasteboard) {
    asprogram([] {
        t_InitWindow(1, 4, false, 32, 40, 2, 2, nofont, true);
        g_Plot(1, 3, 5, t_RGBColor{255, 255, 255, 255});
        makemain(1);
        choose("Bearbeiten", 110);
        QImage image = onmain([] { return QGuiApplication::clipboard()->image(); });
        ASSERT_EQ(image.size(), QSize(32, 40));
        EXPECT_EQ(image.pixel(3, 5) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(image.pixel(4, 5) & 0xFFFFFF, 0u);
        setpasteboard("Text");
        makemain(9);
        choose("Bearbeiten", 110);
        EXPECT_EQ(pasteboard(), "Text");
    });
}

// ---- Text windows and the window action ----------------------------------------------------

TEST(ClearActions, EmptyBufferAndTextView) {
    asprogram([] {
        t_InitMemory();
        appendprinterbuffer("gedruckt");
        appendconsolebuffer("gemeldet");
        onmain([] {
            platform::textviewsetstring(appdelegate().VirtualPrinterTextView, "gedruckt");
            platform::textviewsetstring(appdelegate().SystemConsoleTextView, "gemeldet");
        });
        choose("Bearbeiten", 112);
        EXPECT_TRUE(printerbuffer().empty());
        EXPECT_EQ(consolebuffer(), std::vector<std::string>{"gemeldet"});
        EXPECT_EQ(
            onmain([] { return platform::textviewstring(appdelegate().VirtualPrinterTextView); }),
            "");
        choose("Bearbeiten", 114);
        EXPECT_TRUE(consolebuffer().empty());
        EXPECT_EQ(
            onmain([] { return platform::textviewstring(appdelegate().SystemConsoleTextView); }),
            "");
    });
}

TEST(ClearActions, MissingPrinterIsReported) {
    platform::InterfaceOmissions omit;
    omit.printer = true;
    asprogram(
        [] {
            t_InitMemory();
            appendprinterbuffer("bleibt");
            LogCapture log;
            choose("Bearbeiten", 112);
            EXPECT_EQ(toolkitlines(log),
                      std::vector<std::string>{"t_MenuEventHandler: Virtual printer window is "
                                               "nil, resource undefined."});
            EXPECT_EQ(printerbuffer(), std::vector<std::string>{"bleibt"});
        },
        omit);
}

TEST(WindowAction, RunsTheHookOnTheMainThreadForGraphicWindowsOnly) {
    std::atomic<int> calls{0};
    std::atomic<bool> onmainthread{false};
    setwindowactionhook([&] {
        onmainthread = platform::ismainthread();
        ++calls;
    });
    asprogram([&] {
        t_InitWindow(4, 8, false, 16, 16, 0, 0, nofont, true);
        makemain(4);
        choose("Fenster", 113);
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(onmainthread);
        makemain(12);
        choose("Fenster", 113);
        EXPECT_EQ(calls, 1);
    });
}
