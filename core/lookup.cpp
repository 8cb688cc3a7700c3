#include "core/lookup.h"

#include "core/appdelegate.h"
#include "core/bridge.h"
#include "quorvinthal/toolkit.h"

namespace core {

platform::View getview(uint8_t n) {
    return onmain([n] { return appdelegate().view(n); });
}

platform::Window getwindow(uint8_t n) {
    return onmain([n]() -> platform::Window {
        const AppDelegate& d = appdelegate();
        switch (n) {
        case t_WindowPasteboard:
            return d.PasteboardWindow;
        case t_WindowPrinter:
            return d.VirtualPrinterWindow;
        case t_WindowConsole:
            return d.SystemConsoleWindow;
        case t_WindowPreferences:
            return d.PreferencesWindow;
        case t_WindowMain:
            return d.MainWindow;
        default:
            return n < t_GraphicWindows ? platform::windowofview(d.view(n)) : nullptr;
        }
    });
}

} // namespace core
