#pragma once
// The toolkit's character tables and start-up of the runtime.
#include <array>
#include <cstdint>

namespace base {

struct CharacterTables {
    std::array<uint8_t, 256> uppercase{};
    std::array<uint8_t, 256> lowercase{};
    std::array<char, 16> hexdigit{};
    std::array<int64_t, 256> hexvalue{};
};

// Built once by initkqtools on the main thread before the program thread starts; read-only after.
const CharacterTables& charactertables();

// True once initkqtools has run.
bool toolkitready();

void initkqtools();

} // namespace base
