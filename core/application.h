#pragma once
// Starting the toolkit application: interface, delegate, handlers, event loop.
#include "core/process.h"
#include "platform/platform.h"

// Creates the application object and the interface (with the given outlets left out), connects
// the outlets and registers the toolkit's handlers. Main thread; once per process.
void setuptoolkitapplication(int& argc, char** argv, const platform::InterfaceOmissions& omit = {});

// Runs the application with entry as its program; returns when the application quits.
int runtoolkitapplication(int& argc, char** argv, ProgramEntry entry);
