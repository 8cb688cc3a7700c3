#pragma once
// The application's own menu, first in every window's bar: running the program again once it has
// ended (as it is, or with the keys of the program's rerun items typed), and quitting.
#include "platform/platform.h"

#include <string>

namespace toolkit {

// Once per process, after the interface exists (main thread).
void addapplicationmenu();

// The item of the application menu with this title; null when there is none (main thread).
platform::MenuItem applicationmenuitem(const std::string& title);

} // namespace toolkit
