// t_NearestColor: the palette entry that stands for a colour on palette windows.
#include "display/blend.h"
#include "quorvinthal/toolkit.h"

// The same rule that places blended glyph colours on depth-4 windows.
uint8_t t_NearestColor(uint8_t red, uint8_t green, uint8_t blue) {
    return display::nearestpaletteindex(display::RGB{red, green, blue});
}
