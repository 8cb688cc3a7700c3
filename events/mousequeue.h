#pragma once
// The mouse event queue: clicks appended on the main thread and read by the program's handler on
// a background thread (t_TakeMouseEvent takes them for the program).
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <vector>

namespace events {

constexpr int64_t mouseeventkind = 2;

void appendmouseevent(const t_Event& event);
bool mouseeventavailable();
int64_t mouseeventcount();
std::vector<t_Event> mouseevents();

} // namespace events
