#include "core/process.h"

#include "core/bridge.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/threads.h"

#include <cstring>
#include <mutex>
#include <pthread.h>
#include <string>

std::atomic<bool> programstarting{false};

namespace {

// Thrown by exitcurrentthread and caught only by the outermost frame of a toolkit thread, so
// that the stack unwinds normally (no forced unwinding through noexcept frames).
struct ThreadExit {};

// The hand-over slot: written by startprocess before the thread exists, read by the new thread
// before it clears programstarting. The mutex only makes the two accesses race-free; the order
// is kept by the flag.
std::mutex slotmutex;
ProgramEntry entryslot = [] {};
int64_t programstack = 0;

void runguarded(const ProgramEntry& body) {
    try {
        body();
    } catch (const ThreadExit&) {
        // The thread asked to end.
    }
}

void* startprogramthread(void*) {
    assignthreadnumber();
    ProgramEntry entry;
    {
        std::lock_guard lock(slotmutex);
        entry = entryslot;
    }
    programstarting = false;
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
        logline(std::string("startprocess: Thread could not be created (") + std::strerror(error) +
                ").");
        return false;
    }
    return true;
}

} // namespace

void startprocess(ProgramEntry entry, int64_t stackSize) {
    bool expected = false;
    while (!programstarting.compare_exchange_weak(expected, true)) {
        expected = false;
        sleepmilliseconds(1);
    }
    {
        std::lock_guard lock(slotmutex);
        programstack = stackSize;
        entryslot = std::move(entry);
    }
    sleepmilliseconds(10);
    onmain([] {
        int64_t stack;
        {
            std::lock_guard lock(slotmutex);
            stack = programstack;
        }
        if (!startdetached(startprogramthread, nullptr, stack)) {
            programstarting = false; // nobody will take the entry
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
