#pragma once
// The program thread and background tasks.
#include <atomic>
#include <cstdint>
#include <functional>

namespace core {

using ProgramEntry = std::function<void()>;

constexpr int64_t programstacksize = 1073741824; // 1 GiB for the user program
constexpr int64_t backgroundstacksize = 524288;  // 512 KiB

// Starts a new program thread that runs entry on a stack of stacksize bytes. Returns once the
// thread exists; a second call waits until the previous thread has taken its entry.
void startprocess(ProgramEntry entry, int64_t stacksize);

// Runs task concurrently on a detached thread of its own and returns at once.
void startbackgroundprocess(ProgramEntry task);

// Ends the calling thread, if the toolkit started it: unwinds to the thread's outermost frame.
[[noreturn]] void exitcurrentthread();

// True while a startprocess hand-over is in progress.
bool programstarting();

} // namespace core
