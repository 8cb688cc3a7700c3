#include "events/mousequeue.h"

#include "core/lasting.h"
#include "events/eventqueue.h"
#include "quorvinthal/toolkit.h"

namespace events {

namespace {

// A type of its own, so that it is not the key queue's state.
struct MouseQueue : EventQueue<t_Event> {};

MouseQueue& mousequeue() {
    return core::lasting<MouseQueue>();
}

} // namespace

void appendmouseevent(const t_Event& event) {
    mousequeue().append(event);
}

bool mouseeventavailable() {
    return mousequeue().available();
}

int64_t mouseeventcount() {
    return mousequeue().count();
}

std::vector<t_Event> mouseevents() {
    return mousequeue().pending();
}

} // namespace events

bool t_TakeMouseEvent(t_Event& event) {
    std::optional<t_Event> taken = events::mousequeue().take();
    if (taken) {
        event = *taken;
    }
    return taken.has_value();
}
