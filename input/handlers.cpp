#include "input/handlers.h"

#include "input/keyevents.h"

namespace input {

void addhandlers(platform::Handlers& h) {
    h.keydown = [](int view, const platform::KeyPress& press) {
        viewkeydown(static_cast<uint8_t>(view), press);
    };
    h.keyup = [](int view, const platform::KeyPress& press) {
        viewkeyup(static_cast<uint8_t>(view), press);
    };
    h.modifierschanged = [](int view, uint64_t flags) {
        viewflagschanged(static_cast<uint8_t>(view), flags);
    };
}

} // namespace input
