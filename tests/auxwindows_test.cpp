#include "core/appdelegate.h"
#include "core/bridge.h"
#include "display/videomemory.h"
#include "platform/qtinternal.h"
#include "tests/support/headlessrun.h"
#include "tests/support/inputhelpers.h"
#include "toolkit/headless.h"
#include "ui/filedialogs.h"
#include "ui/menuactions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::string decomposed = "A\xCC\x88pfel.txt"; // A and a combining diaeresis

// A folder of its own for each test, with empty files of the given names.
fs::path folderwith(std::initializer_list<const char*> names) {
    fs::path folder = fs::temp_directory_path() /
                      ("auxwindows_" + std::to_string(::getpid()) + "_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name : names) {
        std::ofstream(folder / name) << "x";
    }
    return folder;
}

// The names the dialog lists in the folder, once the listing has settled.
std::vector<std::string> listednames(QFileDialog& dialog, const fs::path& folder, size_t atleast) {
    dialog.setDirectory(QString::fromStdString(folder.string()));
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    std::vector<std::string> names;
    auto collect = [&] {
        names.clear();
        QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            names.push_back(view->model()->index(row, 0, root).data().toString().toStdString());
        }
        return names.size() >= atleast;
    };
    platform::runeventsuntil(collect, 3000);
    platform::runeventsuntil([] { return false; }, 100); // anything that would still come
    collect();
    std::sort(names.begin(), names.end());
    return names;
}

std::string message(QFileDialog& dialog) {
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("message"));
    return label != nullptr ? label->text().toStdString() : std::string();
}

} // namespace

TEST(PasteboardWindow, StartupGivesAMonospacedTwelvePointFontAndEmptyText) {
    setuptoolkit();
    core::onmain(
        [] { platform::textviewsetstring(core::appdelegate().PasteboardTextView, "alt"); });
    ASSERT_TRUE(runprogram([] { t_InitMemory(); }));
    auto* text = platform::qt(core::appdelegate().PasteboardTextView);
    EXPECT_EQ(text->toPlainText(), QString());
    EXPECT_EQ(text->font().pointSizeF(), 12.0);
    EXPECT_TRUE(QFontInfo(text->font()).fixedPitch()); // Menlo or the face that stands in
    QFontMetrics metrics(text->font());
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')),
              metrics.horizontalAdvance(QLatin1Char('W')));
    // Shown, it holds the pasteboard's text exactly, quotes and dashes untouched.
    platform::pasteboardsetstring("\"a\" -- b");
    t_WindowVisible(8, true);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("\"a\" -- b"));
}

// The printer, console, pasteboard, main and preferences windows are made when first used; their
// handles then name their widgets, and the widgets name them back.
TEST(OwnWindows, AreMadeWhenFirstUsedAndKeepTheirHandles) {
    setuptoolkit();
    core::onmain([] {
        const auto made = [](const char* name) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::any_of(windows.begin(), windows.end(),
                               [&](const QWidget* w) { return w->objectName() == name; });
        };
        const core::AppDelegate& d = core::appdelegate();
        EXPECT_FALSE(made("VirtualPrinterWindow"));
        EXPECT_FALSE(made("MainWindow"));
        EXPECT_TRUE(made("GraphicWindow7"));
        QPlainTextEdit* text = platform::qt(d.VirtualPrinterTextView);
        EXPECT_TRUE(made("VirtualPrinterWindow"));
        EXPECT_FALSE(made("SystemConsoleWindow"));
        EXPECT_EQ(text->window(), platform::qt(d.VirtualPrinterWindow));
        EXPECT_EQ(platform::handle(text->window()), d.VirtualPrinterWindow);
        EXPECT_EQ(platform::scrollviewoftextview(d.VirtualPrinterTextView),
                  d.VirtualPrinterScrollView);
        EXPECT_EQ(platform::windowtitle(d.MainWindow), "Quorvinthal");
        EXPECT_TRUE(made("MainWindow"));
    });
}

// The launch leaves the title bar to the first window placed: measured then on the pasteboard
// window (its menu bar above the scroll view), not before.
TEST(OwnWindows, TheTitleBarIsMeasuredOnThePasteboardWhenTheFirstWindowIsPlaced) {
    EXPECT_EQ(core::titlebarheight(), 0); // no launch yet
    int64_t titleheight = -1;
    toolkit::takesnapshot(
        [&] {
            t_InitWindow(0, 24, 20, 3, 0, t_FontBold16x32);
            titleheight = display::windowrecord(0).TitleHeight;
        },
        toolkit::SnapshotRequest{});
    const int bar = core::onmain(
        [] { return platform::menubarheight(platform::qt(core::appdelegate().PasteboardWindow)); });
    EXPECT_GT(bar, 0);
    EXPECT_EQ(titleheight, bar);
    EXPECT_EQ(core::titlebarheight(), bar);
}

// The icon's files are read meanwhile, and the icon is given right after the first window is
// shown, in every size read (an unreadable file gives none).
TEST(ApplicationIcon, IsGivenAfterTheFirstWindowIsShownInEverySizeRead) {
    setuptoolkit();
    TemporaryFolder folder;
    std::vector<std::string> files;
    for (int side : {16, 32}) {
        files.push_back((folder.root / (std::to_string(side) + ".png")).string());
        QImage(side, side, QImage::Format_ARGB32).save(QString::fromStdString(files.back()));
    }
    files.push_back((folder.root / "broken.png").string());
    std::ofstream(files.back()) << "png";
    platform::setapplicationidentity("Quorvinthal", "org.quorvinthal.Quorvinthal", files);
    serveevents(100);
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    QWidget window;
    window.show();
    serveevents(100);
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
}

// The arrow a bar shows when its menus do not fit is Qt's own picture, read without asking every
// image plugin whether it knows the file.
TEST(MenuBars, TheOverflowArrowIsQtsPictureAndLoadsNoImagePlugin) {
    QMenuBar bar;
    const QIcon arrow =
        QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_EQ(arrow.availableSizes(), (QList<QSize>{{8, 5}, {16, 10}, {32, 20}}));
    std::ifstream maps("/proc/self/maps");
    const std::string mapped{std::istreambuf_iterator<char>(maps), {}};
    EXPECT_EQ(mapped.find("/imageformats/"), std::string::npos);
}

TEST(Paths, NamesDecodedUrlsAndFileTypes) {
    // The name is the part after the last slash; URLs become decoded paths with the bytes the file
    // system names them with.
    EXPECT_EQ((Lines{t_FileNameOfPath("/Users/ich/Dokumente/Brief.txt"),
                     t_FileNameOfPath("/Users/ich/Dokumente/"), t_FileNameOfPath("Brief.txt"),
                     t_FileNameOfPath("/"), t_FileNameOfPath("")}),
              (Lines{"Brief.txt", "", "Brief.txt", "", ""}));
    EXPECT_EQ(ui::pathofurl("file:///tmp/mein%20Brief.txt"), "/tmp/mein Brief.txt");
    EXPECT_EQ(ui::pathofurl("file:///tmp/Gr%C3%BC%C3%9Fe"), "/tmp/Grüße");
    EXPECT_EQ(ui::pathofurl("file:///tmp/Cafe%CC%81"), "/tmp/Cafe\u0301"); // stays decomposed
    EXPECT_EQ(ui::pathofurl("file:///tmp/100%25"), "/tmp/100%");
    EXPECT_EQ(ui::pathofurl("file:///tmp/50%"), "/tmp/50%");
    EXPECT_EQ(ui::pathofurl("file:///tmp/%zz"), "/tmp/%zz");
    EXPECT_EQ(ui::pathofurl("/tmp/kein%20Schema"), "/tmp/kein Schema");
    EXPECT_EQ(ui::pathofurl("file:/tmp/x"), "file:/tmp/x");
    EXPECT_EQ(ui::pathofurl(""), "");
    EXPECT_EQ((std::vector<Lines>{ui::filetypelist("txt,csv"), ui::filetypelist("txt"),
                                  ui::filetypelist(""), ui::filetypelist(",txt,,csv,")}),
              (std::vector<Lines>{{"txt", "csv"}, {"txt"}, {}, {"txt", "csv"}}));
}

// Qt's own texts are German too.
TEST(OpenDialog, ExtensionsLimitTheListAndTheTextsAreGerman) {
    setuptoolkit();
    fs::path folder = folderwith({"a b.txt", "daten.csv", "bild.png", decomposed.c_str()});
    std::vector<std::string> listed;
    whendialogopens([&](QFileDialog& dialog) {
        EXPECT_EQ(std::tuple(dialog.windowTitle().toStdString(), message(dialog),
                             dialog.labelText(QFileDialog::Accept).toStdString(), dialog.fileMode(),
                             dialog.isModal()),
                  std::tuple("Datei laden", "Bitte eine Datei wählen", "Öffnen",
                             QFileDialog::ExistingFile, true));
        QStringList texts;
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            texts << button->text();
        }
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            texts << label->text();
        }
        EXPECT_TRUE(texts.contains(QStringLiteral("Abbrechen")));
        for (const char* english :
             {"Cancel", "&Cancel", "File &name:", "Look in:", "Files of type:", "Directory:"}) {
            EXPECT_FALSE(texts.contains(QString::fromUtf8(english))) << english;
        }
        listed = listednames(dialog, folder, 3);
        choosename(dialog, folder, "a b.txt");
    });
    std::string path =
        t_OpenDialog("Datei laden", "Bitte eine Datei wählen", "txt,csv", true, false);
    EXPECT_EQ(path, (folder / "a b.txt").string());
    EXPECT_EQ(listed, (std::vector<std::string>{decomposed, "a b.txt", "daten.csv"}));
}

// A name stored decomposed comes back as the file system names it; folders are chosen with their
// own button.
TEST(OpenDialog, WithoutExtensionsEveryFileIsListedAndFoldersHaveTheirOwnButton) {
    setuptoolkit();
    const fs::path folder = folderwith({"a b.txt", "daten.csv", "bild.png", decomposed.c_str()});
    std::vector<std::string> listed;
    whendialogopens([&](QFileDialog& dialog) { choosename(dialog, folder, decomposed); });
    EXPECT_EQ(t_OpenDialog("Datei laden", "", "", true, false), (folder / decomposed).string());
    // Without extensions every file is listed.
    whendialogopens([&](QFileDialog& dialog) {
        listed = listednames(dialog, folder, 4);
        dialog.reject();
    });
    EXPECT_EQ(t_OpenDialog("", "", "", true, false), "");
    EXPECT_EQ(listed, (std::vector<std::string>{decomposed, "a b.txt", "bild.png", "daten.csv"}));
    fs::create_directory(folder / "Unterordner");
    whendialogopens([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.labelText(QFileDialog::Accept), QStringLiteral("Wählen"));
        EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
        choosename(dialog, folder, "Unterordner");
    });
    EXPECT_EQ(t_OpenDialog("Ordner", "", "", false, true), (folder / "Unterordner").string());
}

// Called from the program thread, the dialog runs on the main thread meanwhile. Cancelled from the
// menu, the save action leaves path and name empty; the open action stores what was chosen.
TEST(SaveDialog, ProposesTheNameAndReturnsTheChosenPathAndMenuActionsStoreIt) {
    setuptoolkit();
    const fs::path folder = folderwith({"gewählt.txt"});
    whendialogopens([&](QFileDialog& dialog) {
        EXPECT_EQ(
            std::tuple(dialog.acceptMode(), dialog.labelText(QFileDialog::Accept).toStdString(),
                       dialog.labelText(QFileDialog::FileName).toStdString(),
                       dialog.windowTitle().toStdString(), message(dialog)),
            std::tuple(QFileDialog::AcceptSave, "Sichern", "Sichern unter:", "Sichern", "Wohin?"));
        EXPECT_EQ(dialog.nameFilters(), (QStringList{QStringLiteral("Dateien (*.txt *.csv)"),
                                                     QStringLiteral("Alle Dateien (*)")}));
        choosename(dialog, folder, "Übersicht");
    });
    std::string path;
    ASSERT_TRUE(runprogram([&] {
        t_InitMemory();
        path = t_SaveDialog("Vorschlag", "Sichern", "Wohin?", "txt,csv");
    }));
    EXPECT_EQ(path, (folder / "Übersicht.txt").string()); // with the first type
    ui::appendmenuaction(
        ui::t_MenuAction{300, 101, "Sichern", "", "Vorschlag.txt", "txt", "/alt/Pfad"});
    ui::appendmenuaction(ui::t_MenuAction{301, 100, "Laden", "", "", "", ""});
    platform::Menu menu = platform::mainmenuwithtitle("Bearbeiten");
    platform::MenuItem save = platform::menuappenditem(menu, "Sichern …", 300, "");
    platform::MenuItem open = platform::menuappenditem(menu, "Laden …", 301, "");
    std::string proposed;
    whendialogopens([&](QFileDialog& dialog) {
        proposed = dialog.selectedFiles().value(0).toStdString();
        dialog.reject();
    });
    platform::menuitemperform(save);
    EXPECT_TRUE(proposed.ends_with("/Vorschlag.txt")) << proposed;
    std::optional<ui::t_MenuAction> entry = ui::menuactionwithtag(300);
    ASSERT_TRUE(entry);
    EXPECT_EQ(std::tie(entry->FilePath, entry->FileName), std::tuple("", ""));
    whendialogopens([&](QFileDialog& dialog) { choosename(dialog, folder, "gewählt.txt"); });
    platform::menuitemperform(open);
    entry = ui::menuactionwithtag(301);
    EXPECT_EQ(entry->FilePath, (folder / "gewählt.txt").string());
    EXPECT_EQ(entry->FileName, "gewählt.txt");
}
