#include "core/appdelegate.h"

#include "base/lasting.h"
#include "base/log.h"
#include "base/tables.h"
#include "core/bridge.h"
#include "core/programlifecycle.h"
#include "core/threads.h"

#include <atomic>

namespace core {

namespace {

struct DelegateState {
    AppDelegate delegate;
    std::atomic<bool> launchfinished{false};
    std::atomic<bool> applicationactive{false};
    std::atomic<int64_t> titlebarheight{0}; // -1 from the launch on until first asked for
};

DelegateState& state() {
    return base::lasting<DelegateState>();
}

// The title bar: the pasteboard window's frame minus its scroll view, less the 2 × 10 margin.
int64_t measuretitlebarheight() {
    const AppDelegate& d = state().delegate;
    if (d.PasteboardWindow == nullptr || d.PasteboardScrollView == nullptr) {
        return 0;
    }
    platform::Rect window = platform::windowframe(d.PasteboardWindow);
    platform::Rect scroll = platform::scrollviewframe(d.PasteboardScrollView);
    return static_cast<int64_t>(window.height - scroll.height - 20.0);
}

} // namespace

AppDelegate& appdelegate() {
    return state().delegate;
}

void connectoutlets(const platform::Interface& ui) {
    state().delegate = ui;
}

bool launchfinished() {
    return state().launchfinished;
}
bool applicationactive() {
    return state().applicationactive;
}
// Measuring makes the pasteboard window, which the start does not otherwise need: the launch leaves
// it to the first window placed.
int64_t titlebarheight() {
    int64_t height = state().titlebarheight;
    if (height < 0) {
        height = onmain(measuretitlebarheight);
        state().titlebarheight = height;
    }
    return height;
}

void applicationwillfinishlaunching() {
    base::logline("applicationWillFinishLaunching: Called.");
    if (currentthreadnumber() == 1) {
        namecurrentthread("AppDelegate");
    }
}

void applicationdidfinishlaunching() {
    base::logline("applicationDidFinishLaunching: Start.");
    base::initkqtools();
    state().titlebarheight = -1;
    startprogram();
    base::logline("applicationDidFinishLaunching: End.");
    state().launchfinished = true;
}

void applicationdidbecomeactive() {
    state().applicationactive = true;
}
void applicationwillresignactive() {
    state().applicationactive = false;
}

} // namespace core
