#pragma once
// UTF-8 text as a sequence of user-perceived characters (extended grapheme clusters).
//
// Invalid UTF-8 never stops the walk: every byte that does not begin a well-formed sequence
// (stray continuation byte, truncated or overlong sequence, encoded surrogate, value above
// U+10FFFF) is a character of its own. It reads as U+FFFD, never joins a neighbour, and is kept
// byte for byte wherever text is cut or copied, so that cutting a line and joining the pieces
// gives back the same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace unicode {

inline constexpr int32_t replacementcharacter = 0xFFFD;

// Decodes the scalar that starts at byte pos (pos < text.size()) and returns its length in bytes.
// An invalid byte yields replacementcharacter with length 1 and sets *invalid when given.
size_t decodescalar(std::string_view text, size_t pos, int32_t& scalar, bool* invalid = nullptr);

// Byte offset just past the character that starts at pos; text.size() when pos is at or past it.
size_t graphemeend(std::string_view text, size_t pos);

// Byte offset where the character with 0-based index starts; text.size() when the text has no
// more characters than that (so it is also the end of the first `index` characters).
size_t graphemeoffset(std::string_view text, int64_t index);

// Number of characters.
int64_t graphemecount(std::string_view text);

// The characters in order, each a view into text.
std::vector<std::string_view> graphemes(std::string_view text);

} // namespace unicode
