#pragma once
// The built-in actions of the menu-action table: file dialogs, copying a window's picture or text
// to the pasteboard, clearing the text windows, showing and hiding windows. They act on the
// application's main window where they need one.
#include "ui/menuactions.h"

#include <functional>

namespace ui {

// Carries out entry.Action (main thread, synchronously).
void carryoutmenuaction(const t_MenuAction& entry);

// Action 113 on a graphic window; the default rings the bell.
void setwindowactionhook(std::function<void()> hook);

} // namespace ui
