#pragma once
// Creating a graphic window (t_InitWindow).
#include <string>

namespace display {

// A new window's title: the program's name, with "-Grafik" for a window without a text block.
std::string windowtitle(const std::string& programname, bool hastextblock);

} // namespace display
