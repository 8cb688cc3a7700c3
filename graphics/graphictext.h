#pragma once
// Characters of any font at the graphics position, enlarged by whole-number factors.
#include "display/window.h"
#include "text/font.h"

#include <cstdint>
#include <string>

// Draws character c of font at the graphics position (its top left corner), every glyph pixel as
// a scalex × scaley block in foreground or background, and moves PositionX past it. PositionY
// stays. Monochrome and grey fonts are drawn; a glyph that fits unscaled but reaches past the
// window when enlarged is cut at the window's edge.
void g_PrintSymbol(uint8_t n, uint8_t c, int64_t scalex, int64_t scaley, t_RGBColor foreground,
                   t_RGBColor background, const t_Font& font);

// g_PrintSymbol for every character of text (UTF-8) whose code's low eight bits are 32 or more.
void g_PrintString(uint8_t n, const std::string& text, int64_t scalex, int64_t scaley,
                   t_RGBColor foreground, t_RGBColor background, const t_Font& font);
