#include "events/menuqueue.h"

#include "core/lasting.h"
#include "events/eventqueue.h"
#include "quorvinthal/toolkit.h"

namespace events {

namespace {

EventQueue<t_MenuEvent>& menuqueue() {
    return core::lasting<EventQueue<t_MenuEvent>>();
}

} // namespace

void appendmenuevent(const t_MenuEvent& event) {
    menuqueue().append(event);
}

bool menueventavailable() {
    return menuqueue().available();
}

int64_t menueventcount() {
    return menuqueue().count();
}

std::vector<t_MenuEvent> menuevents() {
    return menuqueue().pending();
}

} // namespace events

bool t_TakeMenuEvent(t_MenuEvent& event) {
    std::optional<t_MenuEvent> taken = events::menuqueue().take();
    if (taken) {
        event = *taken;
    }
    return taken.has_value();
}
