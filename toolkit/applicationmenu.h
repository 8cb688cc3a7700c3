#pragma once
// The application's own menu, first in every window's bar: running the program again once it has
// ended, and quitting.
namespace toolkit {

// Once per process, after the interface exists (main thread).
void addapplicationmenu();

} // namespace toolkit
