#include "tests/support/inputhelpers.h"

#include "core/bridge.h"
#include "core/lookup.h"
#include "tests/support/testfonts.h"
#include "text/textchecks.h"
#include "unicode/graphemes.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cctype>
#include <gtest/gtest.h>

QWidget* viewof(uint8_t n) {
    return reinterpret_cast<QWidget*>(display::windowrecord(n).View.load());
}

void sendkey(QEvent::Type type, const QtKey& k, bool autorepeat) {
    core::onmain([&] {
        QKeyEvent event(type, k.key, k.modifiers, k.evdev == 0 ? 0 : k.evdev + 8, 0,
                        k.nativemodifiers, k.text, autorepeat);
        QCoreApplication::sendEvent(viewof(0), &event);
    });
}

std::vector<QtKey> keysfortext(const std::string& text) {
    std::vector<QtKey> keys;
    for (char c : text) {
        keys.push_back({c == '\r' ? int(Qt::Key_Return) : std::toupper(c), QString(QChar(c))});
    }
    return keys;
}

void inwindow(const std::function<void()>& body, const std::vector<QtKey>& keys,
              const std::function<bool()>& ready) {
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

const display::t_Window& window() {
    return display::windowrecord(0);
}

void field(const std::string& text, int64_t mode, int64_t maximum, const std::string& prompt) {
    t_CursorHome(0);
    t_InputForm(0, prompt, text, true, mode, maximum);
}

std::string line() {
    const std::string& text = window().InputString;
    const int64_t p = window().InputCursorPos;
    if (p < 0 || p > unicode::graphemecount(text)) { // t_Left and t_MidFrom would hide it
        return "cursor outside the line: " + std::to_string(p);
    }
    return t_Left(text, p) + "|" + t_MidFrom(text, p + 1);
}

std::string cells(int64_t row, int64_t from, int64_t count) {
    std::string text;
    for (int64_t x = from; x < from + count; ++x) {
        text += static_cast<char>(
            display::videomemory()[window().TextMemoryStart + text::cellindex(window(), x, row)]);
    }
    return text;
}

void sendmouse(uint8_t n, QEvent::Type type, QPointF local, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers) {
    core::onmain([&] {
        Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
        QMouseEvent event(type, local, viewof(n)->mapToGlobal(local), button, held, modifiers);
        QCoreApplication::sendEvent(viewof(n), &event);
    });
}

std::string pasteboard() {
    return core::onmain([] { return platform::pasteboardstring(); });
}

void setpasteboard(const std::string& text) {
    core::onmain([&] { platform::pasteboardsetstring(text); });
}

bool isvisible(uint8_t n) {
    return core::onmain([n] { return platform::windowisvisible(core::getwindow(n)); });
}

void makemain(uint8_t n) {
    t_WindowFront(n);
    ASSERT_TRUE(waitfor([n] { return core::getmainwindownumber() == n; }));
}
