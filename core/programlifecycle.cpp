#include "core/programlifecycle.h"

#include "base/lasting.h"
#include "base/log.h"
#include "base/slot.h"

#include <atomic>

namespace core {

namespace {

struct ProgramState {
    base::Slot<ProgramEntry> entry{[] {}};
    std::atomic<bool> running{false};
    base::Slot<std::function<void(bool)>> statehandler{[](bool) {}};
};

ProgramState& state() {
    return base::lasting<ProgramState>();
}

void reportprogramstate(bool running) {
    state().running = running;
    state().statehandler.get()(running);
}

} // namespace

void setprogramentry(ProgramEntry entry) {
    state().entry.set(std::move(entry));
}

void startprogram() {
    base::logline("Program: Start.");
    reportprogramstate(true);
    startprocess(
        [entry = state().entry.get()] {
            struct Ending {
                ~Ending() { reportprogramstate(false); } // also when the thread ends itself
            } ending;
            entry();
        },
        programstacksize);
}

bool programrunning() {
    return state().running;
}

bool restartprogram() {
    bool ended = false;
    if (!state().running.compare_exchange_strong(ended, true)) {
        return false;
    }
    startprogram();
    return true;
}

void setprogramstatehandler(std::function<void(bool running)> handler) {
    state().statehandler.set(handler ? std::move(handler) : [](bool) {});
}

} // namespace core
