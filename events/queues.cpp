#include "events/queues.h"

#include "base/lasting.h"

namespace events {

KeyQueue& keyqueue() {
    return base::lasting<KeyQueue>();
}

MouseQueue& mousequeue() {
    return base::lasting<MouseQueue>();
}

MenuQueue& menuqueue() {
    return base::lasting<MenuQueue>();
}

namespace {

template <typename Queue, typename Event> bool takefrom(Queue& queue, Event& event) {
    std::optional<Event> taken = queue.take();
    if (taken) {
        event = *taken;
    }
    return taken.has_value();
}

} // namespace

} // namespace events

bool t_TakeMouseEvent(t_Event& event) {
    return events::takefrom(events::mousequeue(), event);
}

bool t_TakeMenuEvent(t_MenuEvent& event) {
    return events::takefrom(events::menuqueue(), event);
}
