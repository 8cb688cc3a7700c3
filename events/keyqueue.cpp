// t_NextEvent, t_CheckPause and t_QueueString: the program's side of the key event queue.
#include "base/clock.h"
#include "events/queues.h"
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"

namespace events {

namespace {

t_Event queuedcharacter(std::string_view character, int64_t time) {
    t_Event event;
    event.Kind = t_EventKey;
    event.Description = std::string(character);
    event.Value = t_Asc(character);
    event.Window = 1;
    event.Time = time;
    return event;
}

// Waits until a key arrives or a menu selection is appended after `menucount` was noted.
void waitforresume(int64_t menucount) {
    while (!keyqueue().available() && menuqueue().count() == menucount) {
        base::sleepmilliseconds(pollmilliseconds);
    }
}

} // namespace

} // namespace events

int64_t t_NextEvent() {
    if (!events::keyqueue().available()) {
        return t_NoKey;
    }
    std::optional<t_Event> event = events::keyqueue().take();
    return event ? event->Value : t_NoKey;
}

bool t_CheckPause(int64_t value, bool wait) {
    if (!events::keyqueue().available() ||
        !events::keyqueue().clearif([value](const t_Event& e) { return e.Value == value; })) {
        return false;
    }
    if (wait) {
        events::waitforresume(events::menuqueue().count());
        t_NextEvent(); // the resuming key only ends the pause
    }
    return true;
}

void t_QueueString(std::string_view text) {
    const int64_t time = base::absolutemilliseconds();
    std::vector<t_Event> typed;
    for (std::string_view character : unicode::graphemes(text)) {
        typed.push_back(events::queuedcharacter(character, time));
    }
    if (!typed.empty()) {
        events::keyqueue().appendall(typed);
    }
}
