#pragma once
// The platform windows by number: the helpers of the window commands (t_WindowCenter,
// t_WindowSize, t_WindowPos ...).
#include "platform/platform.h"

#include <cstdint>

namespace display {

// The text view of window 8, 9 or 10; nil for every other number. Any thread.
platform::TextView gettextview(uint8_t n);

// The delegate's answer to a resized window: fits the text windows' scroll views and rulers.
void windowdidresize(platform::Window resized);

} // namespace display
