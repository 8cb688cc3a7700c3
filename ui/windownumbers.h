#pragma once
// From a platform window back to the toolkit's window number: a graphic window below
// t_GraphicWindows, t_WindowPasteboard ... t_WindowMain, or t_WindowNone.
#include "platform/platform.h"

#include <cstdint>

namespace ui {

// Any thread; the comparisons run on the main thread.
uint8_t getwindownumber(platform::Window window);
// The number of the application's main (active) window; t_WindowNone when there is none.
uint8_t getmainwindownumber();

} // namespace ui
