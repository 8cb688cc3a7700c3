#pragma once
// The pens of the graphics commands, and their refusal of a depth without a pixel layout.
#include "display/pixelformats.h"
#include "display/window.h"

#include <cstdint>

namespace graphics {

// An explicit colour: its nearest palette entry stands for it at depths 1 and 4.
display::Pen colourpen(t_RGBColor colour, int64_t depth);
// The window's current colour: the TextColor foreground at depths 1 and 4, RGBColor elsewhere.
display::Pen windowpen(const display::t_Window& w);

// "g_Plot: Illegal bit depth (<depth>)."
void logillegaldepth(int64_t depth);

} // namespace graphics
