#include "input/lineeditor.h"

#include "display/videomemory.h"
#include "display/windowlookup.h"
#include "input/keyevents.h"
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"
#include "unicode/strings.h"

#include <algorithm>
#include <array>
#include <vector>

namespace input {

namespace {

constexpr int64_t returnkey = 13;
constexpr int64_t escapekey = 27;
constexpr int64_t placecursorkey = 31;

// The line and its cursor while one key is applied; written back afterwards.
struct Line {
    uint8_t n;
    std::string text;
    int64_t cursor;
    int64_t oldlength;

    int64_t length() const { return unicode::graphemecount(text); }
    display::t_Window& window() const { return display::windowrecord(n); }
};

bool isspaceat(const Line& line, int64_t position) {
    return t_CharAt(line.text, position) == " ";
}

void placecursor(Line& line) {
    line.window().TextHpos = line.window().InputHpos + line.cursor;
}

void redrawline(Line& line) {
    redrawinput(line.n, line.text);
    placecursor(line);
}

void tostart(Line& line) {
    line.cursor = 0;
}

void toend(Line& line) {
    line.cursor = line.length();
}

void wordright(Line& line) {
    if (line.cursor < line.length()) {
        ++line.cursor;
        while (line.cursor < line.length() && !isspaceat(line, line.cursor)) {
            ++line.cursor;
        }
    }
}

void wordleft(Line& line) {
    if (line.cursor > 0) {
        --line.cursor;
        while (line.cursor > 0 && !isspaceat(line, line.cursor)) {
            --line.cursor;
        }
    }
}

void left(Line& line) {
    --line.cursor;
}

void right(Line& line) {
    ++line.cursor;
}

void deleteright(Line& line) {
    line.text = t_Left(line.text, line.cursor) + t_MidFrom(line.text, line.cursor + 2);
    redrawinput(line.n, line.text + " ");
}

void deleteleft(Line& line) {
    line.text = t_Left(line.text, line.cursor - 1) + t_MidFrom(line.text, line.cursor + 1);
    --line.cursor;
    redrawinput(line.n, line.text + " ");
}

// Everything left of the cursor goes; exactly the old length is rewritten.
void cuttostart(Line& line) {
    line.text = t_MidFrom(line.text, line.cursor + 1);
    line.cursor = 0;
    redrawinput(line.n, t_Left(line.text + t_Spaces(line.oldlength), line.oldlength));
}

void clearline(Line& line) {
    line.text.clear();
    line.cursor = 0;
    line.window().TextHpos = line.window().InputHpos.load();
    t_PrintSpc(line.n, line.oldlength);
}

void finish(Line& line) {
    line.window().InputFinished = true;
}

void cancel(Line& line) {
    line.text.clear();
    line.window().InputFinished = false;
    line.window().TextHpos = line.window().InputHpos.load();
    t_Print(line.n,
            std::vector<uint8_t>(static_cast<size_t>(std::max<int64_t>(line.oldlength, 0)), ' '));
}

void copy(Line& line) {
    copyinputline(line.n);
}

// Insertions work on the record; the line is taken back from it afterwards.
void throughrecord(Line& line, void (*insert)(uint8_t)) {
    line.window().InputString = line.text;
    line.window().InputCursorPos = line.cursor;
    insert(line.n);
    line.text = line.window().InputString;
    line.cursor = line.window().InputCursorPos;
}

void paste(Line& line) {
    throughrecord(line, pasteinputline);
}

void numeric(Line& line) {
    throughrecord(line, numericentry);
}

using EditAction = void (*)(Line&);

struct EditKey {
    int64_t key;
    EditAction action;
};

// The editing keys by the value the key translation gives them; printable values insert, the
// remaining control values do nothing.
constexpr auto editkeys = std::to_array<EditKey>({
    {0, redrawline},   // dead keys, Control-Option-L
    {1, tostart},      // Control-A
    {2, tostart},      // Home
    {3, toend},        // Page Down
    {4, wordright},    // Control-D
    {5, toend},        // End
    {6, toend},        // Control-F
    {7, deleteright},  // Forward Delete, Control-G
    {8, left},         // Left arrow, Control-H
    {10, toend},       // Down arrow
    {11, tostart},     // Up arrow
    {12, copy},        // Control-L
    {13, finish},      // Return
    {18, tostart},     // Page Up
    {19, wordleft},    // Control-S
    {21, right},       // Right arrow, Control-U
    {22, paste},       // Control-V
    {24, cuttostart},  // Control-X
    {26, clearline},   // Control-Z
    {27, cancel},      // Escape
    {30, numeric},     // Control-^
    {31, placecursor}, // Control-_
    {127, deleteleft}, // Delete (backspace)
});

EditAction editaction(int64_t key) {
    for (const EditKey& entry : editkeys) {
        if (entry.key == key) {
            return entry.action;
        }
    }
    return nullptr;
}

bool isinsertable(int64_t key) {
    return (key >= 32 && key <= 126) || key >= 128;
}

} // namespace

void redrawinput(uint8_t n, const std::string& text) {
    display::t_Window& w = display::windowrecord(n);
    w.TextHpos = w.InputHpos.load();
    w.TextDisplayMode = t_DisplayRedControls;
    t_Print(n, text);
    w.TextDisplayMode = t_DisplayPlain;
}

} // namespace input

std::string t_InputForm(uint8_t n, const std::string& prompt, const std::string& defaultText,
                        bool displayOnly, int64_t mode, int64_t maximum) {
    display::t_Window* found = display::textwindow("t_InputForm", n);
    if (found == nullptr) {
        return {};
    }
    display::t_Window& w = *found;
    w.TextDisplayMode = t_DisplayRedControls;
    t_Print(n, prompt);
    w.TextDisplayMode = t_DisplayPlain;
    w.InputHpos = w.TextHpos.load();
    w.InputVpos = w.TextVpos.load();
    w.InputMode = mode;
    w.InputMaxCharacters = maximum;
    w.InputString = maximum < 1 ? std::string() : t_Left(defaultText, maximum);
    w.InputFinished = false;
    w.InputCursorPos = unicode::graphemecount(w.InputString);
    t_Print(n, w.InputString);
    if (!displayOnly) {
        // Also cleared when the program ends while it waits for a key.
        struct Editing {
            display::t_Window& w;
            explicit Editing(display::t_Window& window) : w(window) { w.InputActive = true; }
            ~Editing() { w.InputActive = false; }
        } editing(w);
        int64_t key = 0;
        do {
            t_InputEdit(n, input::placecursorkey);
            key = t_Asc(t_GetKey(n));
            t_InputEdit(n, key);
        } while (key != input::returnkey && key != input::escapekey);
        t_Cr(n);
    }
    return w.InputString;
}

void t_InputEdit(uint8_t n, int64_t key) {
    display::t_Window* found = display::textwindow("t_InputEdit", n);
    if (found == nullptr) {
        return;
    }
    display::t_Window& w = *found;
    w.TextVpos = w.InputVpos.load();
    w.TextHpos = w.InputHpos + w.InputCursorPos;
    if (const input::EditAction action = input::editaction(key)) {
        input::Line line{n, w.InputString, w.InputCursorPos, unicode::graphemecount(w.InputString)};
        action(line);
        w.InputString = line.text;
        w.InputCursorPos = line.cursor;
    } else if (input::isinsertable(key)) {
        t_InputInsert(n, key);
    }
    w.InputCursorPos =
        std::clamp<int64_t>(w.InputCursorPos, 0, unicode::graphemecount(w.InputString));
}
