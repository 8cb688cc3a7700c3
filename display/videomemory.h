#pragma once
// Video memory and the window table.
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

constexpr int64_t videomemorysize = 16777231; // 0x100000F
constexpr int64_t highmemorytop = 16777215;   // 0xFFFFFF
constexpr int64_t reservedlowarea = 65536;    // never given to a window

bool memorystarted();
bool memoryready();
int64_t highmemorymark();
void sethighmemorymark(int64_t mark);

// The bytes of video memory, 0 until written; none before t_InitMemory.
uint8_t* videomemory();
int64_t videomemorylength();
std::mutex& videolock();
using VideoLock = std::lock_guard<std::mutex>;
// Sets count bytes from start on to 0 (the caller holds the video lock). The whole pages among
// them are given back: they read 0 again without occupying memory until written.
void zerovideomemory(int64_t start, int64_t count);

// The window table entry of graphic window n (0 ... 7); exists once memoryready() is set.
t_Window& windowrecord(uint8_t n);
const t_Window& defaultwindow();

// The first window that t_InitWindow made; claimed once.
void claimfirstwindow(uint8_t n);

// Platform work that t_InitMemory does after making the memory and before it is ready (the menus,
// the pasteboard window), each step run on the main thread. Registered from above before the
// program thread starts.
void addmemorystartupstep(std::function<void()> step);

// Runs t_InitMemory, or waits in 10 ms steps while another thread runs it.
void waitformemory();

// A window that is graphic (0 ... 7), with memory ready and initialised.
bool windowready(uint8_t n);
// ... and with a text block.
bool textwindowready(uint8_t n);

} // namespace display
