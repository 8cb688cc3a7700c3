#pragma once
// Turning a graphic block into an image, and redraw requests.
#include "platform/platform.h"

#include <cstdint>
#include <optional>

namespace display {

// Converts window n's graphic block into image (reusing its storage). False, with the image
// untouched, when the window is not shown: memory not ready, not initialised (logged) or hidden.
bool windowimageinto(uint8_t n, platform::Image& image);

// The part of window n's picture changed since its view last painted; empty when none.
platform::PixelRect pendingpart(uint8_t n);

// The view side, called by the platform on the main thread.
void viewpaintstarted(int n);
void viewpaintfinished(int n);
// Brings the view's frame up to date: converts only the rows changed since the last paint, or
// the whole picture when the frame has another size. changed tells which rows it converted.
bool viewpaint(int n, platform::Image& frame, platform::PixelRect& changed);

} // namespace display

// The image of window n at its pixel size, or nothing.
std::optional<platform::Image> t_WindowImage(uint8_t n);
// The same for a window whose view exists (the picture the menu puts on the pasteboard).
std::optional<platform::Image> t_WindowNSImage(uint8_t n);
