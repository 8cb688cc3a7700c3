#pragma once
// Quorvinthal: a toolkit for programs written in the manner of an old home computer.
//
// A program is one function that runs on a thread of its own, straight through: it opens graphic
// windows, writes text into their character cells, draws pixels and lines, waits for keys and
// reads typed lines, while the main thread keeps the windows on the screen. Every window lives in
// one 16 MiB video memory; the toolkit redraws it from there.
//
//     #include <quorvinthal/toolkit.h>
//
//     void program() {
//         t_InitWindow(0, 24, 64, 16, 16, t_FontBold16x32); // 64 x 16 cells, 24 bits per pixel
//         t_WindowFront(0);                                  // windows start hidden
//         std::string name = t_InputForm(0, "Wie heißt du? ", "", false, t_InputText, 20);
//         t_Print(0, "Hallo, " + name + "!");
//         t_QuitProgram(0); // leaves "(Programm Ende)" on the last line
//     }
//
//     int main(int argc, char** argv) { return t_RunApplication(argc, argv, program); }
//
// Conventions: every command takes the window number first (graphic windows 0 ... 7, then the
// toolkit's own windows, see t_WindowPasteboard ...). A command that cannot act logs one line to
// standard output and returns without effect; results that can fail are empty. Text is UTF-8.
// Character cells and string positions count from 1, pixels from 0 (x to the right, y downward).
// Colours are palette indexes t_Black ... t_White unless a t_RGBColor is asked for. Numbers that
// stand for something have names below. The header compiles as C++17 and C++20.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The toolkit's version: QUORVINTHAL_VERSION_MAJOR.MINOR.PATCH, also as one string.
#define QUORVINTHAL_VERSION_MAJOR 1
#define QUORVINTHAL_VERSION_MINOR 0
#define QUORVINTHAL_VERSION_PATCH 0
#define QUORVINTHAL_VERSION "1.0.0"

// Everything declared here is the library's interface; the rest of it stays inside.
#pragma GCC visibility push(default)

// =============================================================================================
// Start-up and windows
// =============================================================================================

// ---- Running a program ----------------------------------------------------------------------

// Runs program on a program thread of its own while the windows stay on the screen, until the user
// quits (Ctrl+Shift+Q, or closing the last window), then ends the process with the application's
// exit status (so `return t_RunApplication(...)` in main never returns). The command line
// takes --help, --version, and --out DIR [--keys TEXT] [--today DD.MM.YYYY] [--menu TITLE]...
// [--timeout SECONDS] to run headless: the keys are typed, the application menu's items named
// are chosen in turn once the program has ended, and the windows' pictures, text, titles and log
// are written into DIR once the program has ended (again). programName names the windows ("-Grafik"
// added for windows without text) and the application menu; empty: the executable's file name.
int t_RunApplication(int argc, char** argv, std::function<void()> program,
                     const std::string& programName = "");
// The same, for a program that only ever runs headless: --out DIR is required.
int t_RunSnapshot(int argc, char** argv, std::function<void()> program,
                  const std::string& programName = "");

struct t_DateTime {
    int64_t Year = 0;   // e.g. 2026
    int64_t Month = 0;  // 1 ... 12
    int64_t Day = 0;    // 1 ... 31
    int64_t Hour = 0;   // 0 ... 23
    int64_t Minute = 0; // 0 ... 59
    int64_t Second = 0; // 0 ... 59
};

t_DateTime t_LocalDateTime(); // the local date and time now (headless: --today at noon)

// ---- Window numbers (uint8_t) ---------------------------------------------------------------

enum : uint8_t {
    t_GraphicWindows = 8,     // graphic windows are 0 ... 7: pixels, text cells, a view each
    t_WindowPasteboard = 8,   // shows the pasteboard's text
    t_WindowPrinter = 9,      // the virtual printer's text
    t_WindowConsole = 10,     // the system console's text
    t_WindowPreferences = 11, // the preferences window
    t_WindowMain = 12,        // the application's main window
    t_WindowNone = 255,       // no window (t_FirstWindow before any was made)
};

// ---- Fonts ----------------------------------------------------------------------------------

// A bitmap font as a font resource file holds it; an empty Data means no font.
struct t_Font {
    enum : int64_t {
        Monochrome = 0,             // one bit per pixel, rows of whole bytes
        Grey = 2,                   // one grey byte per pixel (0 background ... 255 ink)
        CompressedMonochrome = 100, // the LZW-compressed forms of the two, only in files:
        CompressedGrey = 102,       //   t_LoadFontResource unpacks them to 0 and 2
    };

    int64_t HeaderSize = 16;                             // file bytes before the glyph data
    std::vector<uint8_t> Identifier{'k', 'q', 'f', 'n'}; // the file's identifier, "kqfn"
    int64_t Format = Monochrome;                         // Monochrome or Grey once loaded
    int64_t Size = 0;                                    // the header's size field, as read
    uint8_t Start = 0;                                   // first character code with a glyph
    uint8_t End = 0;                                     // last character code with a glyph
    int64_t Width = 0;                                   // glyph and cell width in pixels
    int64_t Height = 0;                                  // glyph and cell height in pixels
    int64_t Reserved = 0;                                // the header's reserved field, as read
    std::vector<uint8_t> Data;                           // the glyphs; empty: no font

    bool operator==(const t_Font& o) const {
        return HeaderSize == o.HeaderSize && Identifier == o.Identifier && Format == o.Format &&
               Size == o.Size && Start == o.Start && End == o.End && Width == o.Width &&
               Height == o.Height && Reserved == o.Reserved && Data == o.Data;
    }
    bool operator!=(const t_Font& o) const { return !(*this == o); }
};

// The toolkit's own fonts, for t_InitWindow and t_LoadFontResource; they always come with the
// toolkit. A text window prints only with a grey font: the two 16 x 32 fonts. The 8 x 16 one is
// monochrome, for g_PrintString and g_PrintSymbol.
inline constexpr char t_FontBold16x32[] = "MenloBold 16x32.font";       // grey, 16 x 32 pixels
inline constexpr char t_FontRegular16x32[] = "MenloRegular 16x32.font"; // grey, 16 x 32 pixels
inline constexpr char t_FontBold8x16[] = "MenloBold 8x16.font";         // monochrome, 8 x 16

t_Font t_LoadFontResource(const std::string& name); // a font of the resources folder
void t_WindowFont(uint8_t n, const t_Font& font);   // draws text in another font

// ---- Memory and windows ---------------------------------------------------------------------

void t_InitMemory(); // makes the video memory; the first t_InitWindow does it too
void t_InitWindow(uint8_t n, int64_t bitDepth, int64_t columns, // a text window of columns x lines
                  int64_t lines, int64_t border,                //   cells in the named font
                  const std::string& fontName);
void t_InitWindow(uint8_t n, int64_t bitDepth, bool autoUpdate, // any graphic window: depth 1, 4,
                  int64_t width, int64_t height,                //   8, 16, 24 or 32; text cells
                  int64_t borderWidth, int64_t borderHeight,    //   only with a font that has Data
                  const t_Font& font, bool titleVisible);
uint8_t t_FirstWindow();                                 // the first one asked for; t_WindowNone
void t_WindowCenter(uint8_t n);                          // centres the window on its screen
void t_WindowFront(uint8_t n);                           // shows it in front of the others
void t_WindowTitle(uint8_t n, const std::string& title); // sets the title bar's text
void t_WindowDescription(uint8_t n,                      // what a screen reader says the
                         const std::string& text);       //   window shows, in a sentence
void t_WindowVisible(uint8_t n, bool visible);           // shows or hides the window
void t_WindowTitleVisible(uint8_t n, bool visible);      // shows or hides the title bar
void t_WindowSize(uint8_t n, int64_t x, int64_t y,       // frame in screen points from the
                  int64_t width, int64_t height);        //   lower left; t_Keep keeps a value
int64_t t_WindowPos(uint8_t n, int64_t selector);        // a window fact by t_Pos selector
void t_WindowUpdate(uint8_t n, bool deferred);           // redraws now, or in the next pass

enum : int64_t { t_Keep = -1 }; // for any value of t_WindowSize: keeps the current one

// Selectors of t_WindowPos. A graphic window answers 0 ... 7 with its text area and grid, the
// other windows with their frame (first column and line 0, last W - 1 and H - 1, sizes W and H;
// 8 gives W, 9 the content height); before t_InitMemory a graphic window answers 0 there and for
// the borders. Frames are in screen points: W x H with the title bar, origin at the lower left.
// Any other selector gives 0.
enum : int64_t {
    t_PosFirstColumn = 0,    // first column of the text area
    t_PosFirstLine = 1,      // first line of the text area
    t_PosLastColumn = 2,     // last column of the text area
    t_PosLastLine = 3,       // last line of the text area
    t_PosAreaColumns = 4,    // columns of the text area
    t_PosAreaLines = 5,      // lines of the text area
    t_PosColumns = 6,        // columns of the whole cell grid
    t_PosLines = 7,          // lines of the whole cell grid
    t_PosWidth = 8,          // the picture's width in pixels
    t_PosHeight = 9,         // the picture's height in pixels
    t_PosFrameWidth = 10,    // W: the picture and both borders
    t_PosContentHeight = 11, // H without the title bar
    t_PosFrameHeight = 12,   // H: the picture, both borders and the title bar
    t_PosLeft = 13,          // x of the frame's lower left corner
    t_PosTop = 14,           // from the top of the screen to the top of the frame
    t_PosScreenWidth = 15,   // width of the screen that shows the window
    t_PosScreenHeight = 16,  // height of that screen
    t_PosTitleHeight = 17,   // the title bar; 0 when hidden
    t_PosBorderWidth = 18,   // left and right of the picture (other windows: 0)
    t_PosBorderHeight = 19,  // above and below the picture (other windows: 0)
    t_PosBottom = 20,        // y of the frame's lower left corner
};

// ---- Colours --------------------------------------------------------------------------------

// A colour; packed into 32 bits with Alpha in bits 0-7, Red 8-15, Green 16-23, Blue 24-31.
struct t_RGBColor {
    uint8_t Alpha = 255; // 255 opaque; g_Scrn reads 0 from pixels without one (depths 8 and 24)
    uint8_t Red = 0;     // 0 ... 255
    uint8_t Green = 0;   // 0 ... 255
    uint8_t Blue = 0;    // 0 ... 255

    bool operator==(const t_RGBColor& o) const {
        return Alpha == o.Alpha && Red == o.Red && Green == o.Green && Blue == o.Blue;
    }
    bool operator!=(const t_RGBColor& o) const { return !(*this == o); }
};

// The 16 palette colours (red, green, blue); the palette never changes.
enum : int64_t {
    t_Black = 0,      //   0,   0,   0
    t_Red = 1,        // 255,   0,   0
    t_Navy = 2,       //   0,   0, 128
    t_Magenta = 3,    // 255,   0, 255
    t_Green = 4,      //   0, 128,   0
    t_DarkGrey = 5,   //  84,  84,  84; the border of a new window
    t_Blue = 6,       //   0,   0, 255
    t_Azure = 7,      //   0, 128, 255
    t_Brown = 8,      // 128,  64,   0
    t_Orange = 9,     // 255, 128,   0
    t_LightGrey = 10, // 168, 168, 168
    t_Pink = 11,      // 255, 128, 128
    t_Lime = 12,      //   0, 255,   0; the text of a new window, on t_Black
    t_Yellow = 13,    // 255, 255,   0
    t_Cyan = 14,      //   0, 255, 255
    t_White = 15,     // 255, 255, 255
};

t_RGBColor t_PaletteColor(int64_t index);                         // opaque; t_Black beyond 0 ... 15
uint8_t t_NearestColor(uint8_t red, uint8_t green, uint8_t blue); // the palette index closest
void t_Color(uint8_t n, int64_t color);                           // text and drawing colour
void t_ColorBorder(uint8_t n, int64_t color);                     // colour around the picture

// =============================================================================================
// Text output
// =============================================================================================

// Targets of t_RedirectOutput: where the characters printed into a window go.
enum : int64_t {
    t_OutputNone = 0,   // nowhere
    t_OutputWindow = 1, // into the window, as every window starts
    t_OutputStdout = 2, // to standard output; the window stays as it is, the cursor moves
};

void t_Print(uint8_t n, const std::string& text);           // at the cursor, control codes act
void t_Print(uint8_t n, const std::vector<uint8_t>& bytes); // the same for character codes
void t_PrintChar(uint8_t n, uint8_t c);                     // one code through the display mode
void t_PrintSpc(uint8_t n, int64_t count);                  // count blanks
void t_PrintTab(uint8_t n, int64_t column, uint8_t fill);   // fill up to column
void t_PrintControl(uint8_t n, uint8_t code);               // the action of control code 0 ... 31
void t_PrintSymbol(uint8_t n, uint8_t c, uint8_t k,         // character c in colour byte k into
                   int64_t x, int64_t y);                   //   cell (x, y); the cursor stays
void t_Header(uint8_t n, const std::string& left,           // a line with left and right text
              const std::string& right);
std::string t_GetScreen(uint8_t n, const std::string& separator); // the window's text by lines
void t_RedirectOutput(uint8_t n, int64_t target);                 // a t_Output target
void t_ScrollUp(uint8_t n);                                       // text area up one line
void t_ScrollDown(uint8_t n);                                     // text area down one line
void t_ClearEndOfLine(uint8_t n);                                 // blanks from the cursor on
void t_ClearEndOfWindow(uint8_t n);                               // ... to the end of the area

// =============================================================================================
// Cursor and display modes
// =============================================================================================

// Display modes of t_DisplayMode: how printed codes are translated. Any other mode is plain.
enum : int64_t {
    t_DisplayPlain = 0,           // codes as they are
    t_DisplayUpperHalf = 1,       // 32 ... 127 drawn as 160 ... 255 (control code 20 sets it)
    t_DisplaySymbols = 2,         // 64 ... 95 as 0 ... 31, 96 ... 127 as 128 ... 159 (code 31)
    t_DisplayInverseControls = 3, // control codes shown as inverse letters: 1 as an inverse A
    t_DisplayRedControls = 4,     // control codes shown as letters in t_Red
    t_DisplayCommand = 99,        // the next code is a command (escape, 27, sets it)
};

void t_Cr(uint8_t n);          // first column of the next line
void t_CursorRight(uint8_t n); // one cell, wrapping
void t_CursorLeft(uint8_t n);
void t_CursorDown(uint8_t n); // one line, scrolling at the end
void t_CursorUp(uint8_t n);
void t_CursorHome(uint8_t n);                         // top left of the text area
void t_CursorEnd(uint8_t n);                          // bottom right of the text area
void t_Htab(uint8_t n, int64_t column);               // column within the text area
void t_Vtab(uint8_t n, int64_t line);                 // line of the window
void t_FullArea(uint8_t n);                           // text area = the whole window
void t_TextHline(uint8_t n, int64_t from, int64_t to, // character c from column from to
                 int64_t line, uint8_t c);            //   column to of line
void t_TextLine(uint8_t n);                           // a rule to the end of the line
void t_Inverse(uint8_t n);                            // swapped colours from now on
void t_Normal(uint8_t n);
void t_Reverse(uint8_t n);                           // toggles inverse
void t_DisplayMode(uint8_t n, int64_t mode);         // a t_Display mode
void t_InvertRect(uint8_t n, int64_t x1, int64_t y1, // swaps the colours of those cells
                  int64_t x2, int64_t y2);
void t_CursorDraw(uint8_t n); // inverts the cursor's cell
void t_CursorOn(uint8_t n);   // shows the cursor (nests)
void t_CursorOff(uint8_t n);

// =============================================================================================
// Input
// =============================================================================================

// Input modes of t_InputForm: which characters the line takes.
enum : int64_t {
    t_InputText = 0,         // any character
    t_InputTextControls = 1, // as 0; numeric entry (Control-^) also gives control codes
    t_InputInteger = 2,      // digits, "-" at the start
    t_InputDecimal = 3,      // digits, one ",", one "e", "-" at the start or after e
    t_InputRange = 4,        // digits, one "-" not at the start
};

// Kinds of event records.
enum : int64_t {
    t_EventNone = 0,  // nothing (a menu selection of an item in no menu)
    t_EventKey = 1,   // a key pressed in a graphic window, or typed by t_QueueString
    t_EventMouse = 2, // a click in a graphic window
    t_EventMenu = 3,  // a menu selection (t_MenuEvent)
};

// Where a click outside the picture lies, in ClickX and ClickY of a mouse event.
enum : int64_t {
    t_ClickBefore = -1, // left of or above the picture
    t_ClickAfter = -2,  // right of or below the picture
};

// A key or mouse event. Mods bits: 0 Caps Lock, 1 Shift, 2 Control, 3 Option (Alt), 4 Command
// (Super), 5 numeric keypad, 6 Help, 7 Fn; 8 ... 15 further platform bits.
struct t_Event {
    int64_t Kind = 0;                // t_EventKey or t_EventMouse
    int64_t Index = 0;               // key: hardware key code; mouse: buttons (1 left, 2 right)
    std::string Description;         // key: the characters it gave (dead key: none); mouse: ""
    int64_t Value = 0;               // key: code 0 ... 255, or function key 129 (F1) on; mouse: 0
    int64_t WindowX = 0;             // mouse: the click in window points from the lower left
    int64_t WindowY = 0;             //   (y upward); key: 0
    int64_t ClickX = 0;              // mouse: the picture pixel clicked from the top left,
    int64_t ClickY = 0;              //   or t_ClickBefore, t_ClickAfter; key: 0
    int64_t Mods = 0;                // modifier bits (above)
    uint8_t Window = 0;              // the window it happened in (t_QueueString: 1)
    int64_t Time = 0;                // milliseconds since 1 January 2001, 00:00 UTC
    bool CloseBox = false;           // always false
    bool CapsLockPressed = false;    // Mods bit 0
    bool ShiftPressed = false;       // Mods bit 1
    bool ControlPressed = false;     // Mods bit 2
    bool OptionPressed = false;      // Mods bit 3
    bool CommandPressed = false;     // Mods bit 4
    bool NumericPadPressed = false;  // Mods bit 5: a key of the numeric keypad
    bool HelpPressed = false;        // Mods bit 6
    bool FnPressed = false;          // key: Mods bit 7; mouse: false
    bool CursorKeyPressed = false;   // key: an arrow, Home, End, Page Up or Page Down
    bool FunctionKeyPressed = false; // key: a function key (Value 129 on); mouse: Mods bit 7
};

std::string t_GetKey(uint8_t n);                              // waits for a key, cursor shown
int64_t t_NextEvent();                                        // next key's value, or t_NoKey
bool t_CheckPause(int64_t value, bool wait);                  // the newest key is value: pause
void t_QueueString(std::string_view text);                    // keys as if typed
std::string t_InputForm(uint8_t n, const std::string& prompt, // edits one line until Return or
                        const std::string& defaultText,       //   Escape (empty); at most maximum
                        bool displayOnly, int64_t mode,       //   characters of the mode
                        int64_t maximum);
void t_InputEdit(uint8_t n, int64_t key); // one key applied to the line
void t_InputInsert(uint8_t n, int64_t c); // one character into the line

enum : int64_t { t_NoKey = -1 }; // t_NextEvent: no key is waiting

// =============================================================================================
// Strings (positions count user-perceived characters from 1)
// =============================================================================================

int64_t t_Asc(std::string_view s);                    // code of the first character
std::string t_Chr(int64_t code);                      // the character of a code
std::string t_CharAt(std::string_view s, int64_t i);  // the i-th character
std::string t_MidFrom(std::string_view s, int64_t i); // from position i to the end
std::string t_Left(std::string_view s, int64_t n);    // the first n characters
std::string t_Mid(std::string_view s, int64_t start,  // n characters from start
                  int64_t n);
int64_t t_Instr(std::string_view s,                       // position of pattern at or after
                std::string_view pattern, int64_t start); //   start, 0 when not found
std::string t_Spaces(int64_t n);                          // n blanks (at most 32767)
std::string t_FirstLine(std::string_view s);              // the text before the first line end
int64_t t_LowerCode(int64_t code);                        // code of the lower-case form

// =============================================================================================
// Graphics
// =============================================================================================

void g_Plot(uint8_t n, int64_t x, int64_t y, t_RGBColor color); // one pixel in a colour
void g_Plot(uint8_t n, int64_t x, int64_t y);                   // ... in the window's colour
t_RGBColor g_Scrn(uint8_t n, int64_t x, int64_t y);             // the colour of a pixel
void g_GotoXY(uint8_t n, int64_t x, int64_t y);                 // moves the graphics position
void g_Line(uint8_t n, int64_t x1, int64_t y1,                  // a line in the window's colour,
            int64_t x2, int64_t y2); // stepped in floating point; beyond 2^22 steps clipped first
void g_PrintSymbol(uint8_t n, uint8_t c, int64_t scalex,       // a glyph at the graphics position,
                   int64_t scaley, t_RGBColor foreground,      //   each pixel scalex x scaley; any
                   t_RGBColor background, const t_Font& font); //   monochrome or grey font
void g_PrintString(uint8_t n, const std::string& text,         // the same for every character
                   int64_t scalex, int64_t scaley, t_RGBColor foreground, t_RGBColor background,
                   const t_Font& font);

// =============================================================================================
// Mouse, menus and dialogs
// =============================================================================================

// One menu selection; menu selections are queued too.
struct t_MenuEvent {
    int64_t Kind = 0;         // t_EventMenu; t_EventNone (all else empty) for an item in no menu
    std::string MenuTitle;    // the title of the item's menu
    std::string ItemTitle;    // the item's title
    std::string ItemKeyChar;  // its key equivalent's character; empty when it has none
    uint64_t ItemKeyMods = 0; // its key equivalent's platform modifier flags; 0 when none
    int64_t ItemKeyAsc = 0;   // t_Asc of ItemKeyChar
    int64_t ItemAction = 0;   // the item's tag
    int64_t Time = 0;         // milliseconds since 1 January 2001, 00:00 UTC
};

// Positions of the menu-item commands count from 0.
enum : int64_t {
    t_LastMenuItem = 65535, // the position of the menu's last item
    t_NoMenuItem = -1,      // t_MenuItemIndex: no item has the title
    t_NoMenu = -2,          // t_MenuItemIndex: no menu has the title
};

void t_SetMouseHandler(std::function<void()> handler); // runs on its own thread per click
bool t_TakeMouseEvent(t_Event& event);                 // the oldest click, false when none
void t_SetMenuHandler(std::function<void()> handler);  // runs per selection of own items
bool t_TakeMenuEvent(t_MenuEvent& event);              // the oldest selection
int64_t t_MenuItemIndex(const std::string& menu,       // position of the item with the
                        const std::string& title);     //   title, t_NoMenuItem or t_NoMenu
void t_MenuItemDelete(const std::string& menu, int64_t position); // position or t_LastMenuItem
std::string t_MenuItemTitle(const std::string& menu, int64_t position); // "" when none
void t_MouseEventPostCloseBoxClick(uint8_t n);       // hides the window as its close box
std::string t_OpenDialog(const std::string& title,   // the chosen path, empty when
                         const std::string& message, //   cancelled; types "txt,csv"
                         const std::string& fileTypes, bool chooseFiles, bool chooseFolders);
std::string t_SaveDialog(const std::string& fileName, const std::string& title,
                         const std::string& message, const std::string& fileTypes);
std::string t_FileNameOfPath(const std::string& path); // the part after the last "/"

// ---- The application menu -------------------------------------------------------------------

// Key equivalents besides a lower-case letter (Ctrl+Shift+letter): Ctrl+Shift with an arrow.
inline constexpr char t_MenuKeyLeft[] = "\xEF\x9C\x82";  // U+F702, the left arrow
inline constexpr char t_MenuKeyRight[] = "\xEF\x9C\x83"; // U+F703, the right arrow

// An item of the application menu below "Programm neu starten", usable like it only once the
// program has ended: it runs the program again and types the keys that typed() returns (UTF-8,
// "\r" Return) into its first window, as the user would. typed() runs on the main thread and
// may read the windows (t_GetScreen); empty: the bell, nothing runs. key: a lower-case letter,
// t_MenuKeyLeft, t_MenuKeyRight or "". Call before t_RunApplication.
void t_RerunMenuItem(const std::string& title, const std::string& key,
                     std::function<std::string()> typed);

// ---- Keeping a window: files and paper ------------------------------------------------------

// Each returns where the window went (the file, or the printer's name); on failure it is empty,
// after one log line naming the command. A picture is kept at its own pixel size, whatever the
// window's scale on the screen. Printing puts the window's title above the picture, scaled to fit
// the page; with pdfPath "" it asks Qt's print dialog (cancelled: empty, no line).
std::string t_SaveWindowImage(uint8_t n, const std::string& path); // a graphic window, as PNG
std::string t_SaveWindowText(uint8_t n, const std::string& path);  // UTF-8, as "Text kopieren"
std::string t_PrintWindow(uint8_t n, const std::string& pdfPath);  // a graphic window, one page

// =============================================================================================
// Program end
// =============================================================================================

[[noreturn]] void t_QuitProgram(uint8_t n); // "(Programm Ende)" in window n, ends the thread
void t_SetTerminationHandler(std::function<void()> handler); // runs when the application quits

#pragma GCC visibility pop
