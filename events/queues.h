#pragma once
// The key, mouse and menu event queues. Keys and clicks are appended on the main thread and taken
// on the program thread (t_NextEvent, t_TakeMouseEvent); every menu selection is appended too.
#include "events/eventqueue.h"
#include "quorvinthal/toolkit.h"

namespace events {

// How often a program that waits for a key looks at the queues again.
constexpr int64_t pollmilliseconds = 10;

// Types of their own, so that each queue is a state of its own.
struct KeyQueue : EventQueue<t_Event> {};
struct MouseQueue : EventQueue<t_Event> {};
struct MenuQueue : EventQueue<t_MenuEvent> {};

KeyQueue& keyqueue();
MouseQueue& mousequeue();
MenuQueue& menuqueue();

} // namespace events
