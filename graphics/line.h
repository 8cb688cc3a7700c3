#pragma once
// Straight lines in the window's current colour.
#include "graphics/canvas.h"
#include "graphics/pen.h"

#include <cstdint>

// Draws the line's points that lie inside the canvas (the caller holds the video lock). Returns
// false when none did; otherwise (lastx, lasty) is the last point drawn.
bool drawline(const Canvas& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2, const Pen& pen,
              int64_t mode, int64_t& lastx, int64_t& lasty);

// Plots every point of the line as g_Plot does with the current colour; the graphics position
// ends at the last point inside the window.
void g_Line(uint8_t n, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
