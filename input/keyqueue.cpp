#include "input/keyqueue.h"

#include "platform/platform.h"

#include "core/clock.h"
#include "input/graphemes.h"
#include "input/strings.h"

#include <deque>
#include <mutex>

std::atomic<bool> keyheld{false};

namespace {

constexpr int64_t PollMilliseconds = 10;

// The queue, its flag and the current event change together under the queue's lock.
struct KeyQueue {
    std::mutex lock;
    std::deque<t_Event> events;
    t_Event current;
    std::atomic<bool> available{false};

    void updateflag() { available.store(!events.empty()); }
};

KeyQueue& keyqueue() {
    static KeyQueue queue;
    return queue;
}

struct MenuQueue {
    std::mutex lock;
    std::vector<t_MenuEvent> events;
    std::atomic<bool> available{false};
};

MenuQueue& menuqueue() {
    static MenuQueue queue;
    return queue;
}

struct AtomicModifiers {
    std::atomic<bool> capslock{false}, shift{false}, control{false}, option{false}, command{false},
        fn{false};
};

AtomicModifiers& modifiers() {
    static AtomicModifiers state;
    return state;
}

t_Event queuedcharacter(std::string_view character, int64_t time) {
    t_Event event;
    event.Kind = KeyEventKind;
    event.Description = std::string(character);
    event.Value = t_Asc(character);
    event.Window = 1;
    event.Time = time;
    return event;
}

// Waits until a key arrives or a menu selection is appended after `menucount` was noted.
void waitforresume(int64_t menucount) {
    while (!keyqueue().available.load() && menueventcount() == menucount) {
        sleepmilliseconds(PollMilliseconds);
    }
}

} // namespace

// ---- Key event queue ------------------------------------------------------------------------

void appendkeyevent(const t_Event& event) {
    KeyQueue& queue = keyqueue();
    std::lock_guard guard(queue.lock);
    queue.events.push_back(event);
    queue.updateflag();
}

bool keyeventavailable() {
    return keyqueue().available.load();
}

int64_t keyeventcount() {
    KeyQueue& queue = keyqueue();
    std::lock_guard guard(queue.lock);
    return static_cast<int64_t>(queue.events.size());
}

t_Event currentevent() {
    KeyQueue& queue = keyqueue();
    std::lock_guard guard(queue.lock);
    return queue.current;
}

int64_t t_NextEvent() {
    KeyQueue& queue = keyqueue();
    if (!queue.available.load()) {
        return -1;
    }
    std::lock_guard guard(queue.lock);
    if (queue.events.empty()) {
        return -1;
    }
    queue.current = std::move(queue.events.front());
    queue.events.pop_front();
    queue.updateflag();
    return queue.current.Value;
}

bool t_CheckPause(int64_t value, bool wait) {
    KeyQueue& queue = keyqueue();
    if (!queue.available.load()) {
        return false;
    }
    {
        std::lock_guard guard(queue.lock);
        if (queue.events.empty() || queue.events.back().Value != value) {
            return false;
        }
        queue.events.clear();
        queue.updateflag();
    }
    if (wait) {
        waitforresume(menueventcount());
        t_NextEvent(); // the resuming key only ends the pause
    }
    std::lock_guard guard(queue.lock);
    queue.updateflag();
    return true;
}

void t_QueueString(std::string_view text) {
    const std::vector<std::string_view> characters = graphemes(text);
    if (characters.empty()) {
        return;
    }
    const int64_t time = absolutemilliseconds();
    KeyQueue& queue = keyqueue();
    std::lock_guard guard(queue.lock);
    for (std::string_view character : characters) {
        queue.events.push_back(queuedcharacter(character, time));
    }
    queue.updateflag();
}

// ---- Keyboard state -------------------------------------------------------------------------

void refreshmodifierstate(uint64_t flags) {
    AtomicModifiers& state = modifiers();
    state.capslock.store((flags & platform::CapsLockModifier) != 0);
    state.shift.store((flags & platform::ShiftModifier) != 0);
    state.control.store((flags & platform::ControlModifier) != 0);
    state.option.store((flags & platform::OptionModifier) != 0);
    state.command.store((flags & platform::CommandModifier) != 0);
    state.fn.store((flags & platform::FunctionModifier) != 0);
}

ModifierState modifierstate() {
    const AtomicModifiers& state = modifiers();
    return ModifierState{state.capslock.load(), state.shift.load(),   state.control.load(),
                         state.option.load(),   state.command.load(), state.fn.load()};
}

// ---- Menu event queue -----------------------------------------------------------------------

void appendmenuevent(const t_MenuEvent& event) {
    MenuQueue& queue = menuqueue();
    std::lock_guard guard(queue.lock);
    queue.events.push_back(event);
    queue.available.store(true);
}

bool menueventavailable() {
    return menuqueue().available.load();
}

int64_t menueventcount() {
    MenuQueue& queue = menuqueue();
    std::lock_guard guard(queue.lock);
    return static_cast<int64_t>(queue.events.size());
}

std::vector<t_MenuEvent> menuevents() {
    MenuQueue& queue = menuqueue();
    std::lock_guard guard(queue.lock);
    return queue.events;
}

bool takemenuevent(t_MenuEvent& event) {
    MenuQueue& queue = menuqueue();
    std::lock_guard guard(queue.lock);
    if (queue.events.empty()) {
        return false;
    }
    event = queue.events.front();
    queue.events.erase(queue.events.begin());
    return true;
}
