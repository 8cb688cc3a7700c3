#pragma once
// The application's own menu, first in every window's bar: running the program again once it has
// ended (as it is, or with the keys of the program's rerun items typed), and quitting.
namespace toolkit {

// Once per process, after the interface exists (main thread).
void addapplicationmenu();

} // namespace toolkit
