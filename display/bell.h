#pragma once
// The bell: the sound "sysbeep.aif" of the bundle, looked up once, or the platform beep without
// it. A bell while the sound still plays is silent. Callable from any thread; the work runs on the
// main thread.
namespace display {

void bell();

} // namespace display
