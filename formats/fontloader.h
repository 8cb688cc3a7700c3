#pragma once
// Font resource files as t_Font records (t_LoadFontResource in display/resources.cpp finds them).
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <span>
#include <string>

namespace formats {

// The bytes of a font resource file as a t_Font; name is the file name used in messages. A
// failed load has an empty Data.
t_Font parsefontresource(std::span<const uint8_t> bytes, const std::string& name);

// Formats 100 and 102 become 0 and 2 with their glyph data decoded; other fonts are returned as
// they are. Data that does not decode leaves Data empty.
t_Font uncompressfont(const t_Font& font);

} // namespace formats
