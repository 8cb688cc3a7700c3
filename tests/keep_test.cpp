// Keeping a window: its picture and text in files written whole or not at all, its picture on
// paper or in a PDF document, and the menu "Datei" that does it for the user.
#include "base/filereplace.h"
#include "tests/support/headlessrun.h"
#include "tests/support/inputhelpers.h"
#include "ui/keepwindow.h"
#include "ui/menuitems.h"

#include <QMessageBox>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs act without root's rights, since root writes into any folder (glibc changes the ids of
// every thread of the process).
void asnobody(const std::function<void()>& act) {
    const bool root = ::geteuid() == 0;
    EXPECT_TRUE(!root || (::setegid(65534) | ::seteuid(65534)) == 0);
    act();
    EXPECT_TRUE(!root || (::seteuid(0) | ::setegid(0)) == 0);
}

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

// The pages of a PDF file as pdftoppm renders them at 150 dpi.
std::vector<platform::Image> renderedpages(const fs::path& pdf) {
    EXPECT_EQ(
        std::system(("pdftoppm -r 150 -png '" + pdf.string() + "' '" + pdf.string() + "'").c_str()),
        0);
    std::vector<platform::Image> pages;
    for (int i = 1;
         auto page = platform::loadimagepng(pdf.string() + "-" + std::to_string(i) + ".png"); ++i) {
        pages.push_back(*page);
    }
    return pages;
}

struct Ink {
    int64_t left, top, right;
};

// Where the pixels of a kind lie on a page: the leftmost, topmost and rightmost.
Ink inkof(const platform::Image& page, const std::function<bool(uint32_t)>& kind) {
    Ink ink{page.width, page.height, -1};
    for (int64_t i = 0; i < static_cast<int64_t>(page.pixels.size()); ++i) {
        if (kind(page.pixels[i])) {
            const int64_t x = i % page.width, y = i / page.width;
            ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x)};
        }
    }
    return ink;
}

// A pixel whose colour channel at shift is bright and the others dark: a curve of the chart.
std::function<bool(uint32_t)> purely(int shift) {
    return [shift](uint32_t p) {
        const uint32_t all = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        const uint32_t channel = (p >> shift) & 0xFF;
        return channel > 160 && all - channel < 100;
    };
}

} // namespace

// ---- Files written whole or not at all ----------------------------------------------------------

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
        asnobody([&] { EXPECT_EQ(base::replacefile(path, "neu"), error) << path; });
    }
    EXPECT_EQ(namesin(folder.root), before);
    EXPECT_EQ(std::tuple(namesin(readonly), filecontent(folder.root / "da.txt")),
              std::tuple(std::vector<std::string>{}, "bleibt"));
}

// ---- Names -------------------------------------------------------------------------------------

TEST(SaveNames, TheTitleBecomesAFileNameThatEverySystemTakes) {
    for (auto [title, extension, name] :
         {std::tuple{"a/b\\c*d?e\"f<g>h|i:j", "txt", "a_b_c_d_e_f_g_h_i_j.txt"},
          {".Zeile\tzwei\x7F", "txt", "_Zeile_zwei_.txt"},
          {"Ende. . ", "txt", "Ende.txt"},
          {" ..", "png", "Fenster.png"}}) {
        EXPECT_EQ(ui::suggestedfilename(title, extension), name) << title;
    }
    // Within 255 bytes with ".png", cut before the "ä" whose second byte would be the 252nd.
    EXPECT_EQ(ui::suggestedfilename(std::string(250, 'x') + "äöü", "png"),
              std::string(250, 'x') + ".png");
}

// ---- The chart kept: picture, text, paper ------------------------------------------------------

// The picture at its own pixels, also while the window shows it at half its size; the file it
// replaces is gone whole, no temporary file stays, and its mode is any new file's, not private.
TEST(SaveWindow, TheSavedPictureIsTheSnapshotsPixelForPixel) {
    const toolkit::SnapshotResult chart = runchart(examplekeys);
    ASSERT_TRUE(chart.images[1].has_value());
    core::onmain([] { viewof(1)->window()->resize(660, 420); });
    serveevents(50);
    TemporaryFolder folder;
    const fs::path file = folder.root / "kurve.png";
    std::ofstream(file) << std::string(1 << 20, 'x');
    EXPECT_EQ(t_SaveWindowImage(1, file), file.string());
    const std::optional<platform::Image> saved = platform::loadimagepng(file);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(std::tuple(saved->width, saved->height), std::tuple(1280, 800));
    EXPECT_TRUE(saved->pixels == chart.images[1]->pixels);
    EXPECT_EQ(std::tuple(filecontent(file) == platform::pngdata(*saved), namesin(folder.root)),
              std::tuple(true, std::vector<std::string>{"kurve.png"}));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0666 & ~mask));
}

// "Text sichern …" writes exactly what "Text kopieren" copies.
TEST(SaveWindow, TheSavedTextIsTheCopy) {
    runchart(examplekeys);
    makemain(0);
    TemporaryFolder folder;
    whendialogopens([&](QFileDialog& dialog) {
        EXPECT_EQ(std::tuple(dialog.windowTitle().toStdString(),
                             fs::path(dialog.selectedFiles().value(0).toStdString()).filename()),
                  std::tuple("Text sichern", "Quorvinthal.txt"));
        choosename(dialog, folder.root, "text.txt");
    });
    core::onmain([] { platform::menuitemperform(ui::menuitemtitled("Datei", "Text sichern …")); });
    makemain(0);
    core::onmain(
        [] { platform::menuitemperform(ui::menuitemtitled("Bearbeiten", "Text kopieren")); });
    const std::string copied = pasteboard();
    EXPECT_NE(copied.find("5.12.1985 bis 05.12.2026 = 14.975 Tage.\r"), std::string::npos);
    EXPECT_EQ(filecontent(folder.root / "text.txt"), copied);
}

TEST(SaveWindow, ASaveIntoAReadOnlyFolderLeavesNoFileAndShowsTheMessage) {
    runchart(examplekeys);
    makemain(1);
    TemporaryFolder folder;
    const fs::path readonly = readonlyfolder(folder);
    std::string suggested;
    LogCapture log;
    whendialogopens([&](QFileDialog& dialog) {
        suggested = dialog.selectedFiles().value(0).toStdString();
        choosename(dialog, readonly, "kurve.png");
    });
    asnobody([] { platform::menuitemperform(ui::menuitemtitled("Datei", "Bild sichern …")); });
    EXPECT_EQ(fs::path(suggested).filename().string(),
              "Quorvinthal für den 05.12.2026 (Geburtsdatum_ 05.12.1985).png");
    EXPECT_TRUE(namesin(readonly).empty());
    EXPECT_EQ(log.lines(), Lines{"t_SaveWindowImage: Cannot write " +
                                 (readonly / "kurve.png").string() + " (EACCES)."});
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
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
    using Keep = std::string (*)(uint8_t, const std::string&);
    for (auto [keep, n, path, line] :
         std::vector<std::tuple<Keep, uint8_t, std::string, std::string>>{
             {t_SaveWindowImage, 1, pdf, "t_SaveWindowImage: Window #1 has no picture."},
             {t_SaveWindowImage, 5, pdf, "t_SaveWindowImage: Window #5 has no picture."},
             {t_SaveWindowImage, 9, pdf, "t_SaveWindowImage: Window #9 has no picture."},
             {t_SaveWindowImage, 0, into, "t_SaveWindowImage: Cannot write " + into + " (EISDIR)."},
             {t_SaveWindowText, 1, pdf, "t_SaveWindowText: Window #1 has no text."},
             {t_SaveWindowText, 8, pdf, "t_SaveWindowText: Window #8 has no text."},
             {t_PrintWindow, 1, pdf, "t_PrintWindow: Window #1 has no picture."},
             {t_PrintWindow, 0, into, "t_PrintWindow: Cannot write " + into + " (EISDIR)."},
         }) {
        LogCapture log;
        EXPECT_EQ(keep(n, path), "") << line;
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
    const std::vector<platform::Image> pages = renderedpages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(std::tuple(pages[0].width, pages[0].height), std::tuple(1240, 1755)); // A4 at 150 dpi
    // The black chart and its title from margin to margin (15 mm: 89 pixels).
    const Ink dark = inkof(pages[0], [](uint32_t p) { return (p & 0xFFFFFF) < 0x404040; });
    EXPECT_EQ(std::tuple(dark.left, dark.right), std::tuple(89, 1240 - 1 - 89));
    EXPECT_NEAR(dark.top, 89, 5);
    for (const int shift : {16, 8, 0}) {
        const Ink curve = inkof(pages[0], purely(shift));
        EXPECT_NEAR(curve.left, 89 + 4, 4) << shift; // from column 5 of 1280
        EXPECT_NEAR(curve.right, 1240 - 1 - 89, 4) << shift;
        EXPECT_GT(curve.top, dark.top + 30) << "below a heading of 12 points";
    }
}
