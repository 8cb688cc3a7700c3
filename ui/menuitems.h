#pragma once
// The items of the menu bar's menus, found by the menu's title and the item's.
#include "platform/platform.h"

#include <string>

namespace ui {

// The item titled title in the menu titled menu; null when there is none, without a log line.
// Any thread.
platform::MenuItem menuitemtitled(const std::string& menu, const std::string& title);

} // namespace ui
