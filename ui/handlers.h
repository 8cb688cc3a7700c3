#pragma once
// The platform events this floor answers: clicks, menu items and close boxes.
#include "platform/platform.h"

namespace ui {

void addhandlers(platform::Handlers& handlers);

} // namespace ui
