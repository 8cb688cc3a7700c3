#pragma once
// Writing t_Font records in the font resource format (the build's font tool, tests).
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <vector>

namespace formats {

// The file bytes: a standard 16-byte header (identifier, format, size, first and last character,
// glyph width and height, reserved; numbers big-endian) followed by Data as it is.
std::vector<uint8_t> fontresourcebytes(const t_Font& font);

// Formats 0 and 2 become 100 and 102 with LZW-compressed Data; other fonts are returned as they
// are. uncompressfont() undoes it.
t_Font compressfont(const t_Font& font);

} // namespace formats
