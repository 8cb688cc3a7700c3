#pragma once
// The auto-update thread: it asks for a redraw of every window whose refresh interval has passed.
namespace display {

// Starts the auto-update thread unless one runs or is being started.
void startautoupdate();

} // namespace display

// The thread's loop, for the life of the process.
void t_WindowAutoUpdateProcess();
