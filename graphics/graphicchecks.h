#pragma once
// The window checks every graphics command makes first.
#include <cstdint>

// Logs "<command>: Window is not a graphic window." or "<command>: Graphic window #<n> not
// initialized." and returns false when window n cannot be drawn into.
bool graphicwindowready(const char* command, uint8_t n);

// "g_Plot: Illegal bit depth (<depth>)."
void logillegaldepth(int64_t depth);
