#pragma once
// The application's end: the delegate's will-terminate callback and the program's handler for it
// (t_SetTerminationHandler).

namespace core {

// Delegate callback (main thread): logs the end and runs the program's termination handler.
void applicationwillterminate();

} // namespace core
