#pragma once
// What of a pasted line reaches the field: text copied from a page or a table carries blanks
// around it, no-break spaces and invisible format characters that no one meant to type.
#include <string>
#include <string_view>

namespace input {

// No-break spaces become spaces, zero-width and other invisible format characters (U+200B …
// U+200F, U+2060, U+FEFF) are dropped, then the blanks (spaces, tabs) at either end.
std::u32string tidypastedline(std::u32string_view line);

} // namespace input
