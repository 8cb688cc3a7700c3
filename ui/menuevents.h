#pragma once
// Menu selections: each is queued as a t_MenuEvent; a tag with an entry in the menu-action table
// runs its built-in action, any other starts the program's menu handler on a background thread.
#include "platform/platform.h"

#include <functional>

// Runs once per selection without a table entry ("t_EventMenu"); the default does nothing.
void setmenuhandler(std::function<void()> handler);

// The delegate's menu action (main thread).
void MenuHandler(platform::MenuItem sender);
void t_MenuEventHandler(platform::MenuItem item);
