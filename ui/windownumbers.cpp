#include "ui/windownumbers.h"

#include "core/appdelegate.h"
#include "core/bridge.h"
#include "display/videomemory.h"

namespace ui {

namespace {

uint8_t numberonmain(platform::Window window) {
    if (window == nullptr) {
        return display::nowindow;
    }
    const core::AppDelegate& d = core::appdelegate();
    const std::pair<platform::Window, uint8_t> special[] = {
        {d.VirtualPrinterWindow, 9}, {d.SystemConsoleWindow, 10}, {d.PasteboardWindow, 8},
        {d.PreferencesWindow, 11},   {d.MainWindow, 12},
    };
    for (const auto& [candidate, number] : special) {
        if (candidate != nullptr && candidate == window) {
            return number;
        }
    }
    for (uint8_t n = 0; n < display::graphicwindowcount; ++n) {
        platform::View view = d.view(n);
        if (view != nullptr && platform::windowofview(view) == window) {
            return n;
        }
    }
    return display::nowindow;
}

} // namespace

uint8_t getwindownumber(platform::Window window) {
    return core::onmain([window] { return numberonmain(window); });
}

uint8_t getmainwindownumber() {
    return core::onmain([] { return numberonmain(platform::activewindow()); });
}

} // namespace ui
