#pragma once
// Who the running program is: its executable, and the name its windows and its application menu
// carry. A program is named after its executable file unless it names itself (the chart
// application calls itself "Quorvinthal").
#include <filesystem>
#include <string>

namespace base {

// The running executable (from /proc/self/exe), or an empty path when the system does not say.
std::filesystem::path executablepath();

// The program's name: the one set with setprogramname, else the executable's file name.
std::string programname();
void setprogramname(const std::string& name); // an empty name goes back to the executable's

} // namespace base
