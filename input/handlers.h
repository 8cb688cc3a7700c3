#pragma once
// The platform events this floor answers: keys in the views.
#include "platform/platform.h"

namespace input {

void addhandlers(platform::Handlers& handlers);

} // namespace input
