#pragma once
// String functions in the manner of the old BASIC ones, on UTF-8 text (the t_ commands of the
// public header), and the conversions of text that crosses the pasteboard.
//
// Positions start at 1 and count user-perceived characters (unicode/graphemes.h, which also gives
// the rule for invalid UTF-8: each bad byte is one character, kept unchanged, read as U+FFFD).
// Out-of-range positions and counts never fail; they give the empty or the whole text.
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace unicode {

// A byte array compared by value.
struct Text {
    std::vector<uint8_t> Elements;

    bool operator==(const Text&) const = default;
};

// The one-character UTF-8 string of a scalar value; U+0000 (one NUL byte) for a value that is not
// a Unicode scalar (negative, a surrogate or above U+10FFFF). t_Chr gives the same.
std::string scalartext(int64_t scalar);

// Line text as it goes to the pasteboard: each ESC, one or more ASCII hexadecimal digits, GS
// becomes the character of that scalar value (U+0000 when it is none). An ESC not followed by
// digits and a GS is copied unchanged; a decoded character is not scanned again.
std::string unescapecopytext(std::string_view s);

} // namespace unicode

template <> struct std::hash<unicode::Text> {
    size_t operator()(const unicode::Text& text) const noexcept;
};
