#include "input/handlers.h"

#include "input/keyevents.h"

namespace input {

void addhandlers(platform::Handlers& h) {
    h.viewkeydown = [](int view, const platform::KeyPress& press) {
        viewkeydown(static_cast<uint8_t>(view), press);
    };
    h.viewkeyup = [](int view, const platform::KeyPress& press) {
        viewkeyup(static_cast<uint8_t>(view), press);
    };
    h.viewflagschanged = [](int view, uint64_t flags) {
        viewflagschanged(static_cast<uint8_t>(view), flags);
    };
}

} // namespace input
