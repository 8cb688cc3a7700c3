#pragma once
// Video memory, the window table and block placement.
//
// Every access to video memory bytes holds the video lock: drawing primitives take it around
// their own work, the renderer around each frame's conversion. The lock is never held while
// waiting for the main thread (a drawing call never reaches the bridge with it), so rendering on
// the main thread cannot deadlock with the program thread.
#include "display/window.h"

#include <cstdint>
#include <functional>
#include <mutex>

namespace display {

constexpr int64_t videomemorysize = 16777231;  // 0x100000F
constexpr int64_t highmemorytop = 16777215;    // 0xFFFFFF
constexpr int64_t reservedlowarea = 65536;     // never given to a window
constexpr uint32_t placementmask = 0xFFFFF400; // bits 0-9 and 11 cleared

bool memorystarted();
bool memoryready();
int64_t highmemorymark();
void sethighmemorymark(int64_t mark);

// The bytes of video memory; empty before t_InitMemory.
uint8_t* videomemory();
int64_t videomemorylength();
std::mutex& videolock();
using VideoLock = std::lock_guard<std::mutex>;

// The window table entry of graphic window n (0 ... 7); exists once memoryready() is set.
t_Window& windowrecord(uint8_t n);
const t_Window& defaultwindow();

// The first window that t_InitWindow made; claimed once.
void claimfirstwindow(uint8_t n);

// Work that t_InitMemory does after making the memory and before it is ready (the menus, the
// pasteboard window). Registered from above before the program thread starts.
void addmemorystartupstep(std::function<void()> step);

// Runs t_InitMemory, or waits in 10 ms steps while another thread runs it.
void waitformemory();

struct Block {
    int64_t start;
    int64_t end;
};
// Where a block of size bytes would go below the given mark.
Block blockbelow(int64_t mark, int64_t size);
// Places a block below the high-memory mark and lowers the mark.
Block placeblock(int64_t size);

// A window that is graphic (0 ... 7), with memory ready and initialised.
bool windowready(uint8_t n);
// Whether a key or a click in view n goes to the program: the window is initialised (otherwise
// "<method>: Graphic window (<n>) not initialized." is logged) and takes events.
bool takesevents(const char* method, uint8_t n);
// ... and with a text block.
bool textwindowready(uint8_t n);

} // namespace display
