// Inserting characters into the line: the input modes' filters and numeric character entry.
#include "input/lineeditor.h"
#include "quorvinthal/toolkit.h"
#include "text/textchecks.h"
#include "unicode/graphemes.h"
#include "unicode/strings.h"

#include <algorithm>
#include <optional>

namespace input {

namespace {

constexpr int64_t lastscalar = 0x10FFFF;

bool isdigit(int64_t c) {
    return c >= '0' && c <= '9';
}

bool contains(const std::string& line, const char* character) {
    return t_Instr(line, character, 1) > 0;
}

bool isscalar(int64_t c) {
    return c >= 0 && c <= lastscalar && !(c >= 0xD800 && c <= 0xDFFF);
}

// The character the mode inserts for code c, or nothing when the mode refuses it.
std::optional<int64_t> acceptedbymode(const display::t_Window& w, int64_t c) {
    const std::string& line = w.InputString;
    const int64_t cursor = w.InputCursorPos;
    switch (w.InputMode) {
    case t_InputInteger:
        if (isdigit(c) || (c == '-' && cursor == 0)) {
            return c;
        }
        return std::nullopt;
    case t_InputDecimal: {
        const int64_t lower = t_LowerCode(c);
        if (isdigit(lower)) {
            return lower;
        }
        if ((lower == '.' || lower == ',') && !contains(line, ",")) {
            return ',';
        }
        if (lower == '-' && (cursor == 0 || t_CharAt(line, cursor) == "e")) {
            return lower;
        }
        if (lower == 'e' && !contains(line, "e")) {
            return lower;
        }
        return std::nullopt;
    }
    case t_InputRange:
        if (isdigit(c) || (c == '-' && cursor != 0 && !contains(line, "-"))) {
            return c;
        }
        return std::nullopt;
    default:
        return c != 0 ? std::optional<int64_t>(c) : std::nullopt;
    }
}

bool hasroom(const display::t_Window& w) {
    const int64_t length = unicode::graphemecount(w.InputString);
    return w.InputHpos + length < w.TextLastColumn && length < w.InputMaxCharacters;
}

// A digit key's value, or nothing for any other key.
std::optional<int64_t> digitkey(uint8_t n) {
    const int64_t key = t_Asc(t_GetKey(n));
    return isdigit(key) ? std::optional<int64_t>(key - '0') : std::nullopt;
}

} // namespace

int64_t roomleft(const display::t_Window& w) {
    const int64_t length = unicode::graphemecount(w.InputString);
    return std::max<int64_t>(
        0, std::min(w.TextLastColumn - w.InputHpos - length, w.InputMaxCharacters - length));
}

bool insertatcursor(display::t_Window& w, int64_t c) {
    // A code that is no character (negative, a surrogate, beyond Unicode) would enter the line
    // as U+0000, which every mode refuses.
    if (!hasroom(w) || !isscalar(c)) {
        return false;
    }
    const std::optional<int64_t> accepted = acceptedbymode(w, c);
    if (!accepted) {
        return false;
    }
    const int64_t cursor = w.InputCursorPos;
    w.InputString = t_Left(w.InputString, cursor) + unicode::scalartext(*accepted) +
                    t_MidFrom(w.InputString, cursor + 1);
    w.InputCursorPos = cursor + 1;
    return true;
}

void numericentry(uint8_t n) {
    std::optional<int64_t> digit = digitkey(n);
    if (!digit) {
        return;
    }
    int64_t value = *digit;
    for (int more = 0; more < 2 && (digit = digitkey(n)); ++more) {
        value = value * 10 + *digit;
    }
    const int64_t lowest = display::windowrecord(n).InputMode == t_InputTextControls ? 1 : 32;
    if (value >= lowest && value <= 255) {
        t_InputInsert(n, value);
    }
}

} // namespace input

void t_InputInsert(uint8_t n, int64_t c) {
    if (!text::textcommandready("t_InputInsert", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    if (input::insertatcursor(w, c)) {
        input::redrawinput(n, w.InputString);
    }
}
