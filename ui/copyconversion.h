#pragma once
// A graphic window's text as it goes to the pasteboard: the fonts' box-drawing and symbol codes
// 127 ... 160 become plain characters that any other program shows.
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// The scalar value a toolkit character code (or any scalar) is copied as.
uint32_t copiedscalar(int64_t code);
// Converts UTF-8 text scalar by scalar; a byte that is not UTF-8 is taken as U+FFFD.
std::string copyconversion(std::string_view text);

} // namespace ui
