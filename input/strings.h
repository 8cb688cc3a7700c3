#pragma once
// String functions in the manner of the old BASIC ones, on UTF-8 text.
//
// Positions start at 1 and count user-perceived characters (input/graphemes.h, which also gives
// the rule for invalid UTF-8: each bad byte is one character, kept unchanged, read as U+FFFD).
// Out-of-range positions and counts never fail; they give the empty or the whole text.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A byte array compared by value.
struct Text {
    std::vector<uint8_t> Elements;

    bool operator==(const Text&) const = default;
};

template <> struct std::hash<Text> { size_t operator()(const Text& text) const noexcept; };

// Scalar value of the first character, 0 for the empty string. The character is taken in its
// composed (NFC) form, so "e" + U+0301 reads as 233 like a typed "é".
int64_t t_Asc(std::string_view s);

// The i-th character; empty when i < 1 or i > length.
std::string t_CharAt(std::string_view s, int64_t i);

// Characters from position i to the end; the whole text when i < 2, empty when i > length.
std::string t_MidFrom(std::string_view s, int64_t i);

// The first n characters; empty when n < 1, the whole text when n >= length.
std::string t_Left(std::string_view s, int64_t n);

// n characters from position start (t_Left when start < 2); empty when n < 1 or start > length.
std::string t_Mid(std::string_view s, int64_t start, int64_t n);

// Position of the first occurrence of pattern at or after position start, 0 when there is none
// (an empty pattern is never found). Characters are compared in their composed (NFC) form, case
// sensitive, and a match must cover whole characters: "e" is not found inside "e" + U+0301.
int64_t t_Instr(std::string_view s, std::string_view pattern, int64_t start);

// n spaces; empty when n < 1 or n > 32767.
std::string t_Spaces(int64_t n);

// The text before the first CR; without a CR, before the first LF; else the whole text.
std::string t_FirstLine(std::string_view s);

// Scalar value of the lower-case form of the character code; an invalid scalar counts as U+0000
// and a negative code gives 0.
int64_t t_LowerCode(int64_t code);

// The one-character UTF-8 string of a scalar value; U+0000 (one NUL byte) for a value that is not
// a Unicode scalar (negative, a surrogate or above U+10FFFF).
std::string scalartext(int64_t scalar);

// Pasteboard text as the line editor receives it: each scalar above 255 becomes ESC, its
// hexdigits4, GS; LF becomes CR; everything else is unchanged (an invalid byte is U+FFFD).
std::string escapepastetext(std::string_view s);

// Line text as it goes to the pasteboard: each ESC, one or more ASCII hexadecimal digits, GS
// becomes the character of that scalar value (U+0000 when it is none). An ESC not followed by
// digits and a GS is copied unchanged; a decoded character is not scanned again.
std::string unescapecopytext(std::string_view s);
