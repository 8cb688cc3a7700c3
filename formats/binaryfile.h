#pragma once
// Reading a whole file into memory.
#include <cstdint>
#include <string>
#include <vector>

namespace formats {

// The whole file, or an empty array (with a log line) when it cannot be read.
std::vector<uint8_t> getbinaryfromfile(const std::string& path);

} // namespace formats
