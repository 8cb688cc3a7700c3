#pragma once
// The display mode's translation of the printed codes (t_ApplyDisplayMode).
#include "quorvinthal/toolkit.h"

#include <cstdint>

namespace text {

// The display mode's translation of code c, with the inverse flag and colour byte the caller
// restores afterwards. A negative code draws nothing.
struct DisplayModeResult {
    int64_t code = -2;
    bool inverse = false;
    uint8_t color = t_White << 4 | t_Black;
};

} // namespace text

text::DisplayModeResult t_ApplyDisplayMode(uint8_t n, int64_t c);
