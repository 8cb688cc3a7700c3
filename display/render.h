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
// A paint begins: the picture's size and the rows changed since the view last painted (taken);
// false, logged like t_WindowImage, when there is no picture to show.
bool viewpicture(int n, platform::PicturePaint& paint);
// Converts the picture's rows first ... first + count - 1 into out (width pixels to a row); false
// when the window is no longer shown or its picture has another width or fewer rows.
bool viewrows(int n, int64_t first, int64_t count, int64_t width, uint32_t* out);

} // namespace display

// The image of window n at its pixel size, or nothing.
std::optional<platform::Image> t_WindowImage(uint8_t n);
// The same for a window whose view exists (the picture the menu puts on the pasteboard).
std::optional<platform::Image> t_WindowNSImage(uint8_t n);
