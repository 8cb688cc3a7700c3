#pragma once
#include <cstdint>

// Leaves "(Programm Ende)" on the last line of window n (when it exists), logs, and ends the
// calling thread. The application and its windows go on.
[[noreturn]] void t_QuitProgram(uint8_t n);
