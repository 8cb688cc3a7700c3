#pragma once
// Where a window's printed symbols and control codes go (t_RedirectOutput): into the window, to
// standard output, or nowhere.
#include "display/window.h"

#include <cstdint>

namespace text {

// Whether code c goes into window n: its output is not redirected and it has its text block.
// Otherwise c goes where the output is routed, and output for a window without a text block is
// refused with the command's "not initialized" line.
bool routedtowindow(const char* command, uint8_t n, const display::t_Window& w, uint8_t c);

} // namespace text
