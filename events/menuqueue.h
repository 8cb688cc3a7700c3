#pragma once
// The menu event queue: every menu selection, appended on the main thread (t_TakeMenuEvent takes
// them for the program).
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <vector>

namespace events {

constexpr int64_t menueventkind = 3;

// Appends one selection and sets the menu-event-available flag.
void appendmenuevent(const t_MenuEvent& event);
bool menueventavailable();
int64_t menueventcount();
std::vector<t_MenuEvent> menuevents();

} // namespace events
