#pragma once
// The toolkit's view of the desktop platform. Only platform/*.cpp includes Qt; everything else
// talks to windows, views and text views through these opaque handles and functions. Calls that
// touch a platform object must be made on the main thread (core/bridge.h gets them there).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct WindowObject;
struct ViewObject;
struct TextViewObject;
struct ScrollViewObject;
struct TextFieldObject;
struct MenuObject;
struct MenuItemObject;
using Window = WindowObject*;
using View = ViewObject*;
using TextView = TextViewObject*;
using ScrollView = ScrollViewObject*;
using TextField = TextFieldObject*;
using Menu = MenuObject*;
using MenuItem = MenuItemObject*;

// ---- Application and event loop -------------------------------------------------------------

// The application delegate's callbacks, named like the toolkit functions that answer them.
struct AppCallbacks {
    std::function<void()> applicationwillfinishlaunching;
    std::function<void()> applicationdidfinishlaunching;
    std::function<void()> applicationdidbecomeactive;
    std::function<void()> applicationwillresignactive;
    std::function<void()> applicationwillterminate;
};

// Whether the window system can be reached: the Qt platform QT_QPA_PLATFORM names, or X11 and
// Wayland when it names none, finds its display. Qt ends the process where none can start, so ask
// before initapplication. environment reads a variable, empty when unset.
bool displayreachable(const std::function<std::string(const char* name)>& environment);
bool displayreachable(); // this process's environment

// Creates the application object (once). Must be called on the thread that becomes the main
// thread, before any other platform call. Where Qt starts no platform (a display that is named but
// not there or refuses the connection), it has printed its reasons and then calls nostart, which
// ends the process; without nostart Qt ends it itself.
void initapplication(int& argc, char** argv, void (*nostart)() = nullptr);
// Sets up on helper threads what the first window will wait for: the fonts (fontconfig and Qt's
// font database, some 20 ms; the start goes on without them until its first window is measured)
// and the session bus connection. runapplication waits for the helpers when its loop ends.
void preparestart();
// Calls applicationwillfinishlaunching and, on the first pass of the event loop,
// applicationdidfinishlaunching; then runs the event loop until quitapplication(). Returns the
// exit code.
int runapplication(const AppCallbacks& callbacks);
// Serves events on the main thread until done() is true or the timeout (ms) passes. For tests
// and tools that drive the event loop themselves. Returns done().
bool runeventsuntil(const std::function<bool()>& done, int64_t timeoutms);
void quitapplication(int code);
// How the desktop knows the program: its name (the class of its X11 windows), its desktop file
// name (on Wayland, its app id) and its windows' icon from PNG files, one per size (read on a
// helper thread, and given to the windows when launching is done, before the first shows).
void setapplicationidentity(const std::string& name, const std::string& desktopfilename,
                            const std::vector<std::string>& iconfiles);

bool ismainthread();
// Runs work on the main thread and waits for it; inline when already there. Work sent here must
// never wait for another thread.
void runonmain(const std::function<void()>& work);
// Queues work on the main thread and returns at once.
void postonmain(std::function<void()> work);
// The same, run once the given milliseconds have passed.
void postonmainafter(int64_t milliseconds, std::function<void()> work);

// ---- The interface description: windows, views, text views and menus -------------------------

// View00 ... View07: one view per graphic window.
constexpr int graphicviewcount = 8;

// Every outlet of the description, named as the description names them; the toolkit keeps this
// record as its application delegate's outlets. A missing outlet is null.
struct Interface {
    View views[graphicviewcount] = {};
    Window VirtualPrinterWindow = nullptr;
    ScrollView VirtualPrinterScrollView = nullptr;
    TextView VirtualPrinterTextView = nullptr;
    TextField VirtualPrinterRuler = nullptr;
    Window SystemConsoleWindow = nullptr;
    ScrollView SystemConsoleScrollView = nullptr;
    TextView SystemConsoleTextView = nullptr;
    TextField SystemConsoleRuler = nullptr;
    Window PasteboardWindow = nullptr;
    ScrollView PasteboardScrollView = nullptr;
    TextView PasteboardTextView = nullptr;
    Window MainWindow = nullptr;
    Window PreferencesWindow = nullptr;

    // View n, null outside 0 ... graphicviewcount - 1.
    View view(int n) const { return n >= 0 && n < graphicviewcount ? views[n] : nullptr; }
};

// Which outlets the description leaves unconnected (tests exercise the paths of a missing one).
struct InterfaceOmissions {
    bool views[graphicviewcount] = {};
    bool printer = false;
    bool console = false;
    bool pasteboard = false;
    bool mainwindow = false;
    bool preferences = false;
    bool menus = false; // the menu bar stays empty
};

// Builds every window, view and text view of the description (main thread), and its menus once
// per process. The graphic windows and text windows start hidden.
Interface buildinterface(const InterfaceOmissions& omit = {});

// ---- Windows ----------------------------------------------------------------------------------

// Frames in the original convention: origin at the lower left of the screen, y upward, height
// including the title bar.
struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
};

Window windowofview(View view);
void windowshow(Window w);     // orderFront:
void windowhide(Window w);     // orderOut:
void windowminimize(Window w); // to the taskbar, from where the user brings it back
bool windowisminimized(Window w);
int64_t shownwindowcount(); // toolkit windows shown, minimised ones included
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

// A part of a view's picture, in the picture's own pixels (origin top left, y downward). The view
// maps it to its own coordinates, wherever and however large it shows the picture.
struct PixelRect {
    int64_t x = 0, y = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

void viewsetneedsdisplayin(View v, const PixelRect& part); // redraw part in the next display pass
void viewdisplayin(View v, const PixelRect& part);         // redraw part now
// A view's frame is in picture pixels within its window's logical content; where the window shows
// scaled (it did not fit the screen, or the user resized it), the view shows the whole picture
// scaled alike, and clicks are still reported in picture pixels.
void viewsetframesize(View v, double width, double height);
void viewsetframeorigin(View v, double x, double y); // y upward from the content's bottom
Rect viewframe(View v);                              // the same convention
int viewnumber(View v);                              // 0 ... 7

// ---- Screen readers ---------------------------------------------------------------------------

// What a screen reader is told of a view's text: its lines joined by '\n' (UTF-16, as Qt and the
// accessibility bus count), the caret as an offset into it, and whether the caret is in a line
// being typed (the only part that is not read-only).
struct ViewText {
    std::u16string text;
    int64_t caret = 0;
    bool editing = false;
};

// A sentence a screen reader gives beside the view's name (its window's title): what a picture
// shows.
void viewsetdescription(View v, const std::string& description);

// ---- Text views -------------------------------------------------------------------------------

ScrollView scrollviewoftextview(TextView t);
void textviewsetstring(TextView t, const std::string& text);
std::string textviewstring(TextView t);
void textviewsetneedsdisplay(TextView t);
Rect scrollviewframe(ScrollView s);
void scrollviewsetframe(ScrollView s, const Rect& frame);
void textfieldsetsize(TextField f, double width, double height);
// The named font at the given size; a monospaced face stands in where the family is missing.
void textviewsetmonospacedfont(TextView t, const std::string& family, double points);

// ---- Menus ------------------------------------------------------------------------------------

// The application's main menu: one list of menus that every toolkit window shows in its bar.
// Titles are plain text (no mnemonics); a separator is an item with the empty title and tag 0.
Menu mainmenuwithtitle(const std::string& title); // nullptr when there is none
Menu mainmenuappend(const std::string& title);    // a new, empty menu at the end of the bar
Menu mainmenuprepend(const std::string& title);   // ... at the front of the bar
std::string menutitle(Menu m);
int64_t menuitemcount(Menu m);
MenuItem menuitemat(Menu m, int64_t index); // nullptr outside 0 ... count - 1
void menuremoveitemat(Menu m, int64_t index);
int64_t menuindexofitemwithtag(Menu m, int64_t tag); // -1 when no item has it
// Key equivalents beside the letters: the original platform's arrow-key characters.
inline constexpr char leftarrowkey[] = "\xEF\x9C\x82";  // U+F702: Ctrl+Shift+Left
inline constexpr char rightarrowkey[] = "\xEF\x9C\x83"; // U+F703: Ctrl+Shift+Right
// Appends an item; keyequivalent is a lower-case letter (Ctrl+Shift+letter), leftarrowkey,
// rightarrowkey or empty.
MenuItem menuappenditem(Menu m, const std::string& title, int64_t tag,
                        const std::string& keyequivalent);
MenuItem menuappendseparator(Menu m);
// An item that runs command (main thread) instead of going to the menu handler: the
// application's own commands, quitting among them.
MenuItem menuappendcommand(Menu m, const std::string& title, const std::string& keyequivalent,
                           std::function<void()> command);
void menuitemsetenabled(MenuItem item, bool enabled); // a disabled item and its key do nothing
bool menuitemisenabled(MenuItem item);
// An item that belongs to no menu (a control that sends the menu action).
MenuItem makemenuitem(const std::string& title, int64_t tag);
Menu menuofitem(MenuItem item); // nullptr when the item is in no menu
std::string menuitemtitle(MenuItem item);
void menuitemsettitle(MenuItem item, const std::string& title);
int64_t menuitemtag(MenuItem item);
std::string menuitemkeyequivalent(MenuItem item);
uint64_t menuitemkeymodifiers(MenuItem item); // modifier flags of the key equivalent
void menuitemperform(MenuItem item);          // as if the user had chosen it

// ---- File dialogs -----------------------------------------------------------------------------

// Modal; return the chosen locations as absolute, percent-encoded URL strings ("file:///…"),
// nothing when cancelled. Main thread only.
struct OpenPanelSettings {
    std::string prompt; // the default button's title
    std::string title;
    std::string message;
    std::vector<std::string> filetypes; // extensions; empty allows every file
    bool choosefiles = true;
    bool choosefolders = false;
    bool multipleselection = false;
    bool resolvealiases = true;
};
std::vector<std::string> runopenpanel(const OpenPanelSettings& settings);

struct SavePanelSettings {
    std::string prompt;
    std::string namelabel; // the label in front of the name field
    std::string title;
    std::string message;
    std::string name; // proposed file name
    std::vector<std::string> filetypes;
    bool allowothertypes = true;
    bool cancreatefolders = true;
};
std::vector<std::string> runsavepanel(const SavePanelSettings& settings);

// ---- Images -----------------------------------------------------------------------------------

// Pixels as 32-bit values 0xAARRGGBB, rows top to bottom, no padding.
struct Image {
    int64_t width = 0;
    int64_t height = 0;
    std::vector<uint32_t> pixels;
};

// Writes the image as a PNG file; false when it cannot be written.
bool saveimagepng(const Image& image, const std::string& path);
// Reads a PNG file; nothing when it cannot be read.
std::optional<Image> loadimagepng(const std::string& path);
// The bytes of the image's PNG file, as saveimagepng writes them.
std::string pngdata(const Image& image);

// ---- Printing ---------------------------------------------------------------------------------

// One page: the heading in bold on top, the image below it scaled to the rest of the page with its
// aspect kept (pixels as they are, not smoothed).
// A PDF document of that page on A4 with margins of 15 mm; empty when it cannot be made.
std::string pdfdata(const Image& image, const std::string& heading);

enum class PrintStatus { Printed, Cancelled, Failed };
struct Printout {
    PrintStatus status = PrintStatus::Cancelled;
    std::string destination; // the printer's name, or the file the dialog printed to
};
// The page through Qt's print dialog (modal; main thread); "In PDF-Datei drucken" included.
Printout printwithdialog(const Image& image, const std::string& heading);

// ---- Messages ---------------------------------------------------------------------------------

// A warning box with the message and, below it, its detail; it opens in front of the application
// and the call returns at once (main thread).
void showwarning(const std::string& title, const std::string& message, const std::string& detail);

// ---- Pasteboard -------------------------------------------------------------------------------

std::string pasteboardstring(); // empty when it holds no text
// The pasteboard text before its first line break (CR or LF), cut to its first limit characters
// (Unicode scalars; an unpaired surrogate counts as U+FFFD); more tells whether the line went on.
struct PasteboardLine {
    std::u32string characters;
    bool more = false;
};
PasteboardLine pasteboardfirstline(int64_t limit);
void pasteboardsetstring(const std::string& text);
void pasteboardsetimage(const Image& image);

// ---- Sound playback ---------------------------------------------------------------------------

void beep(); // the platform beep

// PCM sound: interleaved frames of 16-bit samples in host byte order.
struct SoundData {
    int64_t channels = 0;
    int64_t samplerate = 0;
    std::vector<int16_t> samples;
};

enum class SoundStart {
    Playing,      // started on the default audio output
    StillPlaying, // the last sound still plays: nothing started
    NoDevice,     // there is no audio output device
    Refused,      // the device does not take the format, or failed to open
};

// Sound runs on a thread of its own, so that an audio server that does not answer holds up
// neither the windows nor the program. soundplay returns at once; the device is set up there on
// first use, the sound started unless one still plays, and answered(result) called there.
void soundplay(std::shared_ptr<const SoundData> sound, std::function<void(SoundStart)> answered);
int64_t soundbusymilliseconds(); // how long the sound thread has been at a request, 0 when idle
// Questions answered on the sound thread; they wait for it.
bool soundisplaying();
bool soundhasoutput(); // an audio output device exists

// ---- Handlers the toolkit registers -----------------------------------------------------------

// Modifier flags as the original platform reports them with key and mouse events.
constexpr uint64_t CapsLockModifier = 1ull << 16;
constexpr uint64_t ShiftModifier = 1ull << 17;
constexpr uint64_t ControlModifier = 1ull << 18;
constexpr uint64_t OptionModifier = 1ull << 19;
constexpr uint64_t CommandModifier = 1ull << 20;
constexpr uint64_t NumericPadModifier = 1ull << 21;
constexpr uint64_t HelpModifier = 1ull << 22;
constexpr uint64_t FunctionModifier = 1ull << 23;

struct KeyPress {
    int64_t keycode = 0;    // the original platform's virtual key code of the physical key
    std::string characters; // the characters produced (UTF-8), empty for a dead key
    uint64_t modifierflags = 0;
};

enum class MouseButton { Left, Right, Other };

struct MouseClick {
    double windowx = 0, windowy = 0;        // in window coordinates, origin lower left, y upward
    MouseButton button = MouseButton::Left; // the button that went down or up
    int64_t buttons = 0;                    // held: bit 0 left, bit 1 right, bit 2 other
    uint64_t modifierflags = 0;
};

// What a view paints: the picture's size and the part of it changed since its last paint.
struct PicturePaint {
    int64_t width = 0;
    int64_t height = 0;
    PixelRect changed;
};

// Each handler is named like the toolkit function that answers it, after the original's view and
// window delegate methods.
struct Handlers {
    // A paint of view n begins: true when there is a picture to show, with its size and the part
    // of it changed since the view last painted (taken: the view shows that part even where it
    // lies outside the area being painted).
    std::function<bool(int view, PicturePaint& paint)> viewpicture;
    // Rows first ... first + count - 1 of the picture as opaque 0xAARRGGBB pixels, width to a
    // row; false when the picture no longer has that width or those rows.
    std::function<bool(int view, int64_t first, int64_t count, int64_t width, uint32_t* out)>
        viewrows;
    std::function<void(int view)> viewpaintstarted;  // before the image is asked for
    std::function<void(int view)> viewpaintfinished; // after it was shown (or not)
    std::function<void(int view, const KeyPress&)> viewkeydown;
    std::function<void(int view, const KeyPress&)> viewkeyup;
    std::function<void(int view, uint64_t modifierflags)> viewflagschanged;
    std::function<void(int view, const MouseClick&)> viewmousedown;
    std::function<void(int view, const MouseClick&)> viewmouseup;
    std::function<void(MenuItem)> menuitemchosen;
    std::function<bool(Window)> windowshouldclose; // false keeps it open
    std::function<void(Window)> windowdidresize;
    // What a screen reader hears of view n; false when it shows a picture without text. Asked on
    // the main thread, and only while a reader listens.
    std::function<bool(int view, ViewText&)> viewtext;
};

void sethandlers(const Handlers& handlers);

// ---- Synthetic input (the headless snapshot) --------------------------------------------------

// Delivers a key press and release of the character with the given Unicode scalar value to the
// view, as the window system would: control characters 1 ... 26 as Control with a letter, 13 as
// Return, 27 as Escape, 127 as Backspace.
void typecharacter(View view, uint32_t scalar);

} // namespace platform
