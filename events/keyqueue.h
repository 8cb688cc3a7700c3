#pragma once
// The key event queue (t_NextEvent, t_CheckPause and t_QueueString work on it).
//
// Keys are appended on the main thread and taken on the program thread.
#include "quorvinthal/toolkit.h"

#include <cstdint>

namespace events {

constexpr int64_t keyeventkind = 1;

// Appends one event and sets the event-available flag.
void appendkeyevent(const t_Event& event);
// True exactly when the key event queue is not empty.
bool keyeventavailable();
int64_t keyeventcount();
// A copy of the last event taken from the queue.
t_Event currentevent();

} // namespace events
