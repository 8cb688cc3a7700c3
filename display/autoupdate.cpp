#include "display/autoupdate.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/log.h"
#include "core/bridge.h"
#include "core/process.h"
#include "core/threads.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace display {

namespace {

// The longest sleep: new windows and changed rates are noticed within one interval at the
// default rate of 30 per second.
constexpr int64_t longestsleep = 1000 / 30;
// The shortest: windows with interval 0 are due on every pass, which must still leave the
// processor to others.
constexpr int64_t shortestsleep = 1;

struct AutoUpdateState {
    std::atomic<bool> running{false};
    // Claimed by the first start, so that two starts racing before the thread sets its running
    // flag still make one thread.
    std::atomic<bool> requested{false};
    // Set by a window's first change after a frame; wakes the thread before its sleep is over.
    std::mutex wakelock;
    std::condition_variable wake;
    bool woken = false;
    // Told by the thread once it has logged its start and set its running flag.
    std::condition_variable started;
    // The auto-update thread's own: when it last asked for a redraw of each window, and the
    // window's change count when it last found all changes taken by the view.
    std::array<int64_t, t_GraphicWindows> lastrequest{};
    std::array<uint64_t, t_GraphicWindows> seen{};
};

AutoUpdateState& state() {
    return base::lasting<AutoUpdateState>();
}

int64_t intervalof(const t_Window& w) {
    int64_t rate = w.RefreshRate;
    return rate == 0 ? 0 : 1000 / rate;
}

// Asks the view of window n to redraw the part of its picture that changed. False when the
// window has no view.
bool requestredraw(uint8_t n, const platform::PixelRect& part) {
    platform::View view = existingview("t_WindowAutoUpdateProcess", n);
    if (view == nullptr) {
        return false;
    }
    core::onmain([view, part] { platform::viewsetneedsdisplayin(view, part); });
    return true;
}

// Looks at window n; returns when it wants to be looked at again (absolute milliseconds).
//
// A window is due once its interval has passed since UpdateStarted, and a due window is stamped
// (UpdateStarted := now) every interval. Its view is asked to redraw only while the window has
// changes the view has not taken, at most once an interval (a request whose paint found the
// window hidden is repeated). A change after a quiet spell is requested as soon as it is marked,
// without waiting for the window to be due; the stamps keep their interval.
int64_t lookatwindow(uint8_t n, int64_t now) {
    AutoUpdateState& s = state();
    t_Window& w = windowrecord(n);
    int64_t interval = intervalof(w);
    uint64_t count = changecount(n); // before the rows: a later mark is seen on the next pass
    platform::PixelRect part;
    if (count != s.seen[n]) {
        part = pendingpart(n);
        if (part.empty()) {
            s.seen[n] = count; // the view has taken every change up to here
        }
    }
    bool changed = !part.empty();
    if (!w.VerticalBlank) { // window 0's view is drawing: look again right after
        return now + (changed ? shortestsleep : longestsleep);
    }
    if (now - w.UpdateStarted >= interval) {
        w.UpdateStarted = now;
    }
    // A hidden window is painted when it is shown; until then its changes wait.
    bool waiting = changed && w.Visible;
    if (waiting && now - s.lastrequest[n] >= interval) {
        if (requestredraw(n, part)) {
            s.lastrequest[n] = now;
        }
        waiting = false;
    }
    int64_t next = w.UpdateStarted + interval;
    return waiting ? std::min(next, s.lastrequest[n] + interval) : next;
}

// One pass over the windows; returns when the next one is due.
int64_t autoupdatepass() {
    int64_t now = base::absolutemilliseconds();
    int64_t next = now + longestsleep;
    for (uint8_t n = 0; n < t_GraphicWindows; ++n) {
        const t_Window& w = windowrecord(n);
        if (w.Initialized && w.AutoUpdate) {
            next = std::min(next, lookatwindow(n, now));
        }
    }
    return next;
}

// Sleeps until the millisecond due begins (the time stamps are whole milliseconds, so waking
// to the fraction keeps the stamps from drifting later each interval), or until woken.
void sleepuntil(int64_t due) {
    AutoUpdateState& s = state();
    double wait = std::clamp(static_cast<double>(due) - base::absolutetime() * 1000.0,
                             double{shortestsleep}, double{longestsleep});
    std::unique_lock guard(s.wakelock);
    s.wake.wait_for(guard, std::chrono::duration<double, std::milli>(wait),
                    [&] { return s.woken; });
    s.woken = false;
}

} // namespace

void startautoupdate() {
    if (state().running || state().requested.exchange(true)) {
        return;
    }
    core::startbackgroundprocess(t_WindowAutoUpdateProcess);
    // The thread logs its start and sets the flag before it needs anything else, so waiting for
    // that keeps its start line among the lines of the window that started it.
    std::unique_lock guard(state().wakelock);
    state().started.wait_for(guard, std::chrono::seconds(1), [] { return state().running.load(); });
}

void wakeautoupdate() {
    AutoUpdateState& s = state();
    {
        std::lock_guard guard(s.wakelock);
        s.woken = true;
    }
    s.wake.notify_one();
}

} // namespace display

void t_WindowAutoUpdateProcess() {
    base::logline("t_WindowAutoUpdateProcess: Start.");
    if (core::currentthreadnumber() > 2) {
        core::namecurrentthread("t_WindowAutoUpdate");
    }
    display::state().running = true;
    {
        // Taken after the flag is set: a starter that found it clear is waiting by now.
        std::lock_guard guard(display::state().wakelock);
    }
    display::state().started.notify_all();
    while (display::memoryready() && display::state().running) {
        display::sleepuntil(display::autoupdatepass());
    }
    display::state().running = false;
    base::logline("t_WindowAutoUpdateProcess: End.");
}
