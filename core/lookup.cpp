#include "core/lookup.h"

#include "core/appdelegate.h"
#include "core/bridge.h"
#include "quorvinthal/toolkit.h"

namespace core {

namespace {

// The toolkit's own windows by number, each with the outlet that holds it. A graphic window
// (below t_GraphicWindows) is found through its view instead.
struct OwnWindow {
    uint8_t number;
    platform::Window platform::Interface::*outlet;
};

static_assert(platform::graphicviewcount == t_GraphicWindows, "a view for every graphic window");

constexpr OwnWindow ownwindows[] = {
    {t_WindowPasteboard, &platform::Interface::PasteboardWindow},
    {t_WindowPrinter, &platform::Interface::VirtualPrinterWindow},
    {t_WindowConsole, &platform::Interface::SystemConsoleWindow},
    {t_WindowPreferences, &platform::Interface::PreferencesWindow},
    {t_WindowMain, &platform::Interface::MainWindow},
};

platform::Window windowofnumber(const AppDelegate& d, uint8_t n) {
    if (n < t_GraphicWindows) {
        return platform::windowofview(d.view(n));
    }
    for (const OwnWindow& own : ownwindows) {
        if (own.number == n) {
            return d.*own.outlet;
        }
    }
    return nullptr;
}

uint8_t numberofwindow(const AppDelegate& d, platform::Window window) {
    if (window == nullptr) {
        return t_WindowNone;
    }
    for (const OwnWindow& own : ownwindows) {
        if (d.*own.outlet == window) {
            return own.number;
        }
    }
    for (uint8_t n = 0; n < t_GraphicWindows; ++n) {
        if (d.view(n) != nullptr && platform::windowofview(d.view(n)) == window) {
            return n;
        }
    }
    return t_WindowNone;
}

} // namespace

platform::View getview(uint8_t n) {
    return onmain([n] { return appdelegate().view(n); });
}

platform::Window getwindow(uint8_t n) {
    return onmain([n] { return windowofnumber(appdelegate(), n); });
}

uint8_t getwindownumber(platform::Window window) {
    return onmain([window] { return numberofwindow(appdelegate(), window); });
}

uint8_t getmainwindownumber() {
    return onmain([] { return numberofwindow(appdelegate(), platform::activewindow()); });
}

} // namespace core
