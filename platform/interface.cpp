// The interface description: which windows, views, text views and rulers exist, declared as
// data and built into Qt widgets. Tests leave outlets out to exercise the paths where one is nil.
#include "platform/qtinternal.h"
#include "platform/widgets.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace platform {

namespace {

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

struct TextWindowParts {
    Window window = nullptr;
    ScrollView scroll = nullptr;
    TextView text = nullptr;
    TextField ruler = nullptr;
};

QPlainTextEdit* maketextview(QWidget* parent) {
    auto* text = new QPlainTextEdit(parent);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

// The text view fills a frame that plays the scroll view; the window places both the way the
// resize rules of the text windows expect (margins of 10, or 20 with a ruler above).
TextWindowParts maketextwindow(const TextWindowDescription& d) {
    auto* window = new ToolkitWindow(QString::fromLatin1(d.name));
    window->setWindowTitle(QString::fromUtf8(d.title));
    window->resize(d.width, d.height);
    int margin = d.ruler ? 20 : 10;
    int rulerheight = d.ruler ? 15 : 0;
    auto* scroll = new QWidget(window);
    scroll->setObjectName(QString::fromLatin1(d.name).replace("Window", "ScrollView"));
    scroll->setGeometry(margin, margin + rulerheight, d.width - 2 * margin,
                        d.height - 2 * margin - rulerheight);
    auto* layout = new QVBoxLayout(scroll);
    layout->setContentsMargins(0, 0, 0, 0);
    QPlainTextEdit* text = maketextview(scroll);
    layout->addWidget(text);
    TextWindowParts parts{handle(window), reinterpret_cast<ScrollView>(scroll),
                          reinterpret_cast<TextView>(text), nullptr};
    if (d.ruler) {
        auto* ruler = new QLineEdit(window);
        ruler->setReadOnly(true);
        ruler->setGeometry(24, 2, d.width - 48, 19);
        parts.ruler = reinterpret_cast<TextField>(ruler);
    }
    return parts;
}

View makegraphicwindow(int number) {
    auto* window = new ToolkitWindow(QStringLiteral("GraphicWindow%1").arg(number));
    window->resize(640, 400);
    window->move(40 + 30 * number, 40 + 30 * number); // cascaded, so that none hides another
    auto* view = new GraphicView(number, window);
    view->setGeometry(0, 0, 640, 400);
    return reinterpret_cast<View>(view);
}

Window makeplainwindow(const char* name, const char* title) {
    auto* window = new ToolkitWindow(QString::fromLatin1(name));
    window->setWindowTitle(QString::fromUtf8(title));
    window->resize(480, 270);
    new QLabel(QString::fromUtf8(title), window);
    return handle(window);
}

} // namespace

Interface buildinterface(const InterfaceOmissions& omit) {
    Interface ui;
    runonmain([&] {
        for (int n = 0; n < 8; ++n) {
            if (!omit.views[n]) {
                ui.views[n] = makegraphicwindow(n);
            }
        }
        if (!omit.printer) {
            TextWindowParts p = maketextwindow(printerdescription);
            ui.printerwindow = p.window;
            ui.printerscroll = p.scroll;
            ui.printertext = p.text;
            ui.printerruler = p.ruler;
        }
        if (!omit.console) {
            TextWindowParts p = maketextwindow(consoledescription);
            ui.consolewindow = p.window;
            ui.consolescroll = p.scroll;
            ui.consoletext = p.text;
            ui.consoleruler = p.ruler;
        }
        if (!omit.pasteboard) {
            TextWindowParts p = maketextwindow(pasteboarddescription);
            ui.pasteboardwindow = p.window;
            ui.pasteboardscroll = p.scroll;
            ui.pasteboardtext = p.text;
        }
        if (!omit.mainwindow) {
            ui.mainwindow = makeplainwindow("MainWindow", "Quorvinthal");
        }
        if (!omit.preferences) {
            ui.preferenceswindow = makeplainwindow("PreferencesWindow", "Einstellungen");
        }
    });
    return ui;
}

} // namespace platform
