#pragma once
// Creating a graphic window.
#include "text/font.h"

#include <cstdint>
#include <string>

// A text window of columns x lines cells in the named font, borders of border pixels, updated
// automatically, with a title bar.
void t_InitWindow(uint8_t n, int64_t bitDepth, int64_t columns, int64_t lines, int64_t border,
                  const std::string& fontName);

void t_InitWindow(uint8_t n, int64_t bitDepth, bool autoUpdate, int64_t width, int64_t height,
                  int64_t borderWidth, int64_t borderHeight, const t_Font& font, bool titleVisible);

// The window title from the bundle name: "X.app" gives "X" ("X-Grafik" without a text block);
// any other name is used as it is.
std::string windowtitlefrombundle(const std::string& bundlefolder, bool hastextblock);
