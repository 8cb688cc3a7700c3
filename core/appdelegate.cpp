#include "core/appdelegate.h"

#include "base/lasting.h"
#include "base/log.h"
#include "base/slot.h"
#include "base/tables.h"
#include "core/threads.h"
#include "quorvinthal/toolkit.h"

#include <atomic>

namespace core {

namespace {

struct DelegateState {
    AppDelegate delegate;
    std::atomic<bool> launchfinished{false};
    std::atomic<bool> applicationactive{false};
    std::atomic<int64_t> titlebarheight{0};
    base::Slot<std::function<void()>> terminationhandler{[] {}};
    base::Slot<ProgramEntry> programentry{[] {}};
    std::atomic<bool> programrunning{false};
    base::Slot<std::function<void(bool)>> programstatehandler{[](bool) {}};
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

void reportprogramstate(bool running) {
    state().programrunning = running;
    state().programstatehandler.get()(running);
}

void startprogram() {
    reportprogramstate(true);
    startprocess(
        [entry = state().programentry.get()] {
            struct Ending {
                ~Ending() { reportprogramstate(false); } // also when the thread ends itself
            } ending;
            entry();
        },
        programstacksize);
}

} // namespace

platform::View AppDelegate::view(int n) const {
    const platform::View views[t_GraphicWindows] = {t_View00, t_View01, t_View02, t_View03,
                                                    t_View04, t_View05, t_View06, t_View07};
    return n >= 0 && n < t_GraphicWindows ? views[n] : nullptr;
}

AppDelegate& appdelegate() {
    return state().delegate;
}

void connectoutlets(const platform::Interface& ui) {
    state().delegate =
        AppDelegate{ui.views[0],         ui.views[1],         ui.views[2],       ui.views[3],
                    ui.views[4],         ui.views[5],         ui.views[6],       ui.views[7],
                    ui.printerwindow,    ui.printerscroll,    ui.printertext,    ui.printerruler,
                    ui.consolewindow,    ui.consolescroll,    ui.consoletext,    ui.consoleruler,
                    ui.pasteboardwindow, ui.pasteboardscroll, ui.pasteboardtext, ui.mainwindow,
                    ui.preferenceswindow};
}

bool launchfinished() {
    return state().launchfinished;
}
bool applicationactive() {
    return state().applicationactive;
}
int64_t titlebarheight() {
    return state().titlebarheight;
}

void setprogramentry(ProgramEntry entry) {
    state().programentry.set(std::move(entry));
}

bool programrunning() {
    return state().programrunning;
}

bool restartprogram() {
    bool ended = false;
    if (!state().programrunning.compare_exchange_strong(ended, true)) {
        return false;
    }
    base::logline("Program: Start.");
    startprogram();
    return true;
}

void setprogramstatehandler(std::function<void(bool running)> handler) {
    state().programstatehandler.set(handler ? std::move(handler) : [](bool) {});
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
    state().titlebarheight = measuretitlebarheight();
    base::logline("Program: Start.");
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

void applicationwillterminate() {
    base::logline("applicationWillTerminate: Called.");
    state().terminationhandler.get()();
}

} // namespace core

void t_SetTerminationHandler(std::function<void()> handler) {
    core::state().terminationhandler.set(handler ? std::move(handler) : [] {});
}
