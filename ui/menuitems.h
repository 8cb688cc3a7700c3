#pragma once
// The items of the menu bar's menus, found by the menu's title (t_MenuItemIndex,
// t_MenuItemDelete, t_MenuItemTitle, declared with t_LastMenuItem in the public header). Any
// thread; the menu-bar work runs on the main thread.
