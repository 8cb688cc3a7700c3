// The interface description: which windows, views, text views, rulers and menus exist, declared
// as data and built into Qt widgets. Tests leave outlets out to exercise the paths where one is
// missing.
#include "platform/qtinternal.h"
#include "platform/widgets.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <span>

namespace platform {

namespace {

// ---- Menus: the tags are those of the toolkit's menu-action table ----------------------------

struct MenuItemDescription {
    const char* title; // "" for a separator
    int64_t tag;
    const char* key; // Ctrl+Shift+key, "" for none
};

struct MenuDescription {
    const char* title;
    std::span<const MenuItemDescription> items;
};

constexpr MenuItemDescription separator{"", 0, ""};

constexpr MenuItemDescription edititems[] = {
    {"Bild kopieren", 110, "b"},   {"Text kopieren", 111, "t"},   separator,
    {"Drucker löschen", 112, "l"}, {"Konsole löschen", 114, "k"},
};

constexpr MenuItemDescription windowitems[] = {
    {"Fensteraktion", 113, "a"},
    separator,
    {"Alle Fenster ausblenden", 200, "h"},
    {"Fenster ausblenden", 201, "w"},
    separator,
    {"Hauptfenster zeigen", 205, "m"},
    {"Hauptfenster ausblenden", 206, ""},
    {"Einstellungen zeigen", 207, "e"},
    {"Einstellungen ausblenden", 208, ""},
    {"Drucker zeigen", 209, "d"},
    {"Drucker ausblenden", 210, ""},
    {"Zwischenablage zeigen", 211, "v"},
    {"Zwischenablage ausblenden", 212, ""},
    {"Konsole zeigen", 229, "o"},
    {"Konsole ausblenden", 230, ""},
    separator,
    {"Grafikfenster 0 zeigen", 213, "g"},
    {"Grafikfenster 0 ausblenden", 214, ""},
    {"Grafikfenster 1 zeigen", 215, "j"},
    {"Grafikfenster 1 ausblenden", 216, ""},
    {"Grafikfenster 2 zeigen", 217, ""},
    {"Grafikfenster 2 ausblenden", 218, ""},
    {"Grafikfenster 3 zeigen", 219, ""},
    {"Grafikfenster 3 ausblenden", 220, ""},
    {"Grafikfenster 4 zeigen", 221, ""},
    {"Grafikfenster 4 ausblenden", 222, ""},
    {"Grafikfenster 5 zeigen", 223, ""},
    {"Grafikfenster 5 ausblenden", 224, ""},
    {"Grafikfenster 6 zeigen", 225, ""},
    {"Grafikfenster 6 ausblenden", 226, ""},
    {"Grafikfenster 7 zeigen", 227, ""},
    {"Grafikfenster 7 ausblenden", 228, ""},
};

constexpr MenuDescription menubar[] = {
    {"Bearbeiten", edititems},
    {"Fenster", windowitems},
};

// The menus are process-wide; a second interface in the same process shares them.
void buildmenus() {
    if (mainmenuwithtitle(menubar[0].title) != nullptr) {
        return;
    }
    for (const MenuDescription& d : menubar) {
        Menu menu = mainmenuappend(d.title);
        for (const MenuItemDescription& item : d.items) {
            if (item.title[0] == '\0') {
                menuappendseparator(menu);
            } else {
                menuappenditem(menu, item.title, item.tag, item.key);
            }
        }
    }
}

// ---- Windows ----------------------------------------------------------------------------------

struct TextWindowDescription {
    const char* name;
    const char* title;
    int width, height;
    bool ruler;
};

constexpr TextWindowDescription pasteboarddescription{"PasteboardWindow", "Zwischenablage", 640,
                                                      400, false};
constexpr TextWindowDescription printerdescription{"VirtualPrinterWindow", "Drucker", 720, 480,
                                                   true};
constexpr TextWindowDescription consoledescription{"SystemConsoleWindow", "Konsole", 720, 480,
                                                   true};

QPlainTextEdit* maketextview(QWidget* parent) {
    auto* text = new QPlainTextEdit(parent);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

// The text view fills a frame that plays the scroll view; the window places both the way the
// resize rules of the text windows expect (margins of 10, or 20 with a ruler above).
OutletWidgets maketextwindow(const TextWindowDescription& d) {
    auto* window = new ToolkitWindow(QString::fromLatin1(d.name));
    window->setWindowTitle(QString::fromUtf8(d.title));
    window->resize(d.width, d.height);
    int margin = d.ruler ? 20 : 10;
    int rulerheight = d.ruler ? 15 : 0;
    int top = menubarheight(window);
    auto* scroll = new QWidget(window);
    scroll->setObjectName(QString::fromLatin1(d.name).replace("Window", "ScrollView"));
    scroll->setGeometry(margin, top + margin + rulerheight, d.width - 2 * margin,
                        d.height - top - 2 * margin - rulerheight);
    auto* layout = new QVBoxLayout(scroll);
    layout->setContentsMargins(0, 0, 0, 0);
    QPlainTextEdit* text = maketextview(scroll);
    layout->addWidget(text);
    OutletWidgets parts{window, scroll, text, nullptr};
    if (d.ruler) {
        auto* ruler = new QLineEdit(window);
        ruler->setReadOnly(true);
        ruler->setGeometry(24, top + 2, d.width - 48, 19);
        parts.field = ruler;
    }
    return parts;
}

View makegraphicwindow(int number) {
    auto* window = new ToolkitWindow(QStringLiteral("GraphicWindow%1").arg(number));
    auto* view = new GraphicView(number, window);
    // Cascaded, so that none hides another.
    window->startat(QPoint(40 + 30 * number, 40 + 30 * number), QSize(640, 400));
    return reinterpret_cast<View>(view);
}

OutletWidgets makeplainwindow(const char* name, const char* title) {
    auto* window = new ToolkitWindow(QString::fromLatin1(name));
    window->setWindowTitle(QString::fromUtf8(title));
    window->resize(480, 270);
    auto* label = new QLabel(QString::fromUtf8(title), window);
    label->move(10, menubarheight(window) + 10);
    return OutletWidgets{window};
}

// The parts' handles of a text window made when first used.
struct TextWindowHandles {
    Window window;
    ScrollView scroll;
    TextView text;
    TextField ruler;
};

TextWindowHandles textwindowoutlet(const TextWindowDescription& d) {
    const OutletHandles h = addoutlet([&d] { return maketextwindow(d); }, true, d.ruler);
    return TextWindowHandles{static_cast<Window>(h.window), static_cast<ScrollView>(h.scroll),
                             static_cast<TextView>(h.text), static_cast<TextField>(h.field)};
}

Window plainwindowoutlet(const char* name, const char* title) {
    const OutletHandles h =
        addoutlet([name, title] { return makeplainwindow(name, title); }, false, false);
    return static_cast<Window>(h.window);
}

} // namespace

Interface buildinterface(const InterfaceOmissions& omit) {
    Interface ui;
    runonmain([&] {
        if (!omit.menus) {
            buildmenus();
        }
        for (int n = 0; n < graphicviewcount; ++n) {
            if (!omit.views[n]) {
                ui.views[n] = makegraphicwindow(n);
            }
        }
        if (!omit.printer) {
            TextWindowHandles p = textwindowoutlet(printerdescription);
            ui.VirtualPrinterWindow = p.window;
            ui.VirtualPrinterScrollView = p.scroll;
            ui.VirtualPrinterTextView = p.text;
            ui.VirtualPrinterRuler = p.ruler;
        }
        if (!omit.console) {
            TextWindowHandles p = textwindowoutlet(consoledescription);
            ui.SystemConsoleWindow = p.window;
            ui.SystemConsoleScrollView = p.scroll;
            ui.SystemConsoleTextView = p.text;
            ui.SystemConsoleRuler = p.ruler;
        }
        if (!omit.pasteboard) {
            TextWindowHandles p = textwindowoutlet(pasteboarddescription);
            ui.PasteboardWindow = p.window;
            ui.PasteboardScrollView = p.scroll;
            ui.PasteboardTextView = p.text;
        }
        if (!omit.mainwindow) {
            ui.MainWindow = plainwindowoutlet("MainWindow", "Quorvinthal");
        }
        if (!omit.preferences) {
            ui.PreferencesWindow = plainwindowoutlet("PreferencesWindow", "Einstellungen");
        }
    });
    return ui;
}

} // namespace platform
