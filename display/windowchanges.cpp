#include "display/windowchanges.h"

#include "base/lasting.h"
#include "display/autoupdate.h"
#include "display/videomemory.h"

#include <algorithm>
#include <array>
#include <atomic>

namespace display {

namespace {

// Rows [first, end) of one window changed since the last take, and rows [writtenfirst,
// writtenend) written since the block was cleared; empty when the end is not above the first.
// Guarded by the video lock.
struct Marks {
    int64_t first = 0;
    int64_t end = 0;
    int64_t writtenfirst = 0;
    int64_t writtenend = std::numeric_limits<int64_t>::max();
    std::atomic<uint64_t> count{0};
};

// Widens [first, end) to take [from, to), which is not empty.
void widen(int64_t& first, int64_t& end, int64_t from, int64_t to) {
    bool wasempty = end <= first;
    first = wasempty ? from : std::min(first, from);
    end = wasempty ? to : std::max(end, to);
}

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
    widen(m.first, m.end, first, end);
    widen(m.writtenfirst, m.writtenend, first, end);
    m.count.fetch_add(1, std::memory_order_relaxed);
    if (wasclean) {
        wakeautoupdate(); // the first change after a frame may be due at once
    }
}

void markwholewindow(uint8_t n) {
    markrows(n, allrows.first, allrows.count);
}

void markcleared(uint8_t n) {
    markwholewindow(n);
    if (n < t_GraphicWindows) {
        marks()[n].writtenfirst = marks()[n].writtenend = 0;
    }
}

Rows writtenrows(uint8_t n) {
    if (n >= t_GraphicWindows) {
        return Rows{};
    }
    const Marks& m = marks()[n];
    return Rows{m.writtenfirst, m.writtenend - m.writtenfirst};
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
