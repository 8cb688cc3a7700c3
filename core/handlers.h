#pragma once
// The toolkit's answers to platform events (paint, keys, mouse, menus, window delegate).
#include "platform/platform.h"

// Each subsystem adds its part as it lands; unset handlers mean the event is ignored.
platform::Handlers toolkithandlers();
