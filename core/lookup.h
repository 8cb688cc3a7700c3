#pragma once
// Window numbers (the graphic windows below t_GraphicWindows, t_WindowPasteboard ... t_WindowMain)
// to platform objects and back, read from one table. Callable from any thread; the lookups run on
// the main thread.
#include "platform/platform.h"

#include <cstdint>

namespace core {

platform::Window getwindow(uint8_t n); // null for a number without a window
platform::View getview(uint8_t n);     // null for a number without a view

// The number of a platform window; t_WindowNone for null and for a window that is not one of them.
uint8_t getwindownumber(platform::Window window);
// The number of the application's main (active) window; t_WindowNone when there is none.
uint8_t getmainwindownumber();

} // namespace core
