#pragma once
// Keys typed into a graphic window's view, the line being edited in it, and the windows and
// pasteboard as the user sees them.
#include "display/videomemory.h"
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

class QWidget;
QWidget* viewof(uint8_t n);

// Sends the key event to view 0 on the main thread.
void sendkey(QEvent::Type type, const QtKey& k, bool autorepeat = false);
// The keys that type the ASCII text.
std::vector<QtKey> keysfortext(const std::string& text);

// Runs body as the program with window 0 open for text (16 x 32 cells) while a timer on the main
// thread presses and releases the keys in view 0, one per tick whenever ready() allows: the keys
// come from the event loop, as the window system's do.
void inwindow(const std::function<void()>& body, const std::vector<QtKey>& keys = {},
              const std::function<bool()>& ready = {});
#define WINDOW_TEST(suite, name) TOOLKIT_TEST(suite, name, inwindow)

const display::t_Window& window(); // window 0
// A field of at most maximum characters holding text after the prompt at the start of line 1,
// ready for editing without reading keys.
void field(const std::string& text, int64_t mode = 0, int64_t maximum = 40,
           const std::string& prompt = "> ");
// The line being edited with a bar at the cursor.
std::string line();
// count characters of window 0's text block from column from of the row.
std::string cells(int64_t row, int64_t from, int64_t count);

// A press or release of the button at the local position in view n, as Qt delivers it.
void sendmouse(uint8_t n, QEvent::Type type, QPointF local, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

std::string pasteboard();
void setpasteboard(const std::string& text);
bool isvisible(uint8_t n);
// Brings window n to the front and waits until it is the application's main window.
void makemain(uint8_t n);
