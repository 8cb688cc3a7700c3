#pragma once
// Bringing up the toolkit inside a test process and running code as the program does.
#include "base/clock.h"
#include "base/tables.h"
#include "core/process.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"
#include "toolkit/setup.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <pthread.h>
#include <sys/resource.h>

// Builds the interface (leaving out the given outlets), connects it and registers the handlers.
// Call once per test, on the main thread (the test body).
inline void setuptoolkit(const platform::InterfaceOmissions& omit = {}) {
    toolkit::setup(omit);
    if (!base::toolkitready()) {
        base::initkqtools();
    }
}

// Runs body on a program thread (startprocess, 1 GiB stack) while the main thread serves events;
// returns false when it did not finish within the timeout.
inline bool runprogram(const std::function<void()>& body, int64_t timeoutms = 20000) {
    auto finished = std::make_shared<std::atomic<bool>>(false);
    core::startprocess(
        [body, finished] {
            struct Flag {
                std::shared_ptr<std::atomic<bool>> done;
                ~Flag() { *done = true; } // also when the program ends its own thread
            } flag{finished};
            body();
        },
        core::programstacksize);
    return platform::runeventsuntil([&] { return finished->load(); }, timeoutms);
}

// Serves main-thread events for the given time.
inline void serveevents(int64_t ms) {
    platform::runeventsuntil([] { return false; }, ms);
}

// setuptoolkit, then runprogram; a body that does not finish fails the test.
inline void runintoolkit(const std::function<void()>& body,
                         const platform::InterfaceOmissions& omit = {}) {
    setuptoolkit(omit);
    ASSERT_TRUE(runprogram(body));
}

// The stack size of the calling thread.
inline size_t stacksizeofthisthread() {
    pthread_attr_t attributes;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        pthread_attr_getstacksize(&attributes, &size);
        pthread_attr_destroy(&attributes);
    }
    return size;
}

// The most memory resident so far, in kilobytes: it grows with every leak.
inline int64_t peakkilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Polls condition every millisecond for up to two seconds; returns its last value.
inline bool waitfor(const std::function<bool()>& condition) {
    for (int i = 0; i < 2000 && !condition(); ++i) {
        base::sleepmilliseconds(1);
    }
    return condition();
}

// A test whose body is a function that runner runs (after setting up what the body needs).
#define TOOLKIT_TEST(suite, name, runner)                                                          \
    static void suite##_##name();                                                                  \
    TEST(suite, name) {                                                                            \
        runner(suite##_##name);                                                                    \
    }                                                                                              \
    static void suite##_##name()

// A test whose body runs as the program (runintoolkit).
#define PROGRAM_TEST(suite, name) TOOLKIT_TEST(suite, name, runintoolkit)
