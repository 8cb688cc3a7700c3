#pragma once
// Menu selections: each is queued as a t_MenuEvent; a tag with an entry in the menu-action table
// runs its built-in action, any other starts the program's menu handler on a background thread.
#include "platform/platform.h"

namespace ui {

// The delegate's menu action (main thread).
void menuitemchosen(platform::MenuItem sender);

} // namespace ui

void t_MenuEventHandler(platform::MenuItem item);
