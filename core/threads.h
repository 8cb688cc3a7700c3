#pragma once
// Thread numbers and names.
//
// The toolkit numbers threads itself: the main thread is 1, every other thread gets the next
// number when the toolkit starts it or when it first asks. The number is presented as a thread
// description text, the form callers historically parsed.
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// The description of the calling thread: "<Thread: 0x...>{number = N, name = ...}".
std::string currentthreaddescription();

// Reads the number after "number = " up to the next ","; 0 when either is missing.
int64_t parsethreadnumber(std::string_view description);

// 1 on the main thread, 2, 3, ... for the others; 0 when it cannot be read.
int64_t currentthreadnumber();

// Gives the calling thread the next number now (threads the toolkit starts call this first).
void assignthreadnumber();

// Names the calling thread; Linux keeps at most 15 bytes, longer names are cut there.
void namecurrentthread(const std::string& name);
// The calling thread's name as the system has it.
std::string currentthreadname();

} // namespace core
