#pragma once
// Whether the bytes of a font resource file make a whole font: its loader takes any bytes it can
// read, so a damaged file would show as missing glyphs without a word.
#include <cstdint>
#include <span>
#include <string>

namespace formats {

// What is wrong with the bytes as a font, for a log line after the file's name ("is empty", "is
// not a font resource file", "holds 84 of the 262144 bytes of glyphs it declares" …); empty when
// nothing is.
std::string fontfileproblem(std::span<const uint8_t> bytes);

} // namespace formats
