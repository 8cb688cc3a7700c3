#pragma once
// Loading font resource files into t_Font records.
#include "text/font.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Loads "<bundle>/Contents/Resources/<name>". A failed load has an empty Data.
t_Font t_LoadFontResource(const std::string& name);

// The whole file, or an empty array (with a log line) when it cannot be read.
std::vector<uint8_t> getbinaryfromfile(const std::string& path);

// The bytes of a font resource file as a t_Font; name is the file name used in messages.
t_Font parsefontresource(std::span<const uint8_t> bytes, const std::string& name);

// Formats 100 and 102 become 0 and 2 with their glyph data decoded; other fonts are returned as
// they are. Data that does not decode leaves Data empty.
t_Font uncompressfont(const t_Font& font);
