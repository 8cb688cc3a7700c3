#include "events/keyqueue.h"

#include "core/clock.h"
#include "core/lasting.h"
#include "events/eventqueue.h"
#include "events/menuqueue.h"
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"

namespace events {

namespace {

constexpr int64_t pollmilliseconds = 10;

// A type of its own, so that it is not the mouse queue's state.
struct KeyQueue : EventQueue<t_Event> {};

KeyQueue& keyqueue() {
    return core::lasting<KeyQueue>();
}

t_Event queuedcharacter(std::string_view character, int64_t time) {
    t_Event event;
    event.Kind = keyeventkind;
    event.Description = std::string(character);
    event.Value = t_Asc(character);
    event.Window = 1;
    event.Time = time;
    return event;
}

// Waits until a key arrives or a menu selection is appended after `menucount` was noted.
void waitforresume(int64_t menucount) {
    while (!keyqueue().available() && menueventcount() == menucount) {
        core::sleepmilliseconds(pollmilliseconds);
    }
}

} // namespace

void appendkeyevent(const t_Event& event) {
    keyqueue().append(event);
}

bool keyeventavailable() {
    return keyqueue().available();
}

int64_t keyeventcount() {
    return keyqueue().count();
}

t_Event currentevent() {
    return keyqueue().lasttaken();
}

} // namespace events

int64_t t_NextEvent() {
    if (!events::keyqueue().available()) {
        return -1;
    }
    std::optional<t_Event> event = events::keyqueue().take();
    return event ? event->Value : -1;
}

bool t_CheckPause(int64_t value, bool wait) {
    if (!events::keyqueue().available() ||
        !events::keyqueue().clearif([value](const t_Event& e) { return e.Value == value; })) {
        return false;
    }
    if (wait) {
        events::waitforresume(events::menueventcount());
        t_NextEvent(); // the resuming key only ends the pause
    }
    return true;
}

void t_QueueString(std::string_view text) {
    const int64_t time = core::absolutemilliseconds();
    std::vector<t_Event> typed;
    for (std::string_view character : unicode::graphemes(text)) {
        typed.push_back(events::queuedcharacter(character, time));
    }
    if (!typed.empty()) {
        events::keyqueue().appendall(typed);
    }
}
