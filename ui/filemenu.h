#pragma once
// The menu "Datei": the chosen window's picture or text into a file, its picture on paper.
namespace ui {

// Once per process, after the interface exists (main thread); in front of the menus there.
void addfilemenu();

} // namespace ui
