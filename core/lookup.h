#pragma once
// Window numbers (the graphic windows below t_GraphicWindows, t_WindowPasteboard ... t_WindowMain)
// to platform objects. Callable from any thread.
#include "platform/platform.h"

#include <cstdint>

namespace core {

platform::Window getwindow(uint8_t n);
platform::View getview(uint8_t n);

} // namespace core
