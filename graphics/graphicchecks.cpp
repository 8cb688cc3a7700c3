#include "graphics/graphicchecks.h"

#include "core/log.h"
#include "display/videomemory.h"

#include <string>

bool graphicwindowready(const char* command, uint8_t n) {
    if (n >= graphicwindowcount) {
        logline(std::string(command) + ": Window is not a graphic window.");
        return false;
    }
    if (!windowready(n)) {
        logline(std::string(command) + ": Graphic window #" + std::to_string(n) +
                " not initialized.");
        return false;
    }
    return true;
}

void logillegaldepth(int64_t depth) {
    logline("g_Plot: Illegal bit depth (" + std::to_string(depth) + ").");
}
