#include "core/process.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/log.h"
#include "base/slot.h"
#include "core/bridge.h"
#include "core/threads.h"

#include <cstring>
#include <pthread.h>
#include <string>

namespace core {

namespace {

// Thrown by exitcurrentthread and caught only by the outermost frame of a toolkit thread, so
// that the stack unwinds normally (no forced unwinding through noexcept frames).
struct ThreadExit {};

struct PendingProgram {
    ProgramEntry entry = [] {};
    int64_t stacksize = 0;
};

// The hand-over: the slot is written by startprocess before the thread exists and read by the
// new thread before it clears the starting flag. The slot's lock only makes the two accesses
// race-free; their order is kept by the flag.
struct ProcessState {
    std::atomic<bool> starting{false};
    base::Slot<PendingProgram> pending;
};

ProcessState& state() {
    return base::lasting<ProcessState>();
}

void runguarded(const ProgramEntry& body) {
    try {
        body();
    } catch (const ThreadExit&) {
        // The thread asked to end.
    }
}

void* startprogramthread(void*) {
    assignthreadnumber();
    ProgramEntry entry = state().pending.get().entry;
    state().starting = false;
    runguarded(entry);
    return nullptr;
}

struct BackgroundTask {
    ProgramEntry body;
};

void* startbackgroundthread(void* argument) {
    assignthreadnumber();
    BackgroundTask* task = static_cast<BackgroundTask*>(argument);
    runguarded(task->body);
    delete task;
    return nullptr;
}

bool startdetached(void* (*body)(void*), void* argument, int64_t stacksize) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    if (stacksize > 0) {
        pthread_attr_setstacksize(&attributes, static_cast<size_t>(stacksize));
    }
    pthread_t thread;
    int error = pthread_create(&thread, &attributes, body, argument);
    pthread_attr_destroy(&attributes);
    if (error != 0) {
        base::logline(std::string("startprocess: Thread could not be created (") +
                      std::strerror(error) + ").");
        return false;
    }
    return true;
}

} // namespace

bool programstarting() {
    return state().starting;
}

void startprocess(ProgramEntry entry, int64_t stacksize) {
    bool expected = false;
    while (!state().starting.compare_exchange_weak(expected, true)) {
        expected = false;
        base::sleepmilliseconds(1);
    }
    state().pending.set(PendingProgram{std::move(entry), stacksize});
    base::sleepmilliseconds(10);
    onmain([] {
        if (!startdetached(startprogramthread, nullptr, state().pending.get().stacksize)) {
            state().starting = false; // nobody will take the entry
        }
    });
}

void startbackgroundprocess(ProgramEntry task) {
    auto* argument = new BackgroundTask{std::move(task)};
    if (!startdetached(startbackgroundthread, argument, backgroundstacksize)) {
        delete argument;
    }
}

void exitcurrentthread() {
    throw ThreadExit{};
}

} // namespace core
