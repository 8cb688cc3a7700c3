#pragma once
// Where the blocks of a window go in video memory: below the high-memory mark, which each new
// block lowers, and up again when a window gives its blocks back.
#include <cstdint>
#include <string>

namespace display {

constexpr uint32_t placementmask = 0xFFFFF400; // bits 0-9 and 11 cleared

struct Block {
    int64_t start;
    int64_t end;
};
// Where a block of size bytes would go below the given mark.
Block blockbelow(int64_t mark, int64_t size);
// Places a block below the high-memory mark and lowers the mark.
Block placeblock(int64_t size);

// Whether a text block of textbytes fits directly below a graphic block of graphicbytes, above
// the reserved low area (each alone may fit where both do not).
bool textblockfits(int64_t graphicbytes, int64_t textbytes);

// Gives window n's blocks back: the blocks of the windows made after it move up into their place
// (each move logged after logprefix) and the mark rises by their size.
void releaseblocks(uint8_t n, const std::string& logprefix);

} // namespace display
