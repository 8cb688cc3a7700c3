// Another month without typing the dates again: the date a month away, the keys read back from the
// screen, rerun items, and "Vorheriger Monat" and "Nächster Monat" against runs typed by hand.
#include "app/monthmenu.h"
#include "base/programname.h"
#include "core/appdelegate.h"
#include "platform/qtinternal.h"
#include "tests/support/headlessrun.h"
#include "tests/support/inputhelpers.h"
#include "toolkit/headless.h"
#include "ui/menuitems.h"

#include <QMenu>
#include <QMenuBar>
#include <map>

namespace fs = std::filesystem;

namespace {

// The date lines of the example run's finished screen.
const Lines examplescreen = {
    "Geburtsdatum   : 05.12.1985 (Donnerstag) 724.982 Tage nach Christi Geburt.",
    "Vorhersagedatum: 05.12.2026 (Samstag) 739.957 Tage nach Christi Geburt."};

// The files of a snapshot that show what the user sees (the log differs: the program ran twice).
std::vector<std::string> shown(const fs::path& out) {
    std::vector<std::string> files;
    for (const char* name : {"screen.txt", "titles.txt", "window0.png", "window1.png"}) {
        files.push_back(filecontent(out / name));
    }
    return files;
}

} // namespace

TEST(MonthStep, TheSameDayOrTheMonthsLastOne) {
    const std::tuple<const char*, int, const char*> steps[] = {
        {"05.12.2026", 1, "05.01.2027"},  {"05.12.2026", -2, "05.10.2026"},
        {"31.01.2027", 1, "28.02.2027"},  {"31.01.2028", 1, "29.02.2028"},
        {"31.03.2027", -1, "28.02.2027"}, {"31.05.2027", 1, "30.06.2027"},
        {"29.02.2028", 12, "28.02.2029"}, {"15.06.2026", -30, "15.12.2023"},
        {"01.01.50", 1, "01.02.50"},      {"10.01.1", -1, ""},
        {"31.12.9999999999", 1, ""},      {"", 1, ""}};
    for (auto [date, months, moved] : steps) {
        EXPECT_EQ(movedbymonths(date, months), moved) << date << " " << months;
    }
}

TEST(MonthStep, TheKeysComeFromTheFinishedDateLines) {
    EXPECT_EQ(keysforanothermonth(examplescreen, 1), "05.12.1985\r\x1a"
                                                     "05.01.2027\r");
    EXPECT_EQ(keysforanothermonth(examplescreen, -1), "05.12.1985\r\x1a"
                                                      "05.11.2026\r");
    // Still asked (no weekday yet), a line missing, nothing on the screen.
    Lines asking = examplescreen;
    asking[1] = "Vorhersagedatum: 05.12.2026";
    EXPECT_EQ(keysforanothermonth(asking, 1), "");
    EXPECT_EQ(keysforanothermonth(Lines{examplescreen[0]}, 1), "");
    EXPECT_EQ(keysforanothermonth(Lines{}, 1), "");
}

// The toolkit's menus first, rerun items below "Programm neu starten" (none once the menu exists),
// each key choosing one item only: the rerun items take Ctrl+Shift with the arrows.
TEST(MenuBar, TheToolkitsMenusAndItemsInOrderEachKeyChoosingOneItem) {
    t_RerunMenuItem("Vorher", t_MenuKeyLeft, [] { return std::string("x"); });
    t_RerunMenuItem("Nachher", t_MenuKeyRight, [] { return std::string("x"); });
    setuptoolkit();
    LogCapture log;
    t_RerunMenuItem("Zu spät", "z", [] { return std::string("x"); });
    EXPECT_EQ(log.lines(), Lines{"t_RerunMenuItem: The application menu exists already."});
    const std::string menu = base::programname();
    EXPECT_EQ(std::tuple(t_MenuItemIndex(menu, "Programm neu starten"),
                         t_MenuItemIndex(menu, "Vorher"), t_MenuItemIndex(menu, "Nachher"),
                         t_MenuItemIndex(menu, "Zu spät")),
              std::tuple(0, 1, 2, t_NoMenuItem));
    // A window's bar, made when the window is first measured.
    QWidget* window = platform::qt(platform::windowofview(core::appdelegate().view(0)));
    platform::menubarheight(window);
    const QMenuBar* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> menus;
    std::map<std::string, std::string> owners; // key sequence: item
    for (QAction* entry : bar->actions()) {
        menus.push_back(entry->text().toStdString());
        for (QAction* item : entry->menu()->actions()) {
            const std::string keys = item->shortcut().toString().toStdString();
            EXPECT_TRUE(keys.empty() || owners.emplace(keys, item->text().toStdString()).second)
                << keys << ": " << owners[keys] << " and " << item->text().toStdString();
        }
    }
    EXPECT_EQ(menus, (Lines{menu, "Datei", "Bearbeiten", "Fenster"}));
    EXPECT_EQ((Lines{owners["Ctrl+Shift+Left"], owners["Ctrl+Shift+Right"], owners["Ctrl+Shift+S"],
                     owners["Ctrl+Shift+P"], owners["Ctrl+Shift+D"]}),
              (Lines{"Vorher", "Nachher", "Bild sichern …", "Drucken …", "Drucker zeigen"}));
}

// An item types its keys into a fresh run, after the keys the last run left unread are gone;
// one without keys runs nothing.
TEST(RerunItems, TypeTheirKeysIntoTheProgramRunAgain) {
    t_RerunMenuItem("Nochmal", "", [] { return std::string("b\r"); });
    t_RerunMenuItem("Leer", "", [] { return std::string(); });
    std::vector<std::string> lines;
    std::vector<bool> usable;
    toolkit::SnapshotRequest request;
    request.keys = {'a', '\r', 'X'};
    request.menuchoices = {"Nochmal", "Leer"};
    const toolkit::SnapshotResult result = toolkit::takesnapshot(
        [&] {
            usable.push_back(core::onmain([] {
                return platform::menuitemisenabled(
                    ui::menuitemtitled(base::programname(), "Nochmal"));
            }));
            t_InitWindow(0, 24, 20, 3, 0, t_FontBold16x32);
            lines.push_back(t_InputForm(0, "? ", "", false, t_InputText, 5));
        },
        request);
    EXPECT_EQ(std::tuple(lines, usable, result.problem),
              std::tuple(std::vector<std::string>{"a", "b"}, std::vector<bool>{false, false},
                         "\u201ELeer\u201C hat das Programm nicht wieder gestartet"));
}

// After the example run, each choice gives exactly what a run typed with the moved date shows.
TEST(AnotherMonth, GivesTheScreenAndChartOfARunTypedWithThatDate) {
    const fs::path program = fs::path(QV_BIN_DIR) / "quorvinthal-snapshot";
    auto typing = [](const std::string& forecast) {
        return "--today 06.12.2026 --keys '5.12.1985\\r\\x1a" + forecast + "\\r'";
    };
    for (auto [forecast, menus, typed] :
         {std::tuple{"05.12.2026", " --menu 'Nächster Monat'", "05.01.2027"},
          {"05.12.2026", " --menu 'Vorheriger Monat' --menu 'Vorheriger Monat'", "05.10.2026"},
          {"31.01.2027", " --menu 'Nächster Monat'", "28.02.2027"}}) {
        TemporaryFolder folder;
        const HeadlessRun chosen =
            runheadless(program, typing(forecast) + menus, folder.root / "gewählt");
        const HeadlessRun fresh = runheadless(program, typing(typed), folder.root / "getippt");
        ASSERT_EQ(std::tuple(chosen.status, fresh.status), std::tuple(0, 0)) << forecast;
        EXPECT_EQ(fresh.screen.at(10).substr(0, 24), "5.12.1985 bis " + std::string(typed));
        EXPECT_TRUE(shown(folder.root / "gewählt") == shown(folder.root / "getippt")) << typed;
        EXPECT_EQ(chosen.screen, fresh.screen);
    }
}
