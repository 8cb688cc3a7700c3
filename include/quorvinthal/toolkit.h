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
//         t_InitWindow(0, 24, 80, 25, 16, "MenloBold 16x32.font");
//         t_Print(0, "Wie heißt du? ");
//         std::string name = t_InputForm(0, "", "", false, t_InputText, 20);
//         t_Print(0, "Hallo, " + name + "!");
//         t_QuitProgram(0);
//     }
//
//     int main(int argc, char** argv) { return t_RunApplication(argc, argv, program); }
//
// Conventions: every command takes the window number first (0 ... 7 graphic windows, 8 pasteboard,
// 9 virtual printer, 10 system console, 11 preferences, 12 main window). A command that cannot act
// logs one line to standard output and returns without effect; results that can fail are empty.
// Text is UTF-8. Character cells and string positions count from 1, pixels from 0 (x to the right,
// y downward). Colours are palette indexes 0 (black) ... 15 (white) unless a t_RGBColor is asked
// for.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Everything declared here is the library's interface; the rest of it stays inside.
#pragma GCC visibility push(default)

// ---- Records --------------------------------------------------------------------------------

// A colour; packed into 32 bits with Alpha in bits 0-7, Red 8-15, Green 16-23, Blue 24-31.
struct t_RGBColor {
    uint8_t Alpha = 255;
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;

    bool operator==(const t_RGBColor&) const = default;
};

// A bitmap font as a font resource file holds it; an empty Data means no font.
struct t_Font {
    enum : int64_t {
        Monochrome = 0,             // one bit per pixel, rows of whole bytes
        Grey = 2,                   // one grey byte per pixel
        CompressedMonochrome = 100, // LZW-compressed forms of the two
        CompressedGrey = 102,
    };

    int64_t HeaderSize = 16;
    // Not an initializer list: GCC 12 misreports its backing array as uninitialized at -O3.
    std::vector<uint8_t> Identifier = std::vector<uint8_t>{'k', 'q', 'f', 'n'};
    int64_t Format = Monochrome;
    int64_t Size = 0;
    uint8_t Start = 0; // first and last character code of the glyphs
    uint8_t End = 0;
    int64_t Width = 0; // glyph cell in pixels
    int64_t Height = 0;
    int64_t Reserved = 0;
    std::vector<uint8_t> Data;

    bool operator==(const t_Font&) const = default;
};

// A key event (Kind 1) or a mouse event (Kind 2).
struct t_Event {
    int64_t Kind = 0;
    int64_t Index = 0; // key code, or the mouse buttons held
    std::string Description;
    int64_t Value = 0; // the key's character code or function-key value
    int64_t WindowX = 0;
    int64_t WindowY = 0;
    int64_t ClickX = 0; // the picture pixel clicked; -1 before the picture, -2 after it
    int64_t ClickY = 0;
    int64_t Mods = 0;
    uint8_t Window = 0;
    int64_t Time = 0; // milliseconds since 1 January 2001
    bool CloseBox = false;
    bool CapsLockPressed = false;
    bool ShiftPressed = false;
    bool ControlPressed = false;
    bool OptionPressed = false;
    bool CommandPressed = false;
    bool NumericPadPressed = false;
    bool HelpPressed = false;
    bool FnPressed = false;
    bool CursorKeyPressed = false;
    bool FunctionKeyPressed = false;
};

// One menu selection (Kind 3; 0 when the sender had no menu).
struct t_MenuEvent {
    int64_t Kind = 0;
    std::string MenuTitle;
    std::string ItemTitle;
    std::string ItemKeyChar;
    uint64_t ItemKeyMods = 0;
    int64_t ItemKeyAsc = 0;
    int64_t ItemAction = 0; // the item's tag
    int64_t Time = 0;
};

struct t_DateTime {
    int64_t Year = 0;
    int64_t Month = 0;
    int64_t Day = 0;
    int64_t Hour = 0;
    int64_t Minute = 0;
    int64_t Second = 0;
};

// ---- Program --------------------------------------------------------------------------------

// Runs program on a program thread of its own while the windows stay on the screen, until the user
// quits (Ctrl+Shift+Q, or closing the last window), then ends the process with the application's
// exit status (so `return t_RunApplication(...)` in main never returns). The command line
// takes --help, --version, and --out DIR [--keys TEXT] [--today DD.MM.YYYY] [--timeout SECONDS]
// to run headless: the keys are typed, and the windows' pictures, text, titles and log are
// written into DIR once the program has ended. programName names the windows ("-Grafik" added for
// windows without text) and the application menu; empty: the executable's file name.
int t_RunApplication(int argc, char** argv, std::function<void()> program,
                     const std::string& programName = "");
[[noreturn]] void t_QuitProgram(uint8_t n);                  // "(Programm Ende)" in n, ends thread
void t_SetTerminationHandler(std::function<void()> handler); // runs when the application quits
t_DateTime t_LocalDateTime();                                // the local date and time now

// ---- Memory and windows ---------------------------------------------------------------------

void t_InitMemory(); // makes the video memory; the first t_InitWindow does it too
void t_InitWindow(uint8_t n, int64_t bitDepth, int64_t columns, // a text window of columns x lines
                  int64_t lines, int64_t border,                //   cells in the named font
                  const std::string& fontName);
void t_InitWindow(uint8_t n, int64_t bitDepth, bool autoUpdate, // any graphic window: depth 1, 4,
                  int64_t width, int64_t height,                //   8, 16, 24 or 32; text cells
                  int64_t borderWidth, int64_t borderHeight,    //   only with a font that has Data
                  const t_Font& font, bool titleVisible);
uint8_t t_FirstWindow();                                 // the first window made (255: none)
void t_WindowCenter(uint8_t n);                          // centres the window on its screen
void t_WindowFront(uint8_t n);                           // shows it in front of the others
void t_WindowTitle(uint8_t n, const std::string& title); // sets the title bar's text
void t_WindowVisible(uint8_t n, bool visible);           // shows or hides the window
void t_WindowTitleVisible(uint8_t n, bool visible);      // shows or hides the title bar
void t_WindowSize(uint8_t n, int64_t x, int64_t y,       // frame in screen points from the
                  int64_t width, int64_t height);        //   lower left; -1 keeps a value
int64_t t_WindowPos(uint8_t n, int64_t selector);        // a window fact by selector 0 ... 20
void t_WindowUpdate(uint8_t n, bool deferred);           // redraws now, or in the next pass
t_RGBColor t_PaletteColor(int64_t index);                // colour of a palette index 0 ... 15
void t_Color(uint8_t n, int64_t color);                  // text and drawing colour
void t_ColorBorder(uint8_t n, int64_t color);            // colour around the picture
t_Font t_LoadFontResource(const std::string& name);      // a font of the resources folder
void t_WindowFont(uint8_t n, const t_Font& font);        // draws text in another font

// ---- Text output ----------------------------------------------------------------------------

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
void t_RedirectOutput(uint8_t n, int64_t target);                 // 0 nowhere, 1 window, 2 stdout
void t_ScrollUp(uint8_t n);                                       // text area up one line
void t_ScrollDown(uint8_t n);                                     // text area down one line
void t_ClearEndOfLine(uint8_t n);                                 // blanks from the cursor on
void t_ClearEndOfWindow(uint8_t n);                               // ... to the end of the area

// ---- Cursor and display modes ---------------------------------------------------------------

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
void t_DisplayMode(uint8_t n, int64_t mode);         // how codes are translated
void t_InvertRect(uint8_t n, int64_t x1, int64_t y1, // swaps the colours of those cells
                  int64_t x2, int64_t y2);
void t_CursorDraw(uint8_t n); // inverts the cursor's cell
void t_CursorOn(uint8_t n);   // shows the cursor (nests)
void t_CursorOff(uint8_t n);

// ---- Input ----------------------------------------------------------------------------------

// Input modes of t_InputForm: which characters the line takes.
enum : int64_t {
    t_InputText = 0,         // any character
    t_InputTextControls = 1, // as 0; numeric entry (Control-^) also gives control codes
    t_InputInteger = 2,      // digits, "-" at the start
    t_InputDecimal = 3,      // digits, one ",", one "e", "-" at the start or after e
    t_InputRange = 4,        // digits, one "-" not at the start
};

std::string t_GetKey(uint8_t n);                              // waits for a key, cursor shown
int64_t t_NextEvent();                                        // next key's value, -1 when none
bool t_CheckPause(int64_t value, bool wait);                  // the newest key is value: pause
void t_QueueString(std::string_view text);                    // keys as if typed
std::string t_InputForm(uint8_t n, const std::string& prompt, // edits one line until Return or
                        const std::string& defaultText,       //   Escape (empty); at most maximum
                        bool displayOnly, int64_t mode,       //   characters of the mode
                        int64_t maximum);
void t_InputEdit(uint8_t n, int64_t key); // one key applied to the line
void t_InputInsert(uint8_t n, int64_t c); // one character into the line

// ---- Strings (positions count user-perceived characters from 1) -----------------------------

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

// ---- Graphics -------------------------------------------------------------------------------

void g_Plot(uint8_t n, int64_t x, int64_t y, t_RGBColor color); // one pixel in a colour
void g_Plot(uint8_t n, int64_t x, int64_t y);                   // ... in the window's colour
t_RGBColor g_Scrn(uint8_t n, int64_t x, int64_t y);             // the colour of a pixel
void g_GotoXY(uint8_t n, int64_t x, int64_t y);                 // moves the graphics position
void g_Line(uint8_t n, int64_t x1, int64_t y1,                  // a line in the window's colour
            int64_t x2, int64_t y2);
void g_PrintSymbol(uint8_t n, uint8_t c, int64_t scalex,  // a glyph at the graphics position,
                   int64_t scaley, t_RGBColor foreground, //   each pixel scalex x scaley
                   t_RGBColor background, const t_Font& font);
void g_PrintString(uint8_t n, const std::string& text, // the same for every character
                   int64_t scalex, int64_t scaley, t_RGBColor foreground, t_RGBColor background,
                   const t_Font& font);
uint8_t t_NearestColor(uint8_t red, uint8_t green, uint8_t blue); // the palette index closest

// ---- Mouse, menus and dialogs ---------------------------------------------------------------

void t_SetMouseHandler(std::function<void()> handler); // runs on its own thread per click
bool t_TakeMouseEvent(t_Event& event);                 // the oldest click, false when none
void t_SetMenuHandler(std::function<void()> handler);  // runs per selection of own items
bool t_TakeMenuEvent(t_MenuEvent& event);              // the oldest selection
int64_t t_MenuItemIndex(const std::string& menu,       // position of the item with the
                        const std::string& title);     //   title; -1 none, -2 no menu
void t_MenuItemDelete(const std::string& menu, int64_t position); // 65535 is the last item
std::string t_MenuItemTitle(const std::string& menu, int64_t position);
void t_MouseEventPostCloseBoxClick(uint8_t n);       // hides the window as its close box
std::string t_OpenDialog(const std::string& title,   // the chosen path, empty when
                         const std::string& message, //   cancelled; types "txt,csv"
                         const std::string& fileTypes, bool chooseFiles, bool chooseFolders);
std::string t_SaveDialog(const std::string& fileName, const std::string& title,
                         const std::string& message, const std::string& fileTypes);
std::string t_FileNameOfPath(const std::string& path); // the part after the last "/"

#pragma GCC visibility pop
