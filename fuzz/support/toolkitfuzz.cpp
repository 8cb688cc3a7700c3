#include "fuzz/support/toolkitfuzz.h"

#include "base/log.h"
#include "base/tables.h"
#include "display/videomemory.h"
#include "platform/platform.h"
#include "toolkit/setup.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace fuzz {

void starttoolkit() {
    static const bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        platform::initapplication(argc, argv);
        base::setlogsink([](std::string_view) {});
        base::setoutputsink([](std::string_view) {});
        toolkit::setup();
        base::initkqtools();
        return true;
    }();
    (void)started;
}

uint8_t Reader::byte() {
    if (rest.empty()) {
        return 0;
    }
    const uint8_t b = rest.front();
    rest = rest.subspan(1);
    return b;
}

int64_t Reader::within(int64_t low, int64_t high) {
    const uint64_t span = static_cast<uint64_t>(high - low) + 1;
    uint64_t value = byte();
    if (span > 256) {
        value = value << 8 | byte();
    }
    return low + static_cast<int64_t>(value % span);
}

int64_t Reader::extreme() {
    static constexpr int64_t edges[] = {0,
                                        1,
                                        -1,
                                        2,
                                        7,
                                        8,
                                        15,
                                        16,
                                        31,
                                        32,
                                        63,
                                        64,
                                        127,
                                        255,
                                        256,
                                        799,
                                        800,
                                        1279,
                                        1280,
                                        32767,
                                        65536,
                                        INT_MAX,
                                        INT_MIN,
                                        LLONG_MAX,
                                        LLONG_MIN,
                                        LLONG_MAX / 2 + 1,
                                        -(LLONG_MAX / 2)};
    const uint8_t how = byte();
    if (how < 128) {
        return edges[how % std::size(edges)];
    }
    if (how < 224) {
        return within(-300, 1500);
    }
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = value << 8 | byte();
    }
    return static_cast<int64_t>(value);
}

std::string Reader::text(size_t most) {
    const size_t length = std::min<size_t>({most, byte(), rest.size()});
    std::string taken(reinterpret_cast<const char*>(rest.data()), length);
    rest = rest.subspan(length);
    return taken;
}

void MemoryGuard::take() {
    display::VideoLock guard(display::videolock());
    const uint8_t* memory = display::videomemory();
    copy.assign(memory, memory + display::videomemorylength());
}

void MemoryGuard::refresh(uint8_t n) {
    const display::t_Window& w = display::windowrecord(n);
    display::VideoLock guard(display::videolock());
    const uint8_t* memory = display::videomemory();
    for (const auto& [start, end] : {std::pair<int64_t, int64_t>{w.MemoryStart, w.MemoryEnd},
                                     {w.TextMemoryStart, w.TextMemoryEnd}}) {
        if (start >= 0 && end >= start) {
            std::memcpy(copy.data() + start, memory + start, static_cast<size_t>(end - start + 1));
        }
    }
}

bool MemoryGuard::unchangedoutside(uint8_t n) const {
    const display::t_Window& w = display::windowrecord(n);
    struct Range {
        int64_t start, end;
    };
    std::vector<Range> inside{{w.MemoryStart, w.MemoryEnd}};
    if (w.TextMemoryStart >= 0) {
        inside.push_back({w.TextMemoryStart, w.TextMemoryEnd});
    }
    std::sort(inside.begin(), inside.end(),
              [](const Range& a, const Range& b) { return a.start < b.start; });
    display::VideoLock guard(display::videolock());
    const uint8_t* memory = display::videomemory();
    int64_t from = 0;
    const auto same = [&](int64_t start, int64_t end) {
        return end <= start || std::memcmp(memory + start, copy.data() + start,
                                           static_cast<size_t>(end - start)) == 0;
    };
    for (const Range& r : inside) {
        if (!same(from, r.start)) {
            return false;
        }
        from = std::max(from, r.end + 1);
    }
    return same(from, static_cast<int64_t>(copy.size()));
}

MemoryGuard& startedmemory() {
    static MemoryGuard memory;
    static const bool taken = [] {
        starttoolkit();
        t_InitMemory();
        memory.take();
        return true;
    }();
    (void)taken;
    return memory;
}

} // namespace fuzz
