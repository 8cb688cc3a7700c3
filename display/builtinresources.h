#pragma once
// The toolkit's own fonts and bell sound, built into the library (the table is generated at build
// time by tools/embedresources from the same files that are installed).
#include <cstddef>
#include <cstdint>
#include <span>

namespace display {

struct BuiltinResource {
    const char* name;
    std::span<const uint8_t> bytes;
};

extern const BuiltinResource builtinresources[];
extern const size_t builtinresourcecount;

} // namespace display
