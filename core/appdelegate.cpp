#include "core/appdelegate.h"

#include "core/log.h"
#include "core/tables.h"
#include "core/threads.h"

#include <mutex>

std::atomic<bool> launchfinished{false};
std::atomic<bool> applicationactive{false};
std::atomic<int64_t> titlebarheight{0};

namespace {

AppDelegate delegate;
std::mutex handlermutex;
std::function<void()> terminationhandler = [] {};
ProgramEntry programentry = [] {};

// The title bar: the pasteboard window's frame minus its scroll view, less the 2 × 10 margin.
int64_t measuretitlebarheight() {
    if (delegate.PasteboardWindow == nullptr || delegate.PasteboardScrollView == nullptr) {
        return 0;
    }
    platform::Rect window = platform::windowframe(delegate.PasteboardWindow);
    platform::Rect scroll = platform::scrollviewframe(delegate.PasteboardScrollView);
    return static_cast<int64_t>(window.height - scroll.height - 20.0);
}

} // namespace

platform::View AppDelegate::view(int n) const {
    const platform::View views[8] = {t_View00, t_View01, t_View02, t_View03,
                                     t_View04, t_View05, t_View06, t_View07};
    return n >= 0 && n < 8 ? views[n] : nullptr;
}

AppDelegate& appdelegate() {
    return delegate;
}

void connectoutlets(const platform::Interface& ui) {
    delegate =
        AppDelegate{ui.views[0],         ui.views[1],         ui.views[2],       ui.views[3],
                    ui.views[4],         ui.views[5],         ui.views[6],       ui.views[7],
                    ui.printerwindow,    ui.printerscroll,    ui.printertext,    ui.printerruler,
                    ui.consolewindow,    ui.consolescroll,    ui.consoletext,    ui.consoleruler,
                    ui.pasteboardwindow, ui.pasteboardscroll, ui.pasteboardtext, ui.mainwindow,
                    ui.preferenceswindow};
}

void setterminationhandler(std::function<void()> handler) {
    std::lock_guard lock(handlermutex);
    terminationhandler = std::move(handler);
}

void setprogramentry(ProgramEntry entry) {
    std::lock_guard lock(handlermutex);
    programentry = std::move(entry);
}

void applicationWillFinishLaunching() {
    logline("applicationWillFinishLaunching: Called.");
    if (currentthreadnumber() == 1) {
        namecurrentthread("AppDelegate");
    }
}

void applicationDidFinishLaunching() {
    logline("applicationDidFinishLaunching: Start.");
    initkqtools();
    titlebarheight = measuretitlebarheight();
    logline("Program: Start.");
    ProgramEntry entry;
    {
        std::lock_guard lock(handlermutex);
        entry = programentry;
    }
    startprocess(std::move(entry), programstacksize);
    logline("applicationDidFinishLaunching: End.");
    launchfinished = true;
}

void applicationDidBecomeActive() {
    applicationactive = true;
}
void applicationWillResignActive() {
    applicationactive = false;
}

void applicationWillTerminate() {
    logline("applicationWillTerminate: Called.");
    std::function<void()> handler;
    {
        std::lock_guard lock(handlermutex);
        handler = terminationhandler;
    }
    handler();
}

bool applicationShouldTerminateAfterLastWindowClosed() {
    return false;
}
