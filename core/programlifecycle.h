#pragma once
// The program's life cycle: its entry, its start on the program thread, its end (returning or
// t_QuitProgram) and its restart from the application menu.
#include "core/process.h"

#include <functional>

namespace core {

// The program that the launch starts.
void setprogramentry(ProgramEntry entry);
// Starts the program on a program thread of its own; the launch does this once.
void startprogram();
// True from the program's start until its thread ends (by returning or by t_QuitProgram).
bool programrunning();
// Runs the program again once it has ended; false while it runs.
bool restartprogram();
// Told (on the program thread or the main thread) when the program starts and when it ends.
void setprogramstatehandler(std::function<void(bool running)> handler);

} // namespace core
