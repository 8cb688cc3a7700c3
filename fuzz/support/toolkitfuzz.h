#pragma once
// What the toolkit's fuzz targets share: the toolkit brought up headless once per process, a
// reader that turns the fuzzer's bytes into arguments, and a guard over video memory.
#include "quorvinthal/toolkit.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fuzz {

// A broken promise of the code under test: the fuzzer keeps the input.
inline void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// The offscreen application, the interface and video memory, made on the first call. Log lines
// and redirected output are dropped. Toolkit commands then run on this thread, the main thread,
// so that work for the main thread runs inline and no event loop is needed.
void starttoolkit();

// The fuzzer's bytes as arguments; a used-up input reads as zeros.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : rest(bytes) {}
    bool empty() const { return rest.empty(); }
    uint8_t byte();
    bool flag() { return (byte() & 1) != 0; }
    // A value in low ... high (high - low below 65536).
    int64_t within(int64_t low, int64_t high);
    // Mostly values near the edges that matter (0, ±1, window sizes, the limits of int64_t),
    // sometimes any 64-bit value.
    int64_t extreme();
    // Up to most bytes.
    std::string text(size_t most);
    template <typename T, size_t N> const T& pick(const T (&choices)[N]) {
        return choices[byte() % N];
    }

  private:
    std::span<const uint8_t> rest;
};

// A copy of video memory; unchangedoutside(n) tells whether every byte outside window n's graphic
// and text blocks still holds what the copy holds.
class MemoryGuard {
  public:
    void take();
    bool unchangedoutside(uint8_t n) const;
    // Takes window n's blocks into the copy again (after the window drew in them).
    void refresh(uint8_t n);

  private:
    std::vector<uint8_t> copy;
};

// The toolkit started and its memory made, guarded as it was then (for targets that make their own
// windows).
MemoryGuard& startedmemory();

} // namespace fuzz
