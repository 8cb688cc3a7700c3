#include "tests/support/inputhelpers.h"

#include "core/bridge.h"
#include "core/lookup.h"
#include "display/videomemory.h"
#include "tests/support/testfonts.h"
#include "ui/windownumbers.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cctype>
#include <gtest/gtest.h>

void sendkey(QEvent::Type type, const QtKey& k, bool autorepeat) {
    QKeyEvent event(type, k.key, k.modifiers, k.evdev == 0 ? 0 : k.evdev + 8, 0, k.nativemodifiers,
                    k.text, autorepeat);
    QCoreApplication::sendEvent(reinterpret_cast<QWidget*>(display::windowrecord(0).View.load()),
                                &event);
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
    ASSERT_TRUE(waitfor([n] { return ui::getmainwindownumber() == n; }));
}
