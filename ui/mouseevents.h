#pragma once
// Clicks in the graphic windows as mouse events (Kind 2), their queue and the program's handler.
//
// Events are appended on the main thread and read by the program's handler on a background
// thread; the queue, its count and the available flag change together under the queue's lock.
#include "input/keyqueue.h"
#include "platform/platform.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

constexpr int64_t MouseEventKind = 2;
// ClickX / ClickY of a click beside the image: before its first or after its last pixel.
constexpr int64_t ClickBefore = -1;
constexpr int64_t ClickAfter = -2;

// The last mouse-down in any graphic window sets its button's flag and clears the other; any
// mouse-up clears both.
extern std::atomic<bool> leftmousebutton;
extern std::atomic<bool> rightmousebutton;

bool mouseeventavailable();
int64_t mouseeventcount();
std::vector<t_Event> mouseevents();
// Removes and returns the oldest event; false when there is none. The toolkit never removes
// events itself; this is for programs.
bool takemouseevent(t_Event& event);

// Runs once per click on a background thread ("t_EventMouse"); the default does nothing.
void setmousehandler(std::function<void()> handler);

// The views' mouse methods (main thread): mouseDown: and rightMouseDown:, mouseUp: and
// rightMouseUp:. Other buttons are not the toolkit's.
void viewmousepress(int view, const platform::MouseClick& event);
void viewmouserelease(int view, const platform::MouseClick& event);
void viewMouseDown(uint8_t n, const platform::MouseClick& event, bool right);
void viewMouseUp(uint8_t n, const platform::MouseClick& event);

// Queues the click at window position (x, y) of window n and starts the program's handler.
void t_MouseEventHandler(uint8_t n, const platform::MouseClick& event, double x, double y);

// A window coordinate as a pixel of an image of the given size along that axis: the pixel, or
// ClickBefore / ClickAfter beside it.
int64_t clickpixel(int64_t offset, int64_t size);
