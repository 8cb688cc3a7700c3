#include "ui/windownumbers.h"

#include "core/appdelegate.h"
#include "core/bridge.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

namespace ui {

namespace {

uint8_t numberonmain(platform::Window window) {
    if (window == nullptr) {
        return t_WindowNone;
    }
    const core::AppDelegate& d = core::appdelegate();
    const std::pair<platform::Window, uint8_t> special[] = {
        {d.VirtualPrinterWindow, t_WindowPrinter},
        {d.SystemConsoleWindow, t_WindowConsole},
        {d.PasteboardWindow, t_WindowPasteboard},
        {d.PreferencesWindow, t_WindowPreferences},
        {d.MainWindow, t_WindowMain},
    };
    for (const auto& [candidate, number] : special) {
        if (candidate != nullptr && candidate == window) {
            return number;
        }
    }
    for (uint8_t n = 0; n < t_GraphicWindows; ++n) {
        platform::View view = d.view(n);
        if (view != nullptr && platform::windowofview(view) == window) {
            return n;
        }
    }
    return t_WindowNone;
}

} // namespace

uint8_t getwindownumber(platform::Window window) {
    return core::onmain([window] { return numberonmain(window); });
}

uint8_t getmainwindownumber() {
    return core::onmain([] { return numberonmain(platform::activewindow()); });
}

} // namespace ui
