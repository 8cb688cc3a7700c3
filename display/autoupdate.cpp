#include "display/autoupdate.h"

#include "core/bridge.h"
#include "core/clock.h"
#include "core/lasting.h"
#include "core/log.h"
#include "core/lookup.h"
#include "core/process.h"
#include "core/threads.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

#include <atomic>
#include <string>

namespace display {

namespace {

struct AutoUpdateState {
    std::atomic<bool> running{false};
    // Claimed by the first start, so that two starts racing before the thread sets its running
    // flag still make one thread.
    std::atomic<bool> requested{false};
};

AutoUpdateState& state() {
    return core::lasting<AutoUpdateState>();
}

} // namespace

namespace {

bool windowdue(t_Window& w) {
    if (!(w.Initialized && w.AutoUpdate && w.VerticalBlank)) {
        return false;
    }
    int64_t rate = w.RefreshRate;
    int64_t interval = rate == 0 ? 0 : 1000 / rate;
    return core::absolutemilliseconds() - w.UpdateStarted >= interval;
}

// One pass over the windows; true when it asked for at least one redraw.
bool autoupdatepass() {
    bool refreshed = false;
    for (uint8_t n = 0; n < graphicwindowcount; ++n) {
        t_Window& w = windowrecord(n);
        if (!windowdue(w)) {
            continue;
        }
        platform::View view = existingview("t_WindowAutoUpdateProcess", n);
        if (view == nullptr) {
            continue;
        }
        w.UpdateStarted = core::absolutemilliseconds();
        core::onmain([view] { platform::viewsetneedsdisplay(view); });
        refreshed = true;
    }
    return refreshed;
}

} // namespace

void startautoupdate() {
    if (state().running || state().requested.exchange(true)) {
        return;
    }
    core::startbackgroundprocess(t_WindowAutoUpdateProcess);
    // The thread logs its start and sets the flag before it needs anything else, so waiting for
    // that keeps its start line among the lines of the window that started it.
    for (int waited = 0; !state().running && waited < 1000; ++waited) {
        core::sleepmilliseconds(1);
    }
}

} // namespace display

void t_WindowAutoUpdateProcess() {
    core::logline("t_WindowAutoUpdateProcess: Start.");
    if (core::currentthreadnumber() > 2) {
        core::namecurrentthread("t_WindowAutoUpdate");
    }
    display::state().running = true;
    while (display::memoryready() && display::state().running) {
        if (!display::autoupdatepass()) {
            core::sleepmilliseconds(1);
        }
    }
    display::state().running = false;
    core::logline("t_WindowAutoUpdateProcess: End.");
}
