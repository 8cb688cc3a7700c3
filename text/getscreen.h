#pragma once
// The cells behind t_GetScreen.
#include "display/window.h"

#include <cstdint>
#include <vector>

namespace text {

// The character codes of a window's text block, line after line, taken under the video lock.
std::vector<uint8_t> screencells(const display::t_Window& w);

} // namespace text
