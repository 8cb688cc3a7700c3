#include "graphics/nearestcolor.h"

#include "text/glyphblend.h"

// The same rule that places blended glyph colours on depth-4 windows.
uint8_t t_NearestColor(uint8_t red, uint8_t green, uint8_t blue) {
    return nearestpaletteindex(RGB{red, green, blue});
}
