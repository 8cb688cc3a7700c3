#pragma once
// The close box: the toolkit never lets the platform close one of its windows; it hides them.
#include "platform/platform.h"

#include <cstdint>

// Hides window n (any thread).
void t_MouseEventPostCloseBoxClick(uint8_t n);

// The window delegate (main thread): hides the window and answers false, so it stays open.
bool windowShouldClose(platform::Window window);
