#pragma once
// The platform events this floor answers: painting the views and resizing the text windows.
#include "platform/platform.h"

namespace display {

void addhandlers(platform::Handlers& handlers);

} // namespace display
