#pragma once
// How the desktop knows a running program: taskbars and docks match its windows to a menu entry
// by the desktop file name (on Wayland, the app id) or the windows' class, and show its icon.
#include <filesystem>
#include <string>
#include <vector>

namespace toolkit {

// The chart application is its desktop entry, org.quorvinthal.Quorvinthal; a program of one's
// own goes by its own name.
std::string desktopfilename(const std::string& programname);

// The shipped icon at every size, from the hicolor theme beside the first data folder that has
// it (<share>/icons/hicolor/<size>/apps/quorvinthal.png for <share>/quorvinthal); none when no
// folder has it.
std::vector<std::filesystem::path>
iconfiles(const std::vector<std::filesystem::path>& resourcefolders);

// Hands this program's name, desktop file name and icon to the platform; before the windows are
// made.
void announceidentity();

} // namespace toolkit
