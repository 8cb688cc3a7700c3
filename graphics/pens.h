#pragma once
// The pens of the graphics commands, and their refusal of a surface they cannot draw into.
#include "display/pixelformats.h"
#include "display/surface.h"
#include "display/window.h"

#include <cstdint>

namespace graphics {

// An explicit colour: its nearest palette entry stands for it at depths 1 and 4.
display::Pen colourpen(t_RGBColor colour, int64_t depth);
// The window's current colour: the TextColor foreground at depths 1 and 4, RGBColor elsewhere.
display::Pen windowpen(const display::t_Window& w);

// "g_Plot: Illegal bit depth (<depth>)."
void logillegaldepth(int64_t depth);

// Whether the graphics commands can draw into s. A depth without a pixel layout is refused once
// for each of the count() pixels that would have been drawn; a damaged block is passed over
// silently.
template <typename Count> bool drawable(const display::Surface& s, Count count) {
    if (s.routines == nullptr) {
        for (int64_t k = count(); k > 0; --k) {
            logillegaldepth(s.depth);
        }
        return false;
    }
    return s.pixels != nullptr;
}

} // namespace graphics
