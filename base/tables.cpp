#include "base/tables.h"

#include "base/lasting.h"
#include "base/log.h"

#include <atomic>
#include <cstdlib>
#include <ctime>

namespace base {

namespace {

struct TablesState {
    CharacterTables tables;
    std::atomic<bool> ready{false};
};

TablesState& state() {
    return lasting<TablesState>();
}

bool inrange(int c, int low, int high) {
    return c >= low && c <= high;
}

// ISO 8859-1 letters with a case partner 32 codes away; 215/247 (multiplication and division
// signs) and 223/255 (sharp s, y with diaeresis) have none, and 197/198/221/222 stay unmapped.
uint8_t uppercaseof(int c) {
    if (inrange(c, 97, 122) || inrange(c, 224, 228) || inrange(c, 231, 246) ||
        inrange(c, 249, 252)) {
        return static_cast<uint8_t>(c - 32);
    }
    return static_cast<uint8_t>(c);
}

uint8_t lowercaseof(int c) {
    if (inrange(c, 65, 90) || inrange(c, 192, 196) || inrange(c, 199, 214) ||
        inrange(c, 217, 220)) {
        return static_cast<uint8_t>(c + 32);
    }
    return static_cast<uint8_t>(c);
}

} // namespace

bool toolkitready() {
    return state().ready;
}

const CharacterTables& charactertables() {
    return state().tables;
}

void initkqtools() {
    CharacterTables& tables = state().tables;
    logline("initkqtools: Start.");
    for (int c = 0; c < 256; ++c) {
        tables.uppercase[c] = uppercaseof(c);
    }
    for (int c = 0; c < 256; ++c) {
        tables.lowercase[c] = lowercaseof(c);
    }
    tables.hexvalue.fill(-1);
    for (int d = 0; d < 16; ++d) {
        char digit = static_cast<char>(d <= 9 ? '0' + d : 'A' + (d - 10));
        tables.hexdigit[d] = digit;
        tables.hexvalue[tables.uppercase[static_cast<uint8_t>(digit)]] = d;
        tables.hexvalue[tables.lowercase[static_cast<uint8_t>(digit)]] = d;
    }
    srandom(static_cast<unsigned>(time(nullptr) & 0x7FFFFFFF));
    state().ready = true;
    logline("initkqtools: End.");
}

} // namespace base
