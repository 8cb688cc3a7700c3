#pragma once
// The bell: the sound "sysbeep.aif" of the bundle, or the platform beep without it.
void bell();
