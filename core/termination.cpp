#include "core/termination.h"

#include "base/lasting.h"
#include "base/log.h"
#include "base/slot.h"
#include "quorvinthal/toolkit.h"

namespace core {

namespace {

struct TerminationState {
    base::Slot<std::function<void()>> handler{[] {}};
};

TerminationState& state() {
    return base::lasting<TerminationState>();
}

} // namespace

void applicationwillterminate() {
    base::logline("applicationWillTerminate: Called.");
    state().handler.get()();
}

} // namespace core

void t_SetTerminationHandler(std::function<void()> handler) {
    core::state().handler.set(handler ? std::move(handler) : [] {});
}
