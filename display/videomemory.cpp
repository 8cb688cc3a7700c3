#include "display/videomemory.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/log.h"
#include "core/bridge.h"
#include "core/threads.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace display {

namespace {

struct VideoState {
    std::atomic<bool> started{false};
    std::atomic<bool> ready{false};
    std::atomic<int64_t> highmemorymark{highmemorytop};
    std::atomic<uint8_t> firstwindow{t_WindowNone};
    uint8_t* memory = nullptr;
    int64_t length = 0;
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
    // A step is handed over whole: its many small platform calls (the menus' look-ups) then run
    // inline on the main thread instead of waiting for a hand-over each.
    for (const auto& step : steps) {
        core::onmain(step);
    }
}

// The video memory reads 0 until written; only the pages of the blocks in use are ever backed,
// as every byte that a command or a frame reads lies in a block that t_InitWindow cleared first.
// In pages of the base size: a window that is mostly blank then holds only its written rows (a
// huge page would back 2 MiB for the first byte written into it).
uint8_t* mapvideomemory() {
    void* pages = mmap(nullptr, videomemorysize, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (pages == MAP_FAILED) {
        throw std::bad_alloc(); // no address space left, as a failed allocation always did
    }
    return static_cast<uint8_t*>(pages);
}

} // namespace

void zerovideomemory(int64_t start, int64_t count) {
    static const int64_t pagesize = sysconf(_SC_PAGESIZE);
    // The whole pages between from and to; offsets suffice, as the memory starts on a page.
    const int64_t end = start + count;
    const int64_t from = std::min((start + pagesize - 1) / pagesize * pagesize, end);
    const int64_t to = std::max(from, end / pagesize * pagesize);
    uint8_t* memory = state().memory;
    std::memset(memory + start, 0, static_cast<size_t>(from - start));
    // A private anonymous page given back reads 0 again.
    if (to > from && madvise(memory + from, static_cast<size_t>(to - from), MADV_DONTNEED) != 0) {
        std::memset(memory + from, 0, static_cast<size_t>(to - from));
    }
    std::memset(memory + to, 0, static_cast<size_t>(end - to));
}

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
    return state().memory;
}
int64_t videomemorylength() {
    return state().length;
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
        video.memory = display::mapvideomemory();
        video.length = display::videomemorysize;
    }
    video.windows.assign(t_GraphicWindows, display::defaultwindow());
    display::runstartupsteps();
    video.ready = true;
    base::logline("t_InitMemory: End.");
}
