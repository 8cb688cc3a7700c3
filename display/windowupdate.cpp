// t_WindowUpdate: a redraw of what changed, now or with the next display pass.
#include "core/bridge.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

void t_WindowUpdate(uint8_t n, bool deferred) {
    if (!display::memoryready()) {
        return;
    }
    if (!display::graphicwindownumber("t_WindowUpdate", n)) {
        return;
    }
    platform::View view = display::existingview("t_WindowUpdate", n);
    if (view == nullptr) {
        return;
    }
    // Only what changed since the view last painted; an unchanged window needs no redraw.
    platform::PixelRect part = display::pendingpart(n);
    if (part.empty()) {
        return;
    }
    core::onmain([&] {
        if (deferred) {
            platform::viewsetneedsdisplayin(view, part);
        } else {
            platform::viewdisplayin(view, part);
        }
    });
}
