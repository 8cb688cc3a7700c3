#pragma once
// The window a command works on. Each lookup returns the window's record, or null after logging
// the command's refusal; the command then returns without effect. The refusals:
//   "<command>: Window is not a graphic window."       a number of 8 or more
//   "<command>: Window #<n> not initialized."          memory not ready, window or text block
//   missing
//   "<command>: Graphic window #<n> not initialized."  the same for the graphics commands
//   "<command>: Window does not exist."                no platform window of that number
//   "<command>: Window #<n> view is nil, resource undefined."
#include "display/window.h"
#include "platform/platform.h"

#include <cstdint>

namespace display {

// An initialised window with a text block.
inline bool textready(const t_Window& w) {
    return w.Initialized && w.TextMemoryStart >= 0;
}

// Logs "<command>: Window #<n> not initialized.".
void lognotinitialized(const char* command, uint8_t n);

// Whether n is a graphic window's number (0 ... 7); logs the refusal otherwise.
bool graphicwindownumber(const char* command, uint8_t n);

// The record of graphic window n once the memory is ready, in whatever state it is.
t_Window* numberedwindow(const char* command, uint8_t n);
// ... initialised: the window commands that need no text block.
t_Window* initializedwindow(const char* command, uint8_t n);
// ... with a text block: the text commands.
t_Window* textwindow(const char* command, uint8_t n);
// An initialised window for the graphics commands, which name it "Graphic window".
t_Window* graphicwindow(const char* command, uint8_t n);

// A window whose picture is shown: initialised and visible. Silent about numbers of 8 or more and
// before the memory is ready; says when the window is not initialised.
t_Window* shownwindow(const char* command, uint8_t n);

// Whether a key or a click in view n goes to the program: the window is initialised (otherwise
// "<method>: Graphic window (<n>) not initialized." is logged) and takes events.
bool takesevents(const char* method, uint8_t n);

// The platform window of number n, or nil.
platform::Window existingwindow(const char* command, uint8_t n);
// The view of graphic window n, or nil.
platform::View existingview(const char* command, uint8_t n);

} // namespace display
