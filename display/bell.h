#pragma once
// The bell: the sound "sysbeep.aif" of the resources (display/resources.h), looked up once, or
// the platform beep without it. A bell while the sound still plays is silent. Callable from any
// thread; the work runs on the main thread.
#include <cstdint>

namespace display {

void bell();
// Bells asked for since the start, silent ones included.
uint64_t bellcount();

} // namespace display
