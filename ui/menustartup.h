#pragma once
// The menus' start-up, run once by t_InitMemory: the menu-action table gets the built-in actions,
// and the standard menus lose the items the platform adds on its own.

namespace ui {

void menustartup();

} // namespace ui
