#include "tests/support/toolkit.h"

#include "core/appdelegate.h"
#include "base/clock.h"
#include "core/process.h"
#include "base/tables.h"
#include "quorvinthal/toolkit.h"
#include "toolkit/setup.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <pthread.h>
#include <sys/resource.h>

void setuptoolkit(const platform::InterfaceOmissions& omit) {
    toolkit::setup(omit);
    if (!base::toolkitready()) {
        base::initkqtools();
    }
}

bool runprogram(const std::function<void()>& body, int64_t timeoutms) {
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

void serveevents(int64_t ms) {
    platform::runeventsuntil([] { return false; }, ms);
}

void runintoolkit(const std::function<void()>& body, const platform::InterfaceOmissions& omit) {
    setuptoolkit(omit);
    ASSERT_TRUE(runprogram(body));
}

size_t stacksizeofthisthread() {
    pthread_attr_t attributes;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        pthread_attr_getstacksize(&attributes, &size);
        pthread_attr_destroy(&attributes);
    }
    return size;
}

int64_t peakkilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool waitfor(const std::function<bool()>& condition) {
    for (int i = 0; i < 2000 && !condition(); ++i) {
        base::sleepmilliseconds(1);
    }
    return condition();
}
