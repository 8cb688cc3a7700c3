// Another month without typing the dates again: the date a month away, the keys read back from the
// finished screen, the application menu's rerun items, and the chart program's "Vorheriger Monat"
// and "Nächster Monat" against runs typed by hand.
#include "app/monthmenu.h"
#include "base/programname.h"
#include "core/programlifecycle.h"
#include "tests/support/headlessrun.h"
#include "tests/support/inputhelpers.h"
#include "toolkit/applicationmenu.h"
#include "toolkit/headless.h"

#include <QAction>
#include <QKeySequence>

namespace fs = std::filesystem;

namespace {

// The finished screen of the example run, as far as the date lines go.
const Lines examplescreen = {
    "Quorvinthal                                 Programmiert vom Quorvinthal-Team 2026", "", "",
    "Geburtsdatum   : 05.12.1985 (Donnerstag) 724.982 Tage nach Christi Geburt.",
    "Vorhersagedatum: 05.12.2026 (Samstag) 739.957 Tage nach Christi Geburt."};

std::vector<std::string> applicationmenutitles() {
    return core::onmain([] {
        std::vector<std::string> titles;
        platform::Menu menu = platform::mainmenuwithtitle(base::programname());
        for (int64_t i = 0; menu != nullptr && i < platform::menuitemcount(menu); ++i) {
            titles.push_back(platform::menuitemtitle(platform::menuitemat(menu, i)));
        }
        return titles;
    });
}

// The files of a snapshot that show what the user sees (the log differs: the program ran twice).
std::vector<std::string> shown(const fs::path& out) {
    std::vector<std::string> files;
    for (const char* name : {"screen.txt", "titles.txt", "window0.png", "window1.png"}) {
        std::ifstream in(out / name, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

} // namespace

TEST(MonthStep, TheSameDayOrTheMonthsLastOne) {
    for (auto [date, months, moved] : {
             std::tuple{"05.12.2026", 1, "05.01.2027"},
             {"05.01.2027", -1, "05.12.2026"},
             {"05.12.2026", -2, "05.10.2026"},
             {"31.01.2027", 1, "28.02.2027"},
             {"31.01.2028", 1, "29.02.2028"},
             {"31.03.2027", -1, "28.02.2027"},
             {"31.05.2027", 1, "30.06.2027"},
             {"29.02.2028", 12, "28.02.2029"},
             {"15.06.2026", -30, "15.12.2023"},
             {"01.01.50", 1, "01.02.50"},
             {"10.01.1", -1, ""},
             {"31.12.9999999999", 1, ""},
             {"", 1, ""},
         }) {
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
    asking[4] = "Vorhersagedatum: 05.12.2026";
    EXPECT_EQ(keysforanothermonth(asking, 1), "");
    EXPECT_EQ(keysforanothermonth(Lines(examplescreen.begin(), examplescreen.begin() + 4), 1), "");
    EXPECT_EQ(keysforanothermonth(Lines{}, 1), "");
}

// The items sit below "Programm neu starten", on Ctrl+Shift with the arrows, usable only once the
// program has ended; an item named too late has no place.
TEST(RerunItems, SitBelowRestartOnCtrlShiftArrowsAndWaitForTheProgramsEnd) {
    t_RerunMenuItem("Vorher", t_MenuKeyLeft, [] { return std::string("x"); });
    t_RerunMenuItem("Nachher", t_MenuKeyRight, [] { return std::string("x"); });
    setuptoolkit();
    LogCapture log;
    t_RerunMenuItem("Zu spät", "z", [] { return std::string("x"); });
    EXPECT_EQ(log.lines(), Lines{"t_RerunMenuItem: The application menu exists already."});
    const std::vector<std::string> titles = applicationmenutitles();
    ASSERT_EQ(titles.size(), 5u);
    EXPECT_EQ(std::vector(titles.begin(), titles.begin() + 4),
              (std::vector<std::string>{"Programm neu starten", "Vorher", "Nachher", ""}));
    for (auto [title, key, sequence] : {std::tuple{"Vorher", t_MenuKeyLeft, "Ctrl+Shift+Left"},
                                        {"Nachher", t_MenuKeyRight, "Ctrl+Shift+Right"}}) {
        const platform::MenuItem item =
            core::onmain([&] { return toolkit::applicationmenuitem(title); });
        ASSERT_NE(item, nullptr) << title;
        EXPECT_EQ(std::tuple(core::onmain([&] { return platform::menuitemkeyequivalent(item); }),
                             reinterpret_cast<QAction*>(item)->shortcut(),
                             core::onmain([&] { return platform::menuitemisenabled(item); })),
                  std::tuple(key, QKeySequence(QString::fromLatin1(sequence)), false));
    }
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
                return platform::menuitemisenabled(toolkit::applicationmenuitem("Nochmal"));
            }));
            t_InitWindow(0, 24, 20, 3, 0, t_FontBold16x32);
            lines.push_back(t_InputForm(0, "? ", "", false, t_InputText, 5));
        },
        request);
    EXPECT_EQ(std::tuple(lines, usable, result.problem),
              std::tuple(std::vector<std::string>{"a", "b"}, std::vector<bool>{false, false},
                         "\u201ELeer\u201C hat das Programm nicht wieder gestartet"));
    EXPECT_FALSE(core::programrunning());
}

// After the example run, each choice gives exactly what a run typed with the moved date shows.
TEST(AnotherMonth, GivesTheScreenAndChartOfARunTypedWithThatDate) {
    const fs::path program = fs::path(QV_BIN_DIR) / "quorvinthal-snapshot";
    const std::string today = "--today 06.12.2026 ";
    for (auto [forecast, choices, typed] : {
             std::tuple{"05.12.2026", std::vector<std::string>{"Nächster Monat"}, "05.01.2027"},
             {"05.12.2026", {"Vorheriger Monat", "Vorheriger Monat"}, "05.10.2026"},
             {"31.01.2027", {"Nächster Monat"}, "28.02.2027"},
         }) {
        TemporaryFolder folder;
        std::string menus;
        for (const std::string& choice : choices) {
            menus += " --menu " + quoted(choice);
        }
        const HeadlessRun chosen = runheadless(
            program,
            today + "--keys " + quoted(std::string("5.12.1985\\r\\x1a") + forecast + "\\r") + menus,
            folder.root / "gewählt");
        const HeadlessRun fresh = runheadless(
            program, today + "--keys " + quoted(std::string("5.12.1985\\r\\x1a") + typed + "\\r"),
            folder.root / "getippt");
        ASSERT_EQ(std::tuple(chosen.status, fresh.status), std::tuple(0, 0)) << forecast;
        ASSERT_EQ(fresh.screen.size(), 25u);
        EXPECT_EQ(fresh.screen[10].substr(0, 24), "5.12.1985 bis " + std::string(typed));
        EXPECT_TRUE(shown(folder.root / "gewählt") == shown(folder.root / "getippt")) << typed;
        EXPECT_EQ(chosen.screen, fresh.screen);
    }
}
