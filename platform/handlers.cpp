// The handlers the toolkit registers: the one way platform events reach the floors above.
#include "platform/qtinternal.h"

#include "base/lasting.h"

namespace platform {

namespace {

// Written and read on the main thread only: sethandlers goes there first.
struct HandlerState {
    Handlers registered;
};

} // namespace

void sethandlers(const Handlers& h) {
    runonmain([&] { base::lasting<HandlerState>().registered = h; });
}

const Handlers& handlers() {
    return base::lasting<HandlerState>().registered;
}

} // namespace platform
