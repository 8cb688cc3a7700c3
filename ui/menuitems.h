#pragma once
// The items of the menu bar's menus, found by the menu's title (t_MenuItemIndex,
// t_MenuItemDelete, t_MenuItemTitle). Any thread; the menu-bar work runs on the main thread.
#include <cstdint>

namespace ui {

// Position 65535 stands for the last item.
constexpr int64_t lastmenuitem = 65535;

} // namespace ui
