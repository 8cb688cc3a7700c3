#include "base/clock.h"
#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "core/threads.h"
#include "display/videomemory.h"
#include "events/queues.h"
#include "tests/support/inputhelpers.h"
#include "ui/builtinactions.h"
#include "ui/copyconversion.h"
#include "ui/menuactions.h"
#include "ui/textwindows.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace {

// Chooses the item as the user would; the handler runs on the main thread.
void choose(platform::MenuItem item) {
    core::onmain([item] { platform::menuitemperform(item); });
}

void choose(const std::string& menu, int64_t tag) {
    platform::MenuItem item = core::onmain([&] {
        platform::Menu m = platform::mainmenuwithtitle(menu);
        return platform::menuitemat(m, platform::menuindexofitemwithtag(m, tag));
    });
    ASSERT_NE(item, nullptr) << menu << " " << tag;
    choose(item);
}

// An item appended to the menu of that title, made first when the bar has none.
platform::MenuItem additem(const std::string& menu, const std::string& title, int64_t tag) {
    return core::onmain([&] {
        platform::Menu m = platform::mainmenuwithtitle(menu);
        return platform::menuappenditem(m ? m : platform::mainmenuappend(menu), title, tag, "");
    });
}

std::string viewtext(platform::TextView core::AppDelegate::*view) {
    return core::onmain([view] { return platform::textviewstring(core::appdelegate().*view); });
}

} // namespace

PROGRAM_TEST(MenuStartup, FillsTheTableTrimsOnlyMenusThatExistAndItemsAreFoundByPosition) {
    LogCapture log;
    t_InitMemory();
    Numbers tags;
    for (const ui::t_MenuAction& entry : ui::menuactions()) {
        tags.push_back(entry.Tag);
        EXPECT_EQ(entry.Action, entry.Tag);
        EXPECT_TRUE(entry.Title.empty() && entry.Note.empty() && entry.FileName.empty() &&
                    entry.FileTypes.empty() && entry.FilePath.empty());
    }
    EXPECT_EQ(tags, (Numbers{200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212,
                             213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223, 224, 225,
                             226, 227, 228, 229, 230, 231, 110, 111, 112, 113, 114}));
    // The bar is German: every lookup in "Edit" and "Window" misses.
    const std::string index = "t_MenuItemIndex: Menu not found.";
    EXPECT_EQ(log.lines(),
              (Lines{"t_InitMemory: Start.", index, index, index, index, index,
                     "t_MenuItemTitle: Menu not found.", "t_MenuItemDelete: Menu not found.", index,
                     index, index, "t_InitMemory: End."}));
    EXPECT_EQ(t_MenuItemTitle("Bearbeiten", 65535), "Konsole löschen");
    EXPECT_EQ(t_MenuItemIndex("Fenster", "Konsole ausblenden"), 14);
    log.clear(); // finding, titles and deleting by position
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
    const std::string range = "Item position out of range";
    EXPECT_EQ(log.lines(), (Lines{"t_MenuItemIndex: Menu not found.", "t_MenuItemTitle: " + range,
                                  "t_MenuItemTitle: " + range, "t_MenuItemTitle: Menu not found.",
                                  "t_MenuItemDelete: Menu not found.", "t_MenuItemDelete: " + range,
                                  "t_MenuItemDelete: " + range}));
    t_MenuItemDelete("Bearbeiten", 0);
    EXPECT_EQ(t_MenuItemTitle("Bearbeiten", 0), "Text kopieren");
    t_MenuItemDelete("Bearbeiten", 65535);
    EXPECT_EQ(t_MenuItemTitle("Bearbeiten", 65535), "Drucker löschen");
    // The last position of an empty menu is out of range too.
    core::onmain([] { platform::mainmenuappend("Leer"); });
    log.clear();
    t_MenuItemDelete("Leer", 65535);
    EXPECT_EQ(t_MenuItemTitle("Leer", 65535), "");
    EXPECT_EQ(t_MenuItemIndex("Leer", ""), -1);
    EXPECT_EQ(log.lines(), (Lines{"t_MenuItemDelete: " + range, "t_MenuItemTitle: " + range}));
}

// A start-up step is platform work: it runs whole on the main thread, after the toolkit's own
// steps and before the memory is ready.
PROGRAM_TEST(MenuStartup, AStepRunsOnTheMainThreadBeforeTheMemoryIsReady) {
    std::vector<bool> seen; // on the main thread, the memory ready, the menus' table filled
    display::addmemorystartupstep([&] {
        seen = {platform::ismainthread(), display::memoryready(), !ui::menuactions().empty()};
    });
    t_InitMemory();
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

// The user's hiding of the last window shown minimises it instead; a shortcut item records its
// key equivalent. An item in no menu gives an empty event, and no built-in action although its tag
// has one.
PROGRAM_TEST(MenuEvents, OnlyItemsWithoutATableEntryRunTheProgramHandler) {
    t_InitMemory();
    std::atomic<int> onmenuthread{0}, runs{0};
    t_SetMenuHandler([&] {
        onmenuthread += core::currentthreadname() == "t_EventMenu";
        ++runs;
    });
    t_WindowVisible(9, true);
    t_WindowVisible(10, true);
    ASSERT_TRUE(isvisible(10));
    choose("Fenster", 230);
    EXPECT_FALSE(isvisible(10));
    choose("Fenster", 210);
    EXPECT_TRUE(isvisible(9));
    EXPECT_TRUE(core::onmain([] { return platform::windowisminimized(core::getwindow(9)); }));
    ASSERT_EQ(events::menuqueue().count(), 2);
    const t_MenuEvent e = events::menuqueue().pending()[0];
    EXPECT_EQ(std::tie(e.Kind, e.MenuTitle, e.ItemTitle, e.ItemAction, e.ItemKeyChar),
              std::tuple(3, "Fenster", "Konsole ausblenden", 230, ""));
    EXPECT_GT(e.Time, 0);
    EXPECT_TRUE(events::menuqueue().available());
    choose("Fenster", 229);
    EXPECT_TRUE(isvisible(10));
    const t_MenuEvent shown = events::menuqueue().pending().back();
    EXPECT_EQ(std::tie(shown.ItemKeyChar, shown.ItemKeyAsc, shown.ItemKeyMods),
              std::tuple("o", 'o', (1u << 17) | (1u << 18)));
    base::sleepmilliseconds(50);
    EXPECT_EQ(runs, 0);
    platform::MenuItem own = additem("Fenster", "Eigener Punkt", 0);
    platform::MenuItem unknown = additem("Bearbeiten", "Unbekannt", 4711);
    platform::MenuItem loose = core::onmain([] { return platform::makemenuitem("Knopf", 110); });
    choose(own);
    ASSERT_TRUE(waitfor([&] { return runs == 1; }));
    choose(unknown);
    ASSERT_TRUE(waitfor([&] { return runs == 2; }));
    setpasteboard("unberührt");
    choose(loose);
    ASSERT_TRUE(waitfor([&] { return runs == 3; }));
    EXPECT_EQ(onmenuthread, 3);
    EXPECT_EQ(pasteboard(), "unberührt");
    const std::vector<t_MenuEvent> later = events::menuqueue().pending();
    ASSERT_EQ(later.size(), 6u);
    EXPECT_EQ(std::tie(later[3].Kind, later[3].ItemAction, later[3].ItemTitle),
              std::tuple(3, 0, "Eigener Punkt"));
    EXPECT_EQ(std::tie(later[4].ItemAction, later[4].MenuTitle), std::tuple(4711, "Bearbeiten"));
    EXPECT_EQ(std::tie(later[5].Kind, later[5].ItemAction, later[5].ItemTitle, later[5].Time),
              std::tuple(0, 0, "", 0));
}

TEST(MenuStartup, RemovesThePlatformsOwnItemsInBothLanguages) {
    setuptoolkit();
    additem("Bearbeiten", "Emoji & Symbole", 900);
    additem("Bearbeiten", "Diktat starten …", 901);
    additem("Edit", "Copy", 902);
    additem("Edit", "Start Dictation…", 903);
    additem("Edit", "Emoji & Symbols", 904);
    additem("Fenster", "Vollbildmodus", 905);
    additem("Window", "Tile Window to Left of Screen", 906);
    additem("Window", "Minimize", 907);
    core::onmain([] { platform::menuappendseparator(platform::mainmenuwithtitle("Bearbeiten")); });
    ASSERT_TRUE(runprogram([] {
        LogCapture log;
        t_InitMemory();
        EXPECT_EQ(log.lines(),
                  (Lines{"t_InitMemory: Start.",
                         "*** Found Window Menu Item Tile Window to Left of Screen",
                         "*** Found Fenster Menu Item Vollbildmodus", "t_InitMemory: End."}));
        EXPECT_EQ(t_MenuItemTitle("Bearbeiten", 65535), "Konsole löschen");
        EXPECT_EQ(t_MenuItemIndex("Bearbeiten", "Emoji & Symbole"), -1);
        EXPECT_EQ(t_MenuItemTitle("Edit", 0), "Copy");
        EXPECT_EQ(t_MenuItemTitle("Edit", 65535), "Copy");
        EXPECT_EQ(t_MenuItemTitle("Window", 65535), "Minimize");
        EXPECT_EQ(t_MenuItemIndex("Fenster", "Vollbildmodus"), -1);
    }));
}

PROGRAM_TEST(MenuEvents, WindowActionsShowAndHideTheirWindows) {
    for (uint8_t n : {0, 1, 2, 4, 5, 6, 7}) {
        t_InitWindow(n, 4, false, 64, 32, 4, 4, t_Font{}, true);
    }
    // Tag, window, shown afterwards; from 213 on the tags show and hide window 0, then 1 ...
    const int actions[][3]{{214, 0, 0},  {213, 0, 1}, {216, 1, 0}, {215, 1, 1},  {218, 2, 0},
                           {217, 2, 1},  {222, 4, 0}, {221, 4, 1}, {224, 5, 0},  {223, 5, 1},
                           {226, 6, 0},  {225, 6, 1}, {228, 7, 0}, {227, 7, 1},  {205, 12, 1},
                           {207, 11, 1}, {209, 9, 1}, {211, 8, 1}, {229, 10, 1}, {206, 12, 0},
                           {208, 11, 0}, {210, 9, 0}, {212, 8, 0}, {230, 10, 0}, {209, 9, 1},
                           {205, 12, 1}, {229, 10, 1}};
    for (auto [tag, n, shown] : actions) {
        choose("Fenster", tag);
        EXPECT_EQ(isvisible(static_cast<uint8_t>(n)), shown == 1) << tag;
        EXPECT_TRUE(n >= 8 || windowrecord(n).Visible == (shown == 1)) << tag;
    }
    makemain(9);
    choose("Fenster", 201); // the main window
    EXPECT_FALSE(isvisible(9));
    EXPECT_TRUE(isvisible(10));
    LogCapture log;
    choose("Fenster", 219); // window 3 was never created
    choose("Fenster", 220);
    EXPECT_EQ(foregroundlines(log), Lines(2, "t_MenuEventHandler: Window #3 not initialized."));
    // The table's entries without a built-in action change nothing.
    std::vector<bool> shown;
    for (uint8_t n = 0; n <= 12; ++n) {
        shown.push_back(isvisible(n));
    }
    for (int64_t tag : {202, 203, 204, 231}) {
        choose(additem("Fenster", "Ohne Wirkung", tag));
    }
    for (uint8_t n = 0; n <= 12; ++n) {
        EXPECT_EQ(isvisible(n), shown[n]) << int(n);
    }
    EXPECT_EQ(events::menuqueue().count(), 34);
    // Hiding all leaves every shown window minimised, so that the user can bring it back; the
    // hidden ones stay hidden.
    for (uint8_t n = 0; n <= 12; ++n) {
        shown[n] = isvisible(n);
    }
    choose("Fenster", 200);
    for (uint8_t n = 0; n <= 12; ++n) {
        const platform::Window window = core::getwindow(n);
        EXPECT_EQ(isvisible(n), shown[n]) << int(n);
        EXPECT_EQ(core::onmain([window] { return platform::windowisminimized(window); }), shown[n])
            << int(n);
    }
    EXPECT_TRUE(windowrecord(2).Visible);
}

PROGRAM_TEST(MenuEvents, TheWindowActionRunsTheHookOnTheMainThreadForGraphicWindowsOnly) {
    std::atomic<int> calls{0};
    std::atomic<bool> onmainthread{false};
    ui::setwindowactionhook([&] {
        onmainthread = platform::ismainthread();
        ++calls;
    });
    t_InitWindow(0, 4, false, 64, 32, 4, 4, t_Font{}, true);
    makemain(0);
    choose("Fenster", 113);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(onmainthread);
    makemain(12);
    choose("Fenster", 113);
    EXPECT_EQ(calls, 1);
}

TEST(CopyConversion, BoxDrawingCodesBecomePlainCharacters) {
    const std::string plain = "#*#<=>O++++||--++++++++++++---|+="; // codes 127 ... 159
    for (int64_t code = 127; code <= 159; ++code) {
        EXPECT_EQ(ui::copiedscalar(code), static_cast<uint32_t>(plain[code - 127])) << code;
    }
    EXPECT_EQ(ui::copiedscalar(160), 0x02FDu);
    for (int64_t code : {0, 32, 65, 126, 161, 228, 255, 0x20AC, 0x10FFFF}) {
        EXPECT_EQ(ui::copiedscalar(code), code);
    }
    for (int64_t code : {-1, 0xD800, 0xDFFF, 0x110000}) {
        EXPECT_EQ(ui::copiedscalar(code), 0u) << code;
    }
    EXPECT_EQ(ui::copyconversion("a\u008C\u008Ab\r\u00A0\u00E4\u009C"), "a-|b\r\u02FD\u00E4-");
    EXPECT_EQ(ui::copyconversion("\xFF"), "\uFFFD");
    EXPECT_EQ(ui::copyconversion(""), "");
}

PROGRAM_TEST(CopyActions, TextAndPictureOfTheMainWindowRefusalsAndClearing) {
    t_InitMemory();
    core::onmain([] {
        platform::textviewsetstring(core::appdelegate().VirtualPrinterTextView,
                                    "Seite 1\nZeile ─ 2");
    });
    makemain(9);
    choose("Bearbeiten", 111);
    EXPECT_EQ(pasteboard(), "Seite 1\nZeile ─ 2"); // the text views' text is not converted
    setpasteboard("vorher");
    LogCapture log;
    // The pasteboard window, an empty console, a graphic window that does not exist yet.
    for (uint8_t n : {8, 10, 1}) {
        makemain(n);
        choose("Bearbeiten", 111);
        EXPECT_EQ(pasteboard(), "vorher") << int(n);
    }
    EXPECT_EQ(log.count("t_GetScreen: Window #1 not initialized."), 1u);
    EXPECT_EQ(events::menuqueue().count(), 4);
    ui::appendprinterbuffer("gedruckt");
    ui::appendconsolebuffer("gemeldet");
    core::onmain([] {
        platform::textviewsetstring(core::appdelegate().VirtualPrinterTextView, "gedruckt");
        platform::textviewsetstring(core::appdelegate().SystemConsoleTextView, "gemeldet");
    });
    choose("Bearbeiten", 112);
    EXPECT_EQ(std::tuple(ui::printerbuffer(), ui::consolebuffer(),
                         viewtext(&core::AppDelegate::VirtualPrinterTextView),
                         viewtext(&core::AppDelegate::SystemConsoleTextView)),
              std::tuple(Lines{}, Lines{"gemeldet"}, "", "gemeldet"));
    choose("Bearbeiten", 114);
    EXPECT_TRUE(ui::consolebuffer().empty());
    EXPECT_EQ(viewtext(&core::AppDelegate::SystemConsoleTextView), "");
    // A graphic window's text is converted, its picture copied.
    t_InitWindow(0, 24, false, 20 * 8, 3 * 16, 0, 0, makegreyfont(8, 16), true);
    t_Print(0, Bytes{'A', 140, 138, 'B', 13, 137, 156, 0xE4});
    makemain(0);
    choose("Bearbeiten", 111);
    EXPECT_EQ(pasteboard(), "A-|B\r+-\u00E4");
    t_InitWindow(1, 4, false, 32, 40, 2, 2, t_Font{}, true);
    g_Plot(1, 3, 5, t_RGBColor{255, 255, 255, 255});
    makemain(1);
    choose("Bearbeiten", 110);
    QImage image = core::onmain([] { return QGuiApplication::clipboard()->image(); });
    ASSERT_EQ(image.size(), QSize(32, 40));
    EXPECT_EQ(std::tuple(image.pixel(3, 5) & 0xFFFFFF, image.pixel(4, 5) & 0xFFFFFF),
              std::tuple(0xFFFFFFu, 0u));
    setpasteboard("Text");
    makemain(9);
    choose("Bearbeiten", 110);
    EXPECT_EQ(pasteboard(), "Text");
}

// Text windows without their text view are neither shown nor copied nor cleared.
PROGRAM_TEST(CopyActions, MissingTextViewsAreReported) {
    t_InitMemory();
    core::onmain([] {
        core::appdelegate().PasteboardTextView = core::appdelegate().VirtualPrinterTextView =
            nullptr;
    });
    LogCapture log;
    for (uint8_t n : {8, 9}) {
        t_WindowVisible(n, true);
        EXPECT_FALSE(isvisible(n)) << int(n);
    }
    makemain(10);
    ui::appendprinterbuffer("bleibt");
    core::onmain([] { core::appdelegate().SystemConsoleTextView = nullptr; });
    t_WindowVisible(10, true);
    choose("Bearbeiten", 111);
    choose("Bearbeiten", 114);
    choose("Bearbeiten", 112);
    const std::string console = "System console window is nil, resource undefined.";
    EXPECT_EQ(foregroundlines(log),
              (Lines{"t_WindowVisible: Pasteboard window is nil, resource undefined.",
                     "t_WindowVisible: Virtual printer window is nil, resource undefined.",
                     "t_WindowVisible: " + console, "t_MenuEventHandler: " + console,
                     "t_MenuEventHandler: " + console,
                     "t_MenuEventHandler: Virtual printer window is nil, resource undefined."}));
    EXPECT_EQ(ui::printerbuffer(), Lines{"bleibt"});
}
