#pragma once
// Placing, sizing, showing, hiding, titling and querying the platform windows by number.
#include "platform/platform.h"

#include <cstdint>
#include <string>

void t_WindowCenter(uint8_t n);
void t_WindowFront(uint8_t n);
void t_WindowTitle(uint8_t n, const std::string& title);
void t_WindowVisible(uint8_t n, bool visible);
void t_WindowTitleVisible(uint8_t n, bool visible);
void t_WindowSize(uint8_t n, int64_t x, int64_t y, int64_t width, int64_t height);
int64_t t_WindowPos(uint8_t n, int64_t selector);

// The platform window of number n; nil after logging "<command>: Window does not exist.".
platform::Window existingwindow(const char* command, uint8_t n);

// The text view of window 8, 9 or 10; nil for every other number. Any thread.
platform::TextView gettextview(uint8_t n);

// The delegate's answer to a resized window: fits the text windows' scroll views and rulers.
void windowDidResize(platform::Window resized);
