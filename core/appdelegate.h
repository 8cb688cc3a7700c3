#pragma once
// The application delegate: the outlets of the interface description and the launch callbacks.
#include "platform/platform.h"

#include <cstdint>

namespace core {

// The delegate's outlets are the interface the platform built, kept as it came.
using AppDelegate = platform::Interface;

// The one delegate; its outlets are connected on the main thread before the program starts and
// read afterwards on the main thread (through the bridge).
AppDelegate& appdelegate();
void connectoutlets(const platform::Interface& ui);

// Facts the launch records for the rest of the toolkit.
bool launchfinished();
bool applicationactive();
int64_t titlebarheight();

// Delegate callbacks (main thread); the application's end is core/termination.h.
void applicationwillfinishlaunching();
void applicationdidfinishlaunching();
void applicationdidbecomeactive();
void applicationwillresignactive();

} // namespace core
