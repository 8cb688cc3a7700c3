#pragma once
// Running a program with its windows on the desktop.
#include "core/process.h"

namespace toolkit {

// Makes the application object, assembles the toolkit and runs the application with program as
// its program; returns when the application quits. nostart ends the process where Qt finds no
// display it can start on (platform::initapplication).
int rundesktop(int& argc, char** argv, core::ProgramEntry program, void (*nostart)() = nullptr);

} // namespace toolkit
