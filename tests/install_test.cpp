// What an installed or moved program relies on: its resources and its name found from its own
// location in the build's bundle and in the GNU layout, one line for a missing resource folder,
// the command line every program understands and --version without a display.
#include "core/bundle.h"
#include "tests/support/headlessrun.h"
#include "tests/support/logcapture.h"
#include "toolkit/commandline.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path builtbundle = QV_BUNDLE_DIR;

// Copies the built snapshot program to exedir (a copy, not a link: the executable's own path is
// what the lookup starts from) and, unless resources is empty, the built resources there.
void placeprogram(const fs::path& exedir, const fs::path& resources) {
    fs::create_directories(exedir);
    fs::copy_file(builtbundle / "Contents/MacOS/quorvinthal-snapshot",
                  exedir / "quorvinthal-snapshot");
    if (!resources.empty()) {
        fs::create_directories(resources);
        fs::copy(builtbundle / "Contents/Resources", resources);
    }
}

// Runs the example dates.
HeadlessRun runsnapshot(const fs::path& exedir, const fs::path& out, int timeout = 20) {
    return runheadless(exedir / "quorvinthal-snapshot",
                       "--today 06.12.2026 --keys '5.12.1985\\r\\x1a05.12.2026\\r' --timeout " +
                           std::to_string(timeout),
                       out);
}

const std::string daysline = "5.12.1985 bis 05.12.2026 = 14.975 Tage.";
const std::string charttitle =
    "1\tQuorvinthal f\xC3\xBCr den 05.12.2026 (Geburtsdatum: 05.12.1985)";

} // namespace

TEST(BundleLayout, BundleAndInstalledTreeFromTheExecutablesFolder) {
    using Layout = std::tuple<const char*, const char*, const char*, const char*>;
    const Layout cases[] = {
        {"/opt/Quorvinthal.app/Contents/MacOS", "../share/quorvinthal", "Quorvinthal.app",
         "/opt/Quorvinthal.app/Contents/Resources"},
        {"/b/Moved.app/Contents/MacOS", "../share/quorvinthal", "Moved.app",
         "/b/Moved.app/Contents/Resources"},
        {"/usr/bin", "../share/quorvinthal", "Quorvinthal.app", "/usr/share/quorvinthal"},
        {"/tmp/x/usr/bin", "../share/quorvinthal", "Quorvinthal.app",
         "/tmp/x/usr/share/quorvinthal"},
        {"/opt/q/bin", "../lib/data/q", "Quorvinthal.app", "/opt/q/lib/data/q"},
        // Only a MacOS folder inside Contents makes a bundle.
        {"/b/X.app/MacOS", "../share/quorvinthal", "Quorvinthal.app", "/b/X.app/share/quorvinthal"},
        {"/b/X.app/Contents/bin", "../share/quorvinthal", "Quorvinthal.app",
         "/b/X.app/Contents/share/quorvinthal"},
    };
    for (auto [exedir, installedresources, name, resources] : cases) {
        const core::BundleLayout layout =
            core::findlayout(exedir, installedresources, "Quorvinthal.app");
        EXPECT_EQ(std::tie(layout.name, layout.resources), std::tuple(name, resources)) << exedir;
    }
}

TEST(BundleLayout, MissingResourceFolderIsLoggedOnceWithWhereItWasLooked) {
    TemporaryFolder tree;
    const fs::path bundle = tree.root / "Empty.app";
    const fs::path resources = bundle / "Contents" / "Resources";
    core::setbundlepath(bundle.string());
    EXPECT_EQ(core::bundlename(), "Empty.app");
    LogCapture log;
    EXPECT_EQ(core::resourcepath("A 8x16.font"), (resources / "A 8x16.font").string());
    EXPECT_EQ(core::resourcepath("sysbeep.aif"), (resources / "sysbeep.aif").string());
    EXPECT_EQ(t_LoadFontResource("B 8x16.font"), t_Font{});
    const std::string missing = "Resources: no resource folder at " + resources.string();
    EXPECT_EQ(log.count(missing), 1u);
    EXPECT_EQ(log.lines().front(), missing);
    // Once the folder is there nothing more is said; another missing folder is named again.
    fs::create_directories(resources);
    log.clear();
    core::resourcepath("A 8x16.font");
    EXPECT_EQ(log.lines(), Lines{});
    core::setbundlepath((tree.root / "Other.app").string());
    core::resourcepath("A 8x16.font");
    EXPECT_EQ(log.lines(), Lines{"Resources: no resource folder at " +
                                 (tree.root / "Other.app/Contents/Resources").string()});
}

// A bundle is named after its folder; the text window of the installed tree keeps the name.
// Without resources the folder is named once and only the chart window, which needs no font,
// opens.
TEST(MovedProgram, FindsItsResourcesInEitherLayoutOrNamesTheMissingFolderOnce) {
    const std::tuple<const char*, const char*, const char*> layouts[]{
        {"usr/bin", "usr/share/quorvinthal", "0\tQuorvinthal"},
        {"Zyklen.app/Contents/MacOS", "Zyklen.app/Contents/Resources", "0\tZyklen"}};
    for (const auto& [exedir, resources, title] : layouts) {
        TemporaryFolder tree;
        placeprogram(tree.root / exedir, tree.root / resources);
        const HeadlessRun run = runsnapshot(tree.root / exedir, tree.root / "out");
        ASSERT_EQ(run.status, 0) << exedir;
        ASSERT_GE(run.screen.size(), 11u);
        EXPECT_EQ(run.screen[10], daysline);
        EXPECT_EQ(run.titles, (Lines{title, charttitle}));
    }
    TemporaryFolder tree;
    placeprogram(tree.root / "bin", {});
    const HeadlessRun run = runsnapshot(tree.root / "bin", tree.root / "out", 2);
    const std::string missing =
        "Resources: no resource folder at " + (tree.root / "share/quorvinthal").string();
    EXPECT_EQ(std::count(run.printed.begin(), run.printed.end(), missing), 1);
    EXPECT_NE(std::find(run.printed.begin(), run.printed.end(),
                        "t_InitWindow: Font 'MenloBold 16x32.font' not found."),
              run.printed.end());
    ASSERT_EQ(run.titles.size(), 1u);
    EXPECT_EQ(run.titles[0].substr(0, 18), "1\tQuorvinthal f\xC3\xBCr");
}

TEST(CommandLine, OptionsValuesRefusalsAndVersion) {
    const toolkit::CommandLine none = toolkit::parsecommandline({});
    EXPECT_FALSE(none.headless || none.help || none.version);
    EXPECT_EQ(none.error, "");
    const toolkit::CommandLine full = toolkit::parsecommandline(
        Lines{"--keys", "a\\r", "--today", "1.2.2003", "--out", "d", "--timeout", "7"});
    EXPECT_EQ(std::tie(full.headless, full.keys, full.today, full.out, full.timeoutseconds),
              std::tuple(true, "a\\r", "1.2.2003", "d", 7));
    EXPECT_TRUE(toolkit::parsecommandline(Lines{"--out", "d", "--help"}).help);
    // --version wins over everything else on the line, unless it is a value.
    for (const Lines& line : {Lines{"--version"},
                              {"--keys", "x", "--version"},
                              {"--version", "--out"},
                              {"--version", "--bogus", "1"}}) {
        const toolkit::CommandLine parsed = toolkit::parsecommandline(line);
        EXPECT_TRUE(parsed.version) << line.size();
        EXPECT_EQ(parsed.error, "") << line.size();
        EXPECT_FALSE(parsed.headless) << line.size();
    }
    EXPECT_FALSE(toolkit::parsecommandline({"--keys", "--version"}).version);
    const std::pair<Lines, std::string> refused[] = {
        {{"--bogus"}, "unbekannte Option \u201E--bogus\u201C (siehe --help)"},
        {{"-platform", "xcb"}, "unbekannte Option \u201E-platform\u201C (siehe --help)"},
        {{"--out"}, "nach --out fehlt der Wert (siehe --help)"},
        {{"--timeout", "0"}, "--timeout braucht eine Zahl von Sekunden über 0"},
        {{"--timeout", "5s"}, "--timeout braucht eine Zahl von Sekunden über 0"},
    };
    for (const auto& [arguments, error] : refused) {
        EXPECT_EQ(toolkit::parsecommandline(arguments).error, error) << arguments[0];
    }
    const std::string help = toolkit::usage("quorvinthal");
    for (const char* part : {"Aufruf: quorvinthal", "--out ORDNER", "--keys TASTEN",
                             "--today TT.MM.JJJJ", "--timeout SEKUNDEN", "--version", "--help"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}
