#include "display/placement.h"

#include "base/log.h"
#include "base/numbertext.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "quorvinthal/toolkit.h"

#include <cstring>

namespace display {

namespace {

// Copies a block up by shift bytes; the ranges may overlap.
void moveblockup(int64_t start, int64_t end, int64_t shift) {
    uint8_t* memory = videomemory();
    std::memmove(memory + start + shift, memory + start, static_cast<size_t>(end - start + 1));
}

void logmove(const std::string& logprefix, const char* what, uint8_t w, int64_t start, int64_t end,
             int64_t shift) {
    base::logline(logprefix + " moving " + what + " block for win #" + std::to_string(w) + "$" +
                  base::hexdigits8(start) + "..." + base::hexdigits8(end) + " to" +
                  base::hexdigits8(start + shift) + "..." + base::hexdigits8(end + shift));
}

// Moves the blocks of the windows made after the released one (they lie below its blocks, which
// end at end) up by shift.
void moveblocksbelow(const std::string& logprefix, int64_t end, int64_t shift) {
    for (uint8_t w = 0; w < t_GraphicWindows; ++w) {
        t_Window& other = windowrecord(w);
        if (!other.Initialized || other.MemoryStart >= end) {
            continue;
        }
        logmove(logprefix, "graphic", w, other.MemoryStart, other.MemoryEnd, shift);
        {
            // The block and its record move together, as the renderer reads both under the lock.
            VideoLock guard(videolock());
            moveblockup(other.MemoryStart, other.MemoryEnd, shift);
            other.MemoryStart += shift;
            other.MemoryEnd += shift;
            markwholewindow(w);
        }
        if (other.TextMemoryStart >= 0 && other.TextMemoryStart < end) {
            logmove(logprefix, "text", w, other.TextMemoryStart, other.TextMemoryEnd, shift);
            {
                VideoLock guard(videolock());
                moveblockup(other.TextMemoryStart, other.TextMemoryEnd, shift);
            }
            other.TextMemoryStart += shift;
            other.TextMemoryEnd += shift;
        }
    }
}

} // namespace

Block blockbelow(int64_t mark, int64_t size) {
    uint32_t unmasked = static_cast<uint32_t>(mark - size + 1);
    int64_t start = static_cast<int64_t>(unmasked & placementmask);
    return Block{start, mark};
}

Block placeblock(int64_t size) {
    Block block = blockbelow(highmemorymark(), size);
    sethighmemorymark(block.start - 1);
    return block;
}

bool textblockfits(int64_t graphicbytes, int64_t textbytes) {
    if (textbytes == 0) {
        return true;
    }
    Block graphic = blockbelow(highmemorymark(), graphicbytes);
    return graphic.start - textbytes >= reservedlowarea;
}

void releaseblocks(uint8_t n, const std::string& logprefix) {
    t_Window& w = windowrecord(n);
    w.Initialized = false;
    int64_t start = w.MemoryStart, end = w.MemoryEnd;
    int64_t shift = end - start + 1;
    base::logline(logprefix + " high memory = " + base::hexaddress(end) +
                  ", graphic block size to delete = " + base::hexaddress(shift) + ".");
    if (w.TextMemoryStart >= 0) {
        int64_t textsize = w.TextMemoryEnd - w.TextMemoryStart + 1;
        base::logline(logprefix + " high memory = " + base::hexaddress(end) +
                      ", text block size to delete = " + base::hexaddress(textsize) + ".");
        shift += textsize;
    }
    moveblocksbelow(logprefix, end, shift);
    sethighmemorymark(highmemorymark() + shift);
}

} // namespace display
