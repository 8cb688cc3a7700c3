#include "display/videomemory.h"

#include "core/clock.h"
#include "core/log.h"
#include "core/threads.h"
#include "ui/menuactions.h"
#include "ui/textwindows.h"

std::atomic<bool> memorystarted{false};
std::atomic<bool> memoryready{false};
std::atomic<int64_t> highmemorymark{highmemorytop};
std::atomic<uint8_t> firstwindow{nowindow};

namespace {

// Never destroyed: detached toolkit threads (the auto-update loop) use them to the very end.
std::vector<uint8_t>& memory = *new std::vector<uint8_t>;
std::vector<t_Window>& windowtable = *new std::vector<t_Window>;
std::mutex& lock = *new std::mutex;

} // namespace

uint8_t* videomemory() {
    return memory.data();
}
int64_t videomemorylength() {
    return static_cast<int64_t>(memory.size());
}
std::mutex& videolock() {
    return lock;
}

t_Window& windowrecord(uint8_t n) {
    return windowtable[n];
}

const t_Window& defaultwindow() {
    static const t_Window record;
    return record;
}

void t_InitMemory() {
    if (memorystarted.exchange(true)) {
        return;
    }
    logline("t_InitMemory: Start.");
    if (currentthreadnumber() == 2) {
        namecurrentthread("Main Program");
    }
    highmemorymark = highmemorytop;
    {
        VideoLock guard(videolock());
        memory.assign(videomemorysize, 255);
    }
    windowtable.assign(graphicwindowcount, defaultwindow());
    menustartup();
    pasteboardstartup();
    memoryready = true;
    logline("t_InitMemory: End.");
}

void waitformemory() {
    if (!memorystarted) {
        t_InitMemory();
    }
    while (!memoryready) {
        sleepmilliseconds(10);
    }
}

Block blockbelow(int64_t mark, int64_t size) {
    uint32_t unmasked = static_cast<uint32_t>(mark - size + 1);
    int64_t start = static_cast<int64_t>(unmasked & placementmask);
    return Block{start, mark};
}

Block placeblock(int64_t size) {
    Block block = blockbelow(highmemorymark, size);
    highmemorymark = block.start - 1;
    return block;
}

bool windowready(uint8_t n) {
    return n < graphicwindowcount && memoryready && windowrecord(n).Initialized;
}

bool textwindowready(uint8_t n) {
    return windowready(n) && windowrecord(n).TextMemoryStart >= 0;
}
