#include "display/videomemory.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/log.h"
#include "core/threads.h"
#include "quorvinthal/toolkit.h"

#include <atomic>
#include <string>
#include <vector>

namespace display {

namespace {

struct VideoState {
    std::atomic<bool> started{false};
    std::atomic<bool> ready{false};
    std::atomic<int64_t> highmemorymark{highmemorytop};
    std::atomic<uint8_t> firstwindow{t_WindowNone};
    std::vector<uint8_t> memory;
    std::vector<t_Window> windows;
    std::mutex lock;
    std::mutex stepslock;
    std::vector<std::function<void()>> startupsteps;
};

VideoState& state() {
    return base::lasting<VideoState>();
}

void runstartupsteps() {
    std::vector<std::function<void()>> steps;
    {
        std::lock_guard guard(state().stepslock);
        steps = state().startupsteps;
    }
    for (const auto& step : steps) {
        step();
    }
}

} // namespace

bool memorystarted() {
    return state().started;
}
bool memoryready() {
    return state().ready;
}
int64_t highmemorymark() {
    return state().highmemorymark;
}
void sethighmemorymark(int64_t mark) {
    state().highmemorymark = mark;
}

uint8_t* videomemory() {
    return state().memory.data();
}
int64_t videomemorylength() {
    return static_cast<int64_t>(state().memory.size());
}
std::mutex& videolock() {
    return state().lock;
}

t_Window& windowrecord(uint8_t n) {
    return state().windows[n];
}

const t_Window& defaultwindow() {
    static const t_Window& record = *new t_Window;
    return record;
}

void claimfirstwindow(uint8_t n) {
    uint8_t none = t_WindowNone;
    state().firstwindow.compare_exchange_strong(none, n);
}

void addmemorystartupstep(std::function<void()> step) {
    std::lock_guard guard(state().stepslock);
    state().startupsteps.push_back(std::move(step));
}

void waitformemory() {
    if (!memorystarted()) {
        t_InitMemory();
    }
    while (!memoryready()) {
        base::sleepmilliseconds(10);
    }
}

bool windowready(uint8_t n) {
    return n < t_GraphicWindows && memoryready() && windowrecord(n).Initialized;
}

bool textwindowready(uint8_t n) {
    return windowready(n) && windowrecord(n).TextMemoryStart >= 0;
}

} // namespace display

uint8_t t_FirstWindow() {
    return display::state().firstwindow;
}

void t_InitMemory() {
    display::VideoState& video = display::state();
    if (video.started.exchange(true)) {
        return;
    }
    base::logline("t_InitMemory: Start.");
    if (core::currentthreadnumber() == 2) {
        core::namecurrentthread("Main Program");
    }
    video.highmemorymark = display::highmemorytop;
    {
        display::VideoLock guard(video.lock);
        video.memory.assign(display::videomemorysize, 255);
    }
    video.windows.assign(t_GraphicWindows, display::defaultwindow());
    display::runstartupsteps();
    video.ready = true;
    base::logline("t_InitMemory: End.");
}
