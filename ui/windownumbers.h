#pragma once
// From a platform window back to the toolkit's window number: 0 ... 7 graphic windows,
// 8 pasteboard, 9 virtual printer, 10 system console, 11 preferences, 12 main window, 255 none.
#include "platform/platform.h"

#include <cstdint>

namespace ui {

// Any thread; the comparisons run on the main thread.
uint8_t getwindownumber(platform::Window window);
// The number of the application's main (active) window; 255 when there is none.
uint8_t getmainwindownumber();

} // namespace ui
