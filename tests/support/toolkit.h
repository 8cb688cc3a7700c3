#pragma once
// Bringing up the toolkit inside a test process and running code as the program does.
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <functional>

// Builds the interface (leaving out the given outlets), connects it and registers the handlers.
// Call once per test, on the main thread (the test body).
void setuptoolkit(const platform::InterfaceOmissions& omit = {});

// Runs body on a program thread (startprocess, 1 GiB stack) while the main thread serves events;
// returns false when it did not finish within the timeout.
bool runprogram(const std::function<void()>& body, int64_t timeoutms = 20000);

// Serves main-thread events for the given time.
void serveevents(int64_t ms);

// setuptoolkit, then runprogram; a body that does not finish fails the test.
void runintoolkit(const std::function<void()>& body, const platform::InterfaceOmissions& omit = {});

// The stack size of the calling thread.
size_t stacksizeofthisthread();

// The most memory resident so far, in kilobytes: it grows with every leak.
int64_t peakkilobytes();

// Polls condition every millisecond for up to two seconds; returns its last value.
bool waitfor(const std::function<bool()>& condition);

// A test whose body is a function that runner runs (after setting up what the body needs).
#define TOOLKIT_TEST(suite, name, runner)                                                          \
    static void suite##_##name();                                                                  \
    TEST(suite, name) {                                                                            \
        runner(suite##_##name);                                                                    \
    }                                                                                              \
    static void suite##_##name()
