#include "display/windowchanges.h"

#include "base/lasting.h"
#include "display/autoupdate.h"
#include "display/videomemory.h"

#include <algorithm>
#include <array>
#include <atomic>

namespace display {

namespace {

// Rows [first, end) of one window; empty when end <= first. Guarded by the video lock.
struct Marks {
    int64_t first = 0;
    int64_t end = 0;
    std::atomic<uint64_t> count{0};
};

std::array<Marks, t_GraphicWindows>& marks() {
    return base::lasting<std::array<Marks, t_GraphicWindows>>();
}

int64_t saturatedend(int64_t first, int64_t count) {
    int64_t end = 0;
    return __builtin_add_overflow(first, count, &end) ? std::numeric_limits<int64_t>::max() : end;
}

} // namespace

void markrows(uint8_t n, int64_t first, int64_t count) {
    if (n >= t_GraphicWindows || count <= 0) {
        return;
    }
    Marks& m = marks()[n];
    int64_t end = saturatedend(first, count);
    first = std::max<int64_t>(first, 0);
    if (end <= first) {
        return;
    }
    bool wasclean = m.end <= m.first;
    m.first = wasclean ? first : std::min(m.first, first);
    m.end = wasclean ? end : std::max(m.end, end);
    m.count.fetch_add(1, std::memory_order_relaxed);
    if (wasclean) {
        wakeautoupdate(); // the first change after a frame may be due at once
    }
}

void markwholewindow(uint8_t n) {
    markrows(n, allrows.first, allrows.count);
}

Rows takerows(uint8_t n) {
    if (n >= t_GraphicWindows) {
        return Rows{};
    }
    Marks& m = marks()[n];
    Rows rows{m.first, m.end - m.first};
    m.first = m.end = 0;
    return rows;
}

Rows pendingrows(uint8_t n) {
    if (n >= t_GraphicWindows) {
        return Rows{};
    }
    VideoLock guard(videolock());
    const Marks& m = marks()[n];
    return Rows{m.first, m.end - m.first};
}

uint64_t changecount(uint8_t n) {
    return n < t_GraphicWindows ? marks()[n].count.load(std::memory_order_relaxed) : 0;
}

} // namespace display
