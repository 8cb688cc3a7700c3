#pragma once
// What changed in each graphic window's picture since its view last brought its frame up to date.
//
// Every write to a window's blocks marks the pixel rows it touched, and it does so while it still
// holds the video lock, after the write. The view's paint takes the marks under the same lock
// before it converts, so a write is either converted by that paint or still marked for the next:
// it can never fall between a conversion and the clearing of the marks.
#include <cstdint>
#include <limits>

namespace display {

// Pixel rows first ... first + count − 1 of a window's picture.
struct Rows {
    int64_t first = 0;
    int64_t count = 0;
    bool empty() const { return count <= 0; }
};

// Every row of any window; cut to the picture's height where it is used.
constexpr Rows allrows{0, std::numeric_limits<int64_t>::max()};

// Marks rows first ... first + count − 1 of window n as changed. The caller holds the video lock.
void markrows(uint8_t n, int64_t first, int64_t count);
// Marks the whole picture (clearing, re-initialisation, moving the block). Video lock held.
void markwholewindow(uint8_t n);
// Marks the whole picture of window n after its pixel block was set to 0 (the video lock held):
// no row counts as written from then on, until markrows marks it.
void markcleared(uint8_t n);
// The rows that may hold other bytes than 0: those marked since the last markcleared, every row
// of a window whose block was never cleared that way. Rows outside read 0 and need not be read,
// which keeps the pages of a mostly blank window unbacked. Video lock held.
Rows writtenrows(uint8_t n);
// The rows marked since the last take, which clears them. Video lock held.
Rows takerows(uint8_t n);
// The rows marked and not yet taken; takes the video lock itself.
Rows pendingrows(uint8_t n);
// The number of marks ever made in window n; read without a lock.
uint64_t changecount(uint8_t n);

} // namespace display
