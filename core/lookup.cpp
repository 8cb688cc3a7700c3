#include "core/lookup.h"

#include "core/appdelegate.h"
#include "core/bridge.h"

namespace core {

platform::View getview(uint8_t n) {
    return onmain([n] { return appdelegate().view(n); });
}

platform::Window getwindow(uint8_t n) {
    return onmain([n]() -> platform::Window {
        const AppDelegate& d = appdelegate();
        switch (n) {
        case 8:
            return d.PasteboardWindow;
        case 9:
            return d.VirtualPrinterWindow;
        case 10:
            return d.SystemConsoleWindow;
        case 11:
            return d.PreferencesWindow;
        case 12:
            return d.MainWindow;
        default:
            return n <= 7 ? platform::windowofview(d.view(n)) : nullptr;
        }
    });
}

} // namespace core
