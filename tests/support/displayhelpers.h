#pragma once
// Windows and video memory as the display, text and graphics tests make and read them.
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <vector>

// Window n without a text block, width x height pixels at the given depth, borders of border.
void graphicwindow(uint8_t n, int64_t depth, int64_t width = 64, int64_t height = 32,
                   int64_t border = 0);

// The first byte of window n's graphic block.
uint8_t* block(uint8_t n);

// A copy of count bytes of video memory from address on.
std::vector<uint8_t> memorybytes(int64_t address, int64_t count);
