#pragma once
// Assembling the toolkit: the interface, the delegate's outlets, every floor's platform handlers
// and the start-up steps of t_InitMemory.
#include "platform/platform.h"

namespace toolkit {

// Builds the interface (leaving out the given outlets), connects the outlets, registers the
// handlers and, once per process, the start-up steps. Main thread, after the application object
// exists and before the program thread starts.
void setup(const platform::InterfaceOmissions& omit = {});

} // namespace toolkit
