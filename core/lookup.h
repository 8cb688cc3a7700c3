#pragma once
// Window numbers to platform objects: 0 ... 7 graphic windows, 8 pasteboard, 9 virtual printer,
// 10 system console, 11 preferences, 12 main window. Callable from any thread.
#include "platform/platform.h"

#include <cstdint>

namespace core {

platform::Window getwindow(uint8_t n);
platform::View getview(uint8_t n);

} // namespace core
