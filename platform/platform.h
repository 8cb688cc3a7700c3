#pragma once
// The toolkit's view of the desktop platform. Only platform/*.cpp includes Qt; everything else
// talks to windows, views and text views through these opaque handles and functions. Calls that
// touch a platform object must be made on the main thread (core/bridge.h gets them there).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct WindowObject;
struct ViewObject;
struct TextViewObject;
struct ScrollViewObject;
struct TextFieldObject;
using Window = WindowObject*;
using View = ViewObject*;
using TextView = TextViewObject*;
using ScrollView = ScrollViewObject*;
using TextField = TextFieldObject*;

// ---- Application and event loop -------------------------------------------------------------

struct AppCallbacks {
    std::function<void()> willFinishLaunching;
    std::function<void()> didFinishLaunching;
    std::function<void()> didBecomeActive;
    std::function<void()> willResignActive;
    std::function<void()> willTerminate;
};

// Creates the application object (once). Must be called on the thread that becomes the main
// thread, before any other platform call.
void initapplication(int& argc, char** argv);
// Calls willFinishLaunching and, on the first pass of the event loop, didFinishLaunching; then
// runs the event loop until quitapplication(). Returns the exit code.
int runapplication(const AppCallbacks& callbacks);
// Serves events on the main thread until done() is true or the timeout (ms) passes. For tests
// and tools that drive the event loop themselves. Returns done().
bool runeventsuntil(const std::function<bool()>& done, int64_t timeoutms);
void quitapplication(int code);

bool ismainthread();
// Runs work on the main thread and waits for it; inline when already there. Work sent here must
// never wait for another thread.
void runonmain(const std::function<void()>& work);
// Queues work on the main thread and returns at once.
void postonmain(std::function<void()> work);

// ---- The interface description: windows, views, text views and menus -------------------------

struct Interface {
    View views[8] = {};
    Window printerwindow = nullptr;
    ScrollView printerscroll = nullptr;
    TextView printertext = nullptr;
    TextField printerruler = nullptr;
    Window consolewindow = nullptr;
    ScrollView consolescroll = nullptr;
    TextView consoletext = nullptr;
    TextField consoleruler = nullptr;
    Window pasteboardwindow = nullptr;
    ScrollView pasteboardscroll = nullptr;
    TextView pasteboardtext = nullptr;
    Window mainwindow = nullptr;
    Window preferenceswindow = nullptr;
};

// Which outlets the description leaves unconnected (tests exercise the nil paths with these).
struct InterfaceOmissions {
    bool views[8] = {};
    bool printer = false;
    bool console = false;
    bool pasteboard = false;
    bool mainwindow = false;
    bool preferences = false;
};

// Builds every window, view and text view of the description (main thread). The graphic windows
// and text windows start hidden.
Interface buildinterface(const InterfaceOmissions& omit = {});

// ---- Windows ----------------------------------------------------------------------------------

// Frames in the original convention: origin at the lower left of the screen, y upward, height
// including the title bar.
struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
};

Window windowofview(View view);
void windowshow(Window w); // orderFront:
void windowhide(Window w); // orderOut:
void windowmakekeyandfront(Window w);
bool windowisvisible(Window w);
void windowcenter(Window w);
void windowsettitle(Window w, const std::string& title);
std::string windowtitle(Window w);
void windowsettitlebar(Window w, bool visible);
Rect windowframe(Window w);
void windowsetframe(Window w, const Rect& frame);
Rect windowscreenframe(Window w);
void windowsetbackground(Window w, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
// Height of the window manager's title bar of this window; 0 where there is none.
int64_t windowtitlebarheight(Window w);
// The active window (the one that has the keyboard focus), or nullptr.
Window activewindow();
void windowclose(Window w); // asks the window to close, as the close box does

// ---- Views ------------------------------------------------------------------------------------

void viewsetneedsdisplay(View v); // redraw in the next display pass
void viewdisplay(View v);         // redraw now
void viewsetframesize(View v, double width, double height);
void viewsetframeorigin(View v, double x, double y);
Rect viewframe(View v); // within its window's content, y downward
int viewnumber(View v); // 0 ... 7

// ---- Text views -------------------------------------------------------------------------------

ScrollView scrollviewoftextview(TextView t);
void textviewsetstring(TextView t, const std::string& text);
std::string textviewstring(TextView t);
void textviewsetneedsdisplay(TextView t);
Rect scrollviewframe(ScrollView s);
void scrollviewsetframe(ScrollView s, const Rect& frame);
void textfieldsetsize(TextField f, double width, double height);

// ---- Images -----------------------------------------------------------------------------------

// Pixels as 32-bit values 0xAARRGGBB, rows top to bottom, no padding.
struct Image {
    int64_t width = 0;
    int64_t height = 0;
    std::vector<uint32_t> pixels;
};

// ---- Pasteboard and sound ---------------------------------------------------------------------

std::string pasteboardstring(); // empty when it holds no text
void pasteboardsetstring(const std::string& text);
void pasteboardsetimage(const Image& image);
void beep(); // the platform beep

// ---- Sound playback ---------------------------------------------------------------------------

// PCM sound: interleaved frames of 16-bit samples in host byte order.
struct SoundData {
    int64_t channels = 0;
    int64_t samplerate = 0;
    std::vector<int16_t> samples;
};

enum class SoundStart {
    Playing,  // started on the default audio output
    NoDevice, // there is no audio output device
    Refused,  // the device does not take the format, or failed to open
};

// Starts sound on the default audio output and returns at once; a sound still playing is stopped
// first. Main thread only.
SoundStart soundplay(const SoundData& sound);
bool soundisplaying();
bool soundhasoutput(); // an audio output device exists

// ---- Handlers the toolkit registers -----------------------------------------------------------

struct KeyPress {
    int64_t keycode = 0;    // the original platform's virtual key code of the physical key
    std::string characters; // the characters produced (UTF-8), empty for a dead key
    uint64_t modifierflags = 0;
};

struct MouseClick {
    double windowx = 0, windowy = 0; // in window coordinates, origin lower left, y upward
    int64_t buttons = 0;             // bit 0 left, bit 1 right, bit 2 other
    uint64_t modifierflags = 0;
};

struct Handlers {
    // Paints view n: returns true and fills the image when there is something to show.
    std::function<bool(int view, Image& image)> paintview;
    std::function<void(int view)> paintstarted;  // before the image is asked for
    std::function<void(int view)> paintfinished; // after it was shown (or not)
    std::function<bool(int view)> quickupdate;   // draw 1:1 instead of scaled to the view
    std::function<void(int view, const KeyPress&)> keydown;
    std::function<void(int view, const KeyPress&)> keyup;
    std::function<void(int view, uint64_t modifierflags)> modifierschanged;
    std::function<void(int view, const MouseClick&)> mousedown;
    std::function<void(int view, const MouseClick&)> mouseup;
    std::function<void(int64_t tag)> menuitemchosen;
    std::function<bool(Window)> windowshouldclose; // false keeps it open
    std::function<void(Window)> windowdidresize;
};

void sethandlers(const Handlers& handlers);

} // namespace platform
