// What a program relies on wherever it lies: its resources found in its own folder, the
// toolkit's data folder or the XDG data folders, else built into the toolkit; its own name on its
// windows and on the desktop; the command line every program understands; a clean refusal
// without a display.
#include "display/resources.h"
#include "formats/binaryfile.h"
#include "formats/fontwriter.h"
#include "tests/support/tempresources.h"
#include "tests/support/testing.h"
#include "toolkit/commandline.h"
#include "toolkit/identity.h"

#include <cstdio>
#include <map>

namespace fs = std::filesystem;

namespace {

using Folders = std::vector<fs::path>;

// The library as installed under prefix.
fs::path libraryunder(const std::string& prefix) {
    return fs::path(prefix) / QV_INSTALL_LIBDIR / "libquorvinthal.so.1";
}

// Copies the built snapshot program into bin/ and the built library into lib/ of root, and runs
// the example dates there with the library found only in lib/ and the XDG data folders empty.
HeadlessRun runmovedsnapshot(const fs::path& root) {
    fs::create_directories(root / "bin");
    fs::create_directories(root / "lib");
    fs::copy_file(fs::path(QV_BIN_DIR) / "quorvinthal-snapshot", root / "bin/quorvinthal-snapshot");
    fs::copy_file(fs::canonical(fs::path(QV_LIB_DIR) / "libquorvinthal.so.1"),
                  root / "lib/libquorvinthal.so.1");
    const std::string environment = "LD_LIBRARY_PATH=" + (root / "lib").string() +
                                    " XDG_DATA_HOME=" + (root / "none").string() +
                                    " XDG_DATA_DIRS=" + (root / "none").string();
    return runheadless(root / "bin/quorvinthal-snapshot",
                       "--today 06.12.2026 --keys '5.12.1985\\r\\x1a05.12.2026\\r'", root / "out",
                       environment);
}

} // namespace

TEST(ResourceFolders, ProgramFolderThenToolkitDataThenXdgFoldersWithoutRepeats) {
    const fs::path systemlibrary = libraryunder("/usr");
    const fs::path optlibrary = libraryunder("/opt/q");
    const std::pair<display::ResourcePlaces, Folders> cases[] = {
        // Installed in /usr: the program's folder and the toolkit's data are the same.
        {{"/usr/bin/quorvinthal", "Quorvinthal", systemlibrary, "", "", "/home/a"},
         {"/usr/share/quorvinthal", "/home/a/.local/share/quorvinthal",
          "/usr/local/share/quorvinthal"}},
        // A program of one's own, named after its executable, with the toolkit in /opt/q.
        {{"/home/a/hello/build/hello", "hello", optlibrary, "/x", "/d1:relative:/d2:", "/home/a"},
         {"/home/a/hello/share/hello", "/opt/q/share/quorvinthal", "/x/quorvinthal",
          "/d1/quorvinthal", "/d2/quorvinthal"}},
        // Linked statically, without a home: the XDG defaults, /usr/local first.
        {{"/opt/x/bin/p", "p", "", "", "", ""},
         {"/opt/x/share/p", "/usr/local/share/quorvinthal", "/usr/share/quorvinthal"}},
        // A program that names itself, linked statically, without a home.
        {{"/t/bin/quorvinthal-snapshot", "Quorvinthal", "", "relative", "/d", ""},
         {"/t/share/quorvinthal-snapshot", "/t/share/quorvinthal", "/d/quorvinthal"}},
    };
    for (const auto& [places, folders] : cases) {
        SCOPED_TRACE(places.executable);
        EXPECT_EQ(display::resourcefolders(places), folders);
    }
}

TEST(ResourceFolders, FirstFolderWinsThenTheBuiltInCopyThenNotFound) {
    const std::string name = "MenloBold 8x16.font";
    TemporaryFolder first, second;
    display::setresourcefolders({first.root, second.root});
    const t_Font builtin = t_LoadFontResource(name);
    ASSERT_FALSE(builtin.Data.empty());
    t_Font narrow = builtin;
    narrow.Width = 7;
    writebytes(second.root / name, formats::fontresourcebytes(narrow));
    EXPECT_EQ(t_LoadFontResource(name).Width, 7);
    fs::copy_file(fs::path(QV_DATA_DIR) / name, first.root / name);
    EXPECT_EQ(t_LoadFontResource(name), builtin);
    // Found nowhere: the usual lines, naming the first folder.
    LogCapture log;
    EXPECT_EQ(t_LoadFontResource("Elsewhere.font"), t_Font{});
    EXPECT_EQ(log.lines(),
              (Lines{"getbinaryfromfile: Error #" + (first.root / "Elsewhere.font").string() +
                         ": No such file or directory",
                     "t_LoadFontResource: Could not load file \u201EElsewhere.font\u201C"}));
    display::setresourcefolders({QV_DATA_DIR});
}

TEST(ResourceFolders, TheToolkitsOwnFilesAreBuiltInByteForByte) {
    for (const char* name : {"MenloBold 16x32.font", "MenloRegular 16x32.font",
                             "MenloBold 8x16.font", "sysbeep.aif"}) {
        SCOPED_TRACE(name);
        const Bytes file = formats::getbinaryfromfile((fs::path(QV_DATA_DIR) / name).string());
        const std::span<const uint8_t> builtin = display::builtinresource(name);
        ASSERT_FALSE(file.empty());
        EXPECT_TRUE(std::equal(file.begin(), file.end(), builtin.begin(), builtin.end()));
    }
    EXPECT_TRUE(display::builtinresource("sysbeep.aiff").empty());
}

// Moved away from every resource folder, with the library beside it, the program still draws its
// text from the built-in fonts and says nothing about it.
TEST(MovedProgram, WithoutAnyResourceFolderTheBuiltInFontsServe) {
    TemporaryFolder tree;
    const HeadlessRun run = runmovedsnapshot(tree.root);
    ASSERT_EQ(run.status, 0);
    ASSERT_GE(run.screen.size(), 11u);
    EXPECT_EQ(run.screen[10], "5.12.1985 bis 05.12.2026 = 14.975 Tage.");
    EXPECT_EQ(run.titles,
              (Lines{"0\tQuorvinthal",
                     "1\tQuorvinthal f\xC3\xBCr den 05.12.2026 (Geburtsdatum: 05.12.1985)"}));
    for (const std::string& line : run.printed) {
        for (const char* complaint : {"Font '", "resource folder", "Could not load", "Error #"}) {
            EXPECT_EQ(line.find(complaint), std::string::npos) << line;
        }
    }
    // The text window shows glyphs: thousands of pixels differ from its background.
    ASSERT_TRUE(run.picture);
    const std::vector<uint32_t>& pixels = run.picture->pixels;
    EXPECT_GT(pixels.size() - std::count(pixels.begin(), pixels.end(), pixels.front()), 10000u);
}

// A --keys text is UTF-8 with escapes: a byte that does not begin a well-formed character is a key
// of its own, and the bytes after it are read afresh; escaped bytes are never joined into a
// character; an unknown or cut escape refuses the whole text.
TEST(CommandLine, KeysAreUtf8WithEscapesAndBytesThatDoNotDecodeStandForThemselves) {
    const std::pair<std::string, std::vector<uint32_t>> cases[] = {
        {"a\\r\\e\\x1a\\\\", {'a', 13, 27, 26, '\\'}},
        {"\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80", {0xE4, 0x20AC, 0x1F600}},
        {"\xC3G", {0xC3, 'G'}},               // a lead byte without its continuation
        {"\x80z", {0x80, 'z'}},               // a stray continuation byte
        {"a\xE2\x82", {'a', 0xE2, 0x82}},     // cut short at the end
        {"\xC0\xAF", {0xC0, 0xAF}},           // an overlong form
        {"\xED\xA0\x80", {0xED, 0xA0, 0x80}}, // an encoded surrogate
        {"\xFF\\r", {0xFF, 13}},
        {"\\xC3\\xA4", {0xC3, 0xA4}},
        {"5\\r", {'5', 13}}, // escapes at the very end of the text
        {"\\x1a", {26}},
        {"a\\e", {'a', 27}},
    };
    for (const auto& [text, keys] : cases) {
        std::string error;
        EXPECT_EQ(toolkit::parsekeys(text, error), keys) << text;
        EXPECT_EQ(error, "") << text;
    }
    for (const char* wrong : {"\\q", "\\x4", "\\"}) {
        std::string error;
        EXPECT_TRUE(toolkit::parsekeys(wrong, error).empty()) << wrong;
        EXPECT_NE(error, "") << wrong;
    }
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
    EXPECT_TRUE(toolkit::parsetoday("06.12.2026").has_value());
    EXPECT_FALSE(toolkit::parsetoday("6.12") || toolkit::parsetoday("32.12.2026"));
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
    // The snapshot program's help does not promise windows it never opens.
    const std::string snapshothelp = toolkit::usage("quorvinthal-snapshot", true);
    EXPECT_EQ(snapshothelp.find("öffnet"), std::string::npos) << snapshothelp;
    EXPECT_NE(snapshothelp.find("ohne --out tut es\nnichts"), std::string::npos) << snapshothelp;
}

// Started without a display, or with one that is named but not there, each program says in its
// last line what it does or lacks (after Qt's reasons, where Qt would advise reinstalling and
// abort): the application that it finds no display and how it runs headless, the snapshot program
// that it needs --out.
TEST(ProgramStart, WithoutAReachableDisplayEachProgramSaysWhatItDoesOrLacks) {
    const std::string headless = "; ohne Bildschirm läuft es mit quorvinthal --out ORDNER (siehe "
                                 "--help)";
    const std::tuple<std::string, std::string, int, std::string> cases[] = {
        {"", "quorvinthal", 1,
         "quorvinthal: kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY gesetzt)" +
             headless},
        {"DISPLAY=:7913", "quorvinthal", 1,
         "quorvinthal: kein Bildschirm erreichbar (DISPLAY=:7913, WAYLAND_DISPLAY nicht gesetzt)" +
             headless},
        {"WAYLAND_DISPLAY=nosuch", "quorvinthal", 1,
         "quorvinthal: kein Bildschirm erreichbar (DISPLAY nicht gesetzt, WAYLAND_DISPLAY=nosuch)" +
             headless},
        {"", "quorvinthal-snapshot", 2, "quorvinthal-snapshot: --out ORDNER fehlt (siehe --help)"},
        {"", "quorvinthal-snapshot --help", 0,
         "Aufruf: quorvinthal-snapshot --out ORDNER [--keys TASTEN] [--today TT.MM.JJJJ] [--menu "
         "TITEL]... [--timeout SEKUNDEN]"},
    };
    for (const auto& [display, command, status, said] : cases) {
        TemporaryFolder folder;
        EXPECT_EQ(runcommand("env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u "
                             "QT_QPA_PLATFORM XDG_RUNTIME_DIR=/nonexistent " +
                                 display + " " QV_BIN_DIR "/" + command,
                             folder.root / "printed"),
                  status)
            << display << " " << command;
        const Lines printed = readlines(folder.root / "printed");
        ASSERT_FALSE(printed.empty()) << command;
        EXPECT_EQ(status == 0 ? printed.front() : printed.back(), said);
    }
}

// Each case: the environment's variables, and whether Qt finds a display with them.
TEST(ProgramStart, TheNamedPlatformOrElseX11OrWaylandNeedsItsDisplay) {
    TemporaryFolder runtime;
    std::ofstream(runtime.root / "wayland-0") << "";
    using Environment = std::map<std::string, std::string>;
    const std::pair<Environment, bool> cases[] = {
        {{}, false},
        {{{"DISPLAY", ":0"}}, true},
        {{{"WAYLAND_DISPLAY", "wayland-1"}}, true},
        {{{"WAYLAND_SOCKET", "5"}}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {{{"QT_QPA_PLATFORM", "vnc:size=800x600"}}, true},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-1"}}, false},
        {{{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}, false},
        {{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}, true},
        {{{"QT_QPA_PLATFORM", "xcb;"}}, false},
        // Only asked for by name does Wayland look for its default socket.
        {{{"QT_QPA_PLATFORM", "wayland"}, {"XDG_RUNTIME_DIR", runtime.root.string()}}, true},
        {{{"XDG_RUNTIME_DIR", runtime.root.string()}}, false},
    };
    for (const auto& [environment, reachable] : cases) {
        const auto read = [&environment](const char* name) {
            const auto found = environment.find(name);
            return found == environment.end() ? std::string() : found->second;
        };
        EXPECT_EQ(platform::displayreachable(read), reachable)
            << testing::PrintToString(environment);
    }
}

TEST(DesktopIdentity, TheChartApplicationIsItsDesktopEntryAProgramOfOnesOwnItsName) {
    EXPECT_EQ(toolkit::desktopfilename("Quorvinthal"), "org.quorvinthal.Quorvinthal");
    EXPECT_EQ(toolkit::desktopfilename("textdemo"), "textdemo");
    EXPECT_EQ(toolkit::desktopfilename("quorvinthal"), "quorvinthal");
}

// The icons come from the hicolor theme beside the first data folder that has them, every size
// there and nothing else.
TEST(DesktopIdentity, TheIconAtEverySizeFromTheFirstShareFolderThatHasIt) {
    TemporaryFolder root;
    const auto icon = [&root](const char* share, const char* size, const char* name) {
        const fs::path apps = root.root / share / "icons/hicolor" / size / "apps";
        fs::create_directories(apps);
        std::ofstream(apps / name) << "png";
        return apps / name;
    };
    icon("a", "48x48", "other.png");
    const Folders own{icon("b", "16x16", "quorvinthal.png"),
                      icon("b", "256x256", "quorvinthal.png")};
    icon("c", "32x32", "quorvinthal.png");
    EXPECT_EQ(toolkit::iconfiles({root.root / "a/quorvinthal", root.root / "b/hallo",
                                  root.root / "c/quorvinthal"}),
              own);
    EXPECT_EQ(toolkit::iconfiles({root.root / "a/quorvinthal"}), Folders{});
}
