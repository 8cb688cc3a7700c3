#pragma once
// The close box: the toolkit never lets the platform close one of its windows; it hides them.
#include "platform/platform.h"

namespace ui {

// The window delegate (main thread): hides the window and answers false, so it stays open.
bool windowshouldclose(platform::Window window);

} // namespace ui
