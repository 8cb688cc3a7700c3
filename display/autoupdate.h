#pragma once
// The auto-update thread: it asks for a redraw of every window that changed once its refresh
// interval has passed, and sleeps until the next window is due.
namespace display {

// Starts the auto-update thread unless one runs or is being started.
void startautoupdate();
// Ends the thread's sleep early: a window changed after a quiet spell and may be due at once.
void wakeautoupdate();

} // namespace display

// The thread's loop, for the life of the process.
void t_WindowAutoUpdateProcess();
