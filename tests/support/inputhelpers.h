#pragma once
// Keys typed into a graphic window's view, the line being edited in it, the windows and
// pasteboard as the user sees them, and file dialogs driven as the user would.
#include "core/bridge.h"
#include "core/lookup.h"
#include "display/videomemory.h"
#include "tests/support/testfonts.h"
#include "tests/support/testing.h"
#include "text/cells.h"
#include "unicode/graphemes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cctype>

using display::windowrecord;

struct QtKey {
    int key;
    QString text;
    quint32 evdev = 0; // 0: no scan code, as on the offscreen platform
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    quint32 nativemodifiers = 0;
};

inline QWidget* viewof(uint8_t n) {
    return reinterpret_cast<QWidget*>(windowrecord(n).View.load());
}

// Sends the key event to view 0 on the main thread.
inline void sendkey(QEvent::Type type, const QtKey& k, bool autorepeat = false) {
    core::onmain([&] {
        QKeyEvent event(type, k.key, k.modifiers, k.evdev == 0 ? 0 : k.evdev + 8, 0,
                        k.nativemodifiers, k.text, autorepeat);
        QCoreApplication::sendEvent(viewof(0), &event);
    });
}

// The keys that type the ASCII text.
inline std::vector<QtKey> keysfortext(const std::string& text) {
    std::vector<QtKey> keys;
    for (char c : text) {
        keys.push_back({c == '\r' ? int(Qt::Key_Return) : std::toupper(c), QString(QChar(c))});
    }
    return keys;
}

// Runs body as the program with window 0 open for text (16 x 32 cells) while a timer on the main
// thread presses and releases the keys in view 0, one per tick whenever ready() allows: the keys
// come from the event loop, as the window system's do.
inline void inwindow(const std::function<void()>& body, const std::vector<QtKey>& keys = {},
                     const std::function<bool()>& ready = {}) {
    setuptoolkit();
    std::atomic<bool> windowopen{false};
    size_t next = 0;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (windowopen && next < keys.size() && (!ready || ready())) {
            sendkey(QEvent::KeyPress, keys[next]);
            sendkey(QEvent::KeyRelease, keys[next++]);
        }
    });
    typist.start(3);
    ASSERT_TRUE(runprogram([&] {
        t_InitWindow(0, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
        windowopen = true;
        body();
    }));
}
#define WINDOW_TEST(suite, name) TOOLKIT_TEST(suite, name, inwindow)

inline const display::t_Window& window() { // window 0
    return windowrecord(0);
}

// A field of at most maximum characters holding text after the prompt at the start of line 1,
// ready for editing without reading keys.
inline void field(const std::string& text, int64_t mode = 0, int64_t maximum = 40,
                  const std::string& prompt = "> ") {
    t_CursorHome(0);
    t_InputForm(0, prompt, text, true, mode, maximum);
}

// The line being edited with a bar at the cursor.
inline std::string line() {
    const std::string& text = window().InputString;
    const int64_t p = window().InputCursorPos;
    if (p < 0 || p > unicode::graphemecount(text)) { // t_Left and t_MidFrom would hide it
        return "cursor outside the line: " + std::to_string(p);
    }
    return t_Left(text, p) + "|" + t_MidFrom(text, p + 1);
}

// count characters of window 0's text block from column from of the row.
inline std::string cells(int64_t row, int64_t from, int64_t count) {
    std::string text;
    for (int64_t x = from; x < from + count; ++x) {
        text += static_cast<char>(
            display::videomemory()[window().TextMemoryStart + text::cellindex(window(), x, row)]);
    }
    return text;
}

// A press or release of the button at the local position in view n, as Qt delivers it.
inline void sendmouse(uint8_t n, QEvent::Type type, QPointF local, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    core::onmain([&] {
        Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
        QMouseEvent event(type, local, viewof(n)->mapToGlobal(local), button, held, modifiers);
        QCoreApplication::sendEvent(viewof(n), &event);
    });
}

inline std::string pasteboard() {
    return core::onmain([] { return platform::pasteboardstring(); });
}

inline void setpasteboard(const std::string& text) {
    core::onmain([&] { platform::pasteboardsetstring(text); });
}

inline bool isvisible(uint8_t n) {
    return core::onmain([n] { return platform::windowisvisible(core::getwindow(n)); });
}

// Brings window n to the front and waits until it is the application's main window (serving
// events meanwhile when called on the main thread).
inline void makemain(uint8_t n) {
    t_WindowFront(n);
    const auto ismain = [n] { return core::getmainwindownumber() == n; };
    ASSERT_TRUE(platform::ismainthread() ? platform::runeventsuntil(ismain, 2000)
                                         : waitfor(ismain));
}

// Once a file dialog is open on the main thread, hands it to act (which ends it).
inline void whendialogopens(std::function<void(QFileDialog&)> act) {
    platform::postonmain([act = std::move(act)] {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(*dialog);
            }
        });
        timer->start(5);
    });
}

// Types the name into the dialog's name field and presses its default button, as the user would.
inline void choosename(QFileDialog& dialog, const std::filesystem::path& folder,
                       const std::string& name) {
    dialog.setDirectory(QString::fromStdString(folder.string()));
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(edit != nullptr && box != nullptr);
    edit->setText(QString::fromStdString(name));
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            EXPECT_EQ(button->text(), dialog.labelText(QFileDialog::Accept));
            EXPECT_TRUE(button->isEnabled());
            if (button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    ADD_FAILURE() << "no enabled accept button";
    dialog.reject(); // the test goes on instead of waiting for ever
}
