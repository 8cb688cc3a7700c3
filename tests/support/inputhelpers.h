#pragma once
// Keys typed into a graphic window's view, and the windows and pasteboard as the user sees them.
#include "quorvinthal/toolkit.h"
#include "tests/support/toolkit.h"

#include <QKeyEvent>
#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

struct QtKey {
    int key;
    QString text;
    quint32 evdev = 0; // 0: no scan code, as on the offscreen platform
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    quint32 nativemodifiers = 0;
};

// Sends the key event to view 0; call on the main thread.
void sendkey(QEvent::Type type, const QtKey& k, bool autorepeat = false);
// The keys that type the ASCII text.
std::vector<QtKey> keysfortext(const std::string& text);

// Runs body as the program with window 0 open for text (16 x 32 cells) while a timer on the main
// thread presses and releases the keys in view 0, one per tick whenever ready() allows: the keys
// come from the event loop, as the window system's do.
void inwindow(const std::function<void()>& body, const std::vector<QtKey>& keys = {},
              const std::function<bool()>& ready = {});
#define WINDOW_TEST(suite, name) TOOLKIT_TEST(suite, name, inwindow)

std::string pasteboard();
void setpasteboard(const std::string& text);
bool isvisible(uint8_t n);
// Brings window n to the front and waits until it is the application's main window.
void makemain(uint8_t n);
