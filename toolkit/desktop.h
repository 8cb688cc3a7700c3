#pragma once
// Running a program with its windows on the desktop.
#include "core/process.h"

namespace toolkit {

// Makes the application object, assembles the toolkit and runs the application with program as
// its program; returns when the application quits.
int rundesktop(int& argc, char** argv, core::ProgramEntry program);

} // namespace toolkit
