// Keeping a window: its picture and text in files written whole or not at all, its picture on
// paper or in a PDF document, and the menu "Datei" that does it for the user.
#include "base/filereplace.h"
#include "tests/support/chartrun.h"
#include "tests/support/dialoghelpers.h"
#include "tests/support/headlessrun.h"
#include "tests/support/inputhelpers.h"
#include "ui/filemenu.h"
#include "ui/keepwindow.h"

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <cerrno>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char charttitle[] = "Quorvinthal für den 05.12.2026 (Geburtsdatum: 05.12.1985)";

// Root writes into any folder; for a read-only folder to refuse, the test gives up root's rights
// meanwhile (glibc changes the ids of every thread of the process).
struct WithoutRootRights {
    bool dropped = ::geteuid() == 0;
    WithoutRootRights() {
        if (dropped) {
            EXPECT_EQ(::setegid(65534) | ::seteuid(65534), 0);
        }
    }
    ~WithoutRootRights() {
        if (dropped) {
            EXPECT_EQ(::seteuid(0) | ::setegid(0), 0);
        }
    }
};

// A folder inside folder that no one may write into (the test folder itself opened for all).
fs::path readonlyfolder(const TemporaryFolder& folder) {
    const fs::path readonly = folder.root / "schreibgeschützt";
    fs::create_directory(readonly);
    ::chmod(folder.root.c_str(), 0755);
    ::chmod(readonly.c_str(), 0555);
    return readonly;
}

std::vector<std::string> namesin(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string contentof(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

platform::MenuItem fileitem(const std::string& title) {
    return core::onmain([&]() -> platform::MenuItem {
        platform::Menu menu = platform::mainmenuwithtitle("Datei");
        for (int64_t i = 0; menu != nullptr && i < platform::menuitemcount(menu); ++i) {
            if (platform::menuitemtitle(platform::menuitemat(menu, i)) == title) {
                return platform::menuitemat(menu, i);
            }
        }
        return nullptr;
    });
}

// Makes window n the main window while the main thread (this one) serves events.
void makemainhere(uint8_t n) {
    t_WindowFront(n);
    ASSERT_TRUE(platform::runeventsuntil([n] { return core::getmainwindownumber() == n; }, 2000));
}

QMessageBox* shownwarning() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible() && box->objectName() == "warning") {
            return box;
        }
    }
    return nullptr;
}

int64_t countpixels(const platform::Image& image, const std::function<bool(uint32_t)>& kind) {
    return std::count_if(image.pixels.begin(), image.pixels.end(), kind);
}

// The pages of a PDF file as pdfinfo counts them; -1 when it cannot read the file.
int64_t pdfpages(const fs::path& pdf) {
    const fs::path info = pdf.string() + ".info";
    if (std::system(("pdfinfo '" + pdf.string() + "' > '" + info.string() + "'").c_str()) != 0) {
        return -1;
    }
    for (const std::string& line : readlines(info)) {
        if (line.starts_with("Pages:")) {
            return std::stoll(line.substr(6));
        }
    }
    return -1;
}

// The first page of a PDF file at 150 dpi, as pdftoppm renders it.
std::optional<platform::Image> renderedpage(const fs::path& pdf) {
    const std::string page = pdf.string() + ".page";
    const std::string command =
        "pdftoppm -r 150 -png -singlefile '" + pdf.string() + "' '" + page + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return platform::loadimagepng(page + ".png");
}

} // namespace

// ---- Files written whole or not at all ----------------------------------------------------------

TEST(FileReplace, ANewFileAndAReplacedOneHoldAllTheirBytesAndNoTemporaryFileStays) {
    TemporaryFolder folder;
    const fs::path file = folder.root / "kurve.txt";
    EXPECT_EQ(base::replacefile(file, "alt und lang"), 0);
    EXPECT_EQ(base::replacefile(file, "neu"), 0);
    EXPECT_EQ(std::tuple(contentof(file), namesin(folder.root)),
              std::tuple("neu", std::vector<std::string>{"kurve.txt"}));
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    const mode_t mask = ::umask(022);
    ::umask(mask);
    EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask); // as any new file, not private
}

TEST(FileReplace, AFailedWriteNamesItsErrorAndLeavesTheFolderAsItWas) {
    TemporaryFolder folder;
    const fs::path readonly = readonlyfolder(folder);
    fs::create_directory(folder.root / "ordner");
    std::ofstream(folder.root / "da.txt") << "bleibt";
    const std::vector<std::string> before = namesin(folder.root);
    for (auto [path, error] : {std::tuple{folder.root / "ordner", EISDIR},
                               {folder.root / "ordner/", EISDIR},
                               {folder.root / "fehlt" / "a.txt", ENOENT},
                               {folder.root / "da.txt" / "a.txt", ENOTDIR},
                               {fs::path(), ENOENT},
                               {readonly / "a.txt", EACCES}}) {
        WithoutRootRights rights;
        EXPECT_EQ(base::replacefile(path, "neu"), error) << path;
    }
    EXPECT_EQ(namesin(folder.root), before);
    EXPECT_EQ(std::tuple(namesin(readonly), contentof(folder.root / "da.txt")),
              std::tuple(std::vector<std::string>{}, "bleibt"));
    EXPECT_EQ(std::tuple(base::errnoname(EACCES), base::errnoname(99999)),
              std::tuple("EACCES", "E99999"));
}

// ---- The menu ----------------------------------------------------------------------------------

// "Datei" follows the application's menu; every key equivalent belongs to one item only.
TEST(FileMenu, FollowsTheApplicationMenuAndNoTwoItemsShareAKey) {
    setuptoolkit();
    QMenuBar* bar = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        bar = bar != nullptr ? bar : window->findChild<QMenuBar*>();
    }
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> menus;
    std::map<std::string, std::string> owners; // key sequence: item
    for (QAction* entry : bar->actions()) {
        menus.push_back(entry->text().toStdString());
        for (QAction* item : entry->menu()->actions()) {
            const std::string keys = item->shortcut().toString().toStdString();
            if (!keys.empty()) {
                EXPECT_TRUE(owners.emplace(keys, item->text().toStdString()).second)
                    << keys << ": " << owners[keys] << " and " << item->text().toStdString();
            }
        }
    }
    EXPECT_EQ(std::vector(menus.begin() + 1, menus.end()),
              (std::vector<std::string>{"Datei", "Bearbeiten", "Fenster"}));
    EXPECT_EQ(std::tuple(owners["Ctrl+Shift+S"], owners["Ctrl+Shift+P"], owners["Ctrl+Shift+D"]),
              std::tuple("Bild sichern …", "Drucken …", "Drucker zeigen"));
}

// ---- Names and messages -------------------------------------------------------------------------

TEST(SaveNames, TheTitleBecomesAFileNameThatEverySystemTakes) {
    std::string longtitle;
    for (int i = 0; i < 300; ++i) {
        longtitle += "ä";
    }
    for (auto [title, extension, name] : {
             std::tuple{std::string(charttitle), "png",
                        "Quorvinthal für den 05.12.2026 (Geburtsdatum_ 05.12.1985).png"},
             {"a/b\\c*d?e\"f<g>h|i", "txt", "a_b_c_d_e_f_g_h_i.txt"},
             {"Zeile\tzwei\x7F", "txt", "Zeile_zwei_.txt"},
             {".versteckt", "png", "_versteckt.png"},
             {"Ende. . ", "txt", "Ende.txt"},
             {"", "png", "Fenster.png"},
             {" ..", "png", "Fenster.png"},
         }) {
        EXPECT_EQ(ui::suggestedfilename(title, extension), name) << title;
    }
    // Within 255 bytes, cut between characters: 125 two-byte "ä" and ".png".
    const std::string cut = ui::suggestedfilename(longtitle, "png");
    EXPECT_EQ(std::tuple(cut.size(), cut.substr(0, 4), cut.substr(cut.size() - 6)),
              std::tuple(254u, "ää", "ä.png"));
}

TEST(SaveNames, EachWriteErrorHasItsGermanReason) {
    for (auto [error, reason] : {std::tuple{EACCES, "Der Ordner ist schreibgeschützt."},
                                 {EROFS, "Der Ordner ist schreibgeschützt."},
                                 {ENOSPC, "Auf dem Datenträger ist kein Platz mehr."},
                                 {EDQUOT, "Auf dem Datenträger ist kein Platz mehr."},
                                 {EISDIR, "Unter diesem Namen gibt es schon einen Ordner."},
                                 {ENOENT, "Den Ordner gibt es nicht."},
                                 {ENAMETOOLONG, "Der Name ist zu lang."},
                                 {EIO, "Fehler EIO."}}) {
        EXPECT_EQ(ui::writeproblem(error), reason) << error;
    }
}

// ---- The chart kept: picture, text, paper
// --------------------------------------------------------

// The picture at its own pixels, also while the window shows it at half its size.
TEST(SaveWindow, TheSavedPictureIsTheSnapshotsPixelForPixel) {
    const toolkit::SnapshotResult chart = runchart(examplekeys);
    ASSERT_TRUE(chart.images[1].has_value());
    core::onmain([] { viewof(1)->window()->resize(660, 420); });
    serveevents(50);
    TemporaryFolder folder;
    const fs::path file = folder.root / "kurve.png";
    EXPECT_EQ(t_SaveWindowImage(1, file), file.string());
    const std::optional<platform::Image> saved = platform::loadimagepng(file);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(std::tuple(saved->width, saved->height), std::tuple(1280, 800));
    EXPECT_TRUE(saved->pixels == chart.images[1]->pixels);
}

// "Text sichern …" writes exactly what "Text kopieren" copies.
TEST(SaveWindow, TheSavedTextIsTheCopy) {
    runchart(examplekeys);
    makemainhere(0);
    TemporaryFolder folder;
    whendialogopens([&](QFileDialog& dialog) {
        EXPECT_EQ(std::tuple(dialog.windowTitle().toStdString(),
                             fs::path(dialog.selectedFiles().value(0).toStdString()).filename()),
                  std::tuple("Text sichern", "Quorvinthal.txt"));
        choosename(dialog, folder.root, "text.txt");
    });
    core::onmain([] { platform::menuitemperform(fileitem("Text sichern …")); });
    makemainhere(0);
    core::onmain([] {
        platform::Menu edit = platform::mainmenuwithtitle("Bearbeiten");
        platform::menuitemperform(
            platform::menuitemat(edit, platform::menuindexofitemwithtag(edit, 111)));
    });
    const std::string copied = pasteboard();
    EXPECT_NE(copied.find("5.12.1985 bis 05.12.2026 = 14.975 Tage.\r"), std::string::npos);
    EXPECT_EQ(contentof(folder.root / "text.txt"), copied);
    EXPECT_EQ(t_SaveWindowText(0, folder.root / "direkt.txt"),
              (folder.root / "direkt.txt").string());
    EXPECT_EQ(contentof(folder.root / "direkt.txt"), copied);
}

TEST(SaveWindow, ASaveIntoAReadOnlyFolderLeavesNoFileAndShowsTheMessage) {
    runchart(examplekeys);
    makemainhere(1);
    TemporaryFolder folder;
    const fs::path readonly = readonlyfolder(folder);
    std::string suggested;
    LogCapture log;
    {
        WithoutRootRights rights;
        whendialogopens([&](QFileDialog& dialog) {
            suggested = dialog.selectedFiles().value(0).toStdString();
            choosename(dialog, readonly, "kurve.png");
        });
        core::onmain([] { platform::menuitemperform(fileitem("Bild sichern …")); });
    }
    EXPECT_EQ(fs::path(suggested).filename().string(),
              "Quorvinthal für den 05.12.2026 (Geburtsdatum_ 05.12.1985).png");
    EXPECT_TRUE(namesin(readonly).empty());
    EXPECT_EQ(log.lines(), Lines{"t_SaveWindowImage: Cannot write " +
                                 (readonly / "kurve.png").string() + " (EACCES)."});
    QMessageBox* box = core::onmain(shownwarning);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(std::tuple(box->windowTitle().toStdString(), box->text().toStdString(),
                         box->informativeText().toStdString()),
              std::tuple("Bild sichern", "\u201Ekurve.png\u201C konnte nicht gesichert werden.",
                         "Der Ordner ist schreibgeschützt."));
}

// Each command fails with one line and an empty result; a picture is only a shown graphic
// window's, text only a window's that has some.
TEST(SaveWindow, FailuresGiveOneLineAndAnEmptyResult) {
    runchart(examplekeys);
    TemporaryFolder folder;
    const std::string into = folder.root / "ordner";
    fs::create_directory(into);
    const std::string pdf = folder.root / "x.pdf";
    t_WindowVisible(1, false);
    serveevents(20);
    for (auto [command, line] : std::vector<std::tuple<std::function<std::string()>, std::string>>{
             {[&] { return t_SaveWindowImage(1, pdf); },
              "t_SaveWindowImage: Window #1 has no picture."},
             {[&] { return t_SaveWindowImage(5, pdf); },
              "t_SaveWindowImage: Window #5 has no picture."},
             {[&] { return t_SaveWindowImage(9, pdf); },
              "t_SaveWindowImage: Window #9 has no picture."},
             {[&] { return t_SaveWindowImage(0, into); },
              "t_SaveWindowImage: Cannot write " + into + " (EISDIR)."},
             {[&] { return t_SaveWindowText(1, pdf); }, "t_SaveWindowText: Window #1 has no text."},
             {[&] { return t_SaveWindowText(8, pdf); }, "t_SaveWindowText: Window #8 has no text."},
             {[&] { return t_SaveWindowText(0, into); },
              "t_SaveWindowText: Cannot write " + into + " (EISDIR)."},
             {[&] { return t_PrintWindow(1, pdf); }, "t_PrintWindow: Window #1 has no picture."},
             {[&] { return t_PrintWindow(0, into); },
              "t_PrintWindow: Cannot write " + into + " (EISDIR)."},
         }) {
        LogCapture log;
        EXPECT_EQ(command(), "") << line;
        EXPECT_EQ(log.lines(), Lines{line});
    }
    EXPECT_EQ(namesin(folder.root), std::vector<std::string>{"ordner"});
}

// One A4 page: the chart across the printable width below its title, its three curves in colour.
TEST(PrintWindow, APdfOfTheChartIsOnePageShowingItsCurvesAcrossThePage) {
    runchart(examplekeys);
    TemporaryFolder folder;
    const fs::path pdf = folder.root / "kurve.pdf";
    EXPECT_EQ(t_PrintWindow(1, pdf), pdf.string());
    EXPECT_EQ(pdfpages(pdf), 1);
    fs::copy_file(pdf, "/tmp/keep-print.pdf", fs::copy_options::overwrite_existing);
    const std::optional<platform::Image> page = renderedpage(pdf);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->width, 1240); // A4 at 150 dpi
    EXPECT_NEAR(page->height, 1754, 1);
    auto channel = [](uint32_t p, int shift) { return (p >> shift) & 0xFF; };
    auto pure = [&](int shift) {
        return [&, shift](uint32_t p) {
            return channel(p, shift) > 160 &&
                   channel(p, 0) + channel(p, 8) + channel(p, 16) - channel(p, shift) < 100;
        };
    };
    EXPECT_GT(countpixels(*page, pure(16)), 1000); // red
    EXPECT_GT(countpixels(*page, pure(8)), 1000);  // green
    EXPECT_GT(countpixels(*page, pure(0)), 1000);  // blue
    // The black chart from margin to margin (15 mm: 89 pixels), its title above it.
    auto dark = [&](int64_t x, int64_t y) {
        return (page->pixels[y * page->width + x] & 0xFFFFFF) < 0x404040;
    };
    auto darkin = [&](int64_t y, int64_t from, int64_t to) {
        int64_t count = 0;
        for (int64_t x = from; x < to; ++x) {
            count += dark(x, y);
        }
        return count;
    };
    int64_t top = 0;
    while (top < page->height && darkin(top, 0, page->width) < page->width / 2) {
        ++top;
    }
    int64_t left = 0, right = page->width - 1;
    while (left < page->width && !dark(left, top + 20)) {
        ++left;
    }
    while (right > 0 && !dark(right, top + 20)) {
        --right;
    }
    EXPECT_EQ(std::tuple(left, page->width - 1 - right), std::tuple(89, 89));
    int64_t heading = 0;
    for (int64_t y = 89; y < top; ++y) {
        heading += darkin(y, 0, page->width);
    }
    EXPECT_GT(heading, 500);
    EXPECT_NEAR(top, 89 + 40, 15) << "below a heading of 12 points";
}
