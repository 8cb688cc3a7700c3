#pragma once
// Clicks in the graphic windows as mouse events (t_EventMouse) and the program's mouse handler.
#include "platform/platform.h"

#include <cstdint>

namespace ui {

// The views' mouse methods (main thread): mouseDown: and rightMouseDown:, mouseUp: and
// rightMouseUp:. Other buttons are not the toolkit's.
void viewmousedown(int view, const platform::MouseClick& event);
void viewmouseup(int view, const platform::MouseClick& event);

// A window coordinate as a pixel of an image of the given size along that axis: the pixel, or
// t_ClickBefore / t_ClickAfter beside it.
int64_t clickpixel(int64_t offset, int64_t size);

} // namespace ui

// Queues the click at window position (x, y) of window n and starts the program's handler.
void t_MouseEventHandler(uint8_t n, const platform::MouseClick& event, double x, double y);
