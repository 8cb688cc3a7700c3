#pragma once
// The items of the menu bar's menus, found by the menu's title. Any thread; the menu-bar work
// runs on the main thread.
#include <cstdint>
#include <string>

// Position 65535 stands for the last item.
constexpr int64_t LastMenuItem = 65535;

// The position of the first item with this title; -1 when there is none, -2 without the menu.
int64_t t_MenuItemIndex(const std::string& menu, const std::string& title);
void t_MenuItemDelete(const std::string& menu, int64_t position);
// The item's title; empty on failure.
std::string t_MenuItemTitle(const std::string& menu, int64_t position);
