#pragma once
// Creating a graphic window (t_InitWindow).
#include <string>

namespace display {

// The window title from the bundle name: "X.app" gives "X" ("X-Grafik" without a text block);
// any other name is used as it is.
std::string windowtitlefrombundle(const std::string& bundlefolder, bool hastextblock);

} // namespace display
