#include "events/devicestate.h"

#include "base/lasting.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <atomic>

namespace events {

namespace {

struct DeviceState {
    std::atomic<bool> capslock{false}, shift{false}, control{false}, option{false}, command{false},
        fn{false};
    std::atomic<bool> keyheld{false};
    std::atomic<bool> leftbutton{false}, rightbutton{false};
};

DeviceState& state() {
    return base::lasting<DeviceState>();
}

bool holds(uint64_t flags, uint64_t modifier) {
    return (flags & modifier) != 0;
}

} // namespace

void refreshmodifierstate(uint64_t flags) {
    DeviceState& s = state();
    s.capslock = holds(flags, platform::CapsLockModifier);
    s.shift = holds(flags, platform::ShiftModifier);
    s.control = holds(flags, platform::ControlModifier);
    s.option = holds(flags, platform::OptionModifier);
    s.command = holds(flags, platform::CommandModifier);
    s.fn = holds(flags, platform::FunctionModifier);
}

ModifierState modifierstate() {
    const DeviceState& s = state();
    return ModifierState{s.capslock, s.shift, s.control, s.option, s.command, s.fn};
}

void setkeyheld(bool held) {
    state().keyheld = held;
}
bool keyheld() {
    return state().keyheld;
}

void setmousebuttons(bool left, bool right) {
    state().leftbutton = left;
    state().rightbutton = right;
}
bool leftmousebutton() {
    return state().leftbutton;
}
bool rightmousebutton() {
    return state().rightbutton;
}

void setmodifierfields(t_Event& event, uint64_t m) {
    event.Mods = static_cast<int64_t>((m >> 16) & 0xFFFF);
    event.CapsLockPressed = holds(m, platform::CapsLockModifier);
    event.ShiftPressed = holds(m, platform::ShiftModifier);
    event.ControlPressed = holds(m, platform::ControlModifier);
    event.OptionPressed = holds(m, platform::OptionModifier);
    event.CommandPressed = holds(m, platform::CommandModifier);
    event.NumericPadPressed = holds(m, platform::NumericPadModifier);
    event.HelpPressed = holds(m, platform::HelpModifier);
}

} // namespace events
