#pragma once
// The menu "Datei": the chosen window's picture or text into a file, its picture on paper.
#include <string>

namespace ui {

// Once per process, after the interface exists (main thread); in front of the menus there.
void addfilemenu();

// What the message box says about a file that could not be written, by errno.
std::string writeproblem(int error);

} // namespace ui
