#include "ui/windowtext.h"

#include "core/bridge.h"
#include "display/windowcommands.h"
#include "quorvinthal/toolkit.h"
#include "ui/copyconversion.h"

namespace ui {

namespace {

bool hastextview(uint8_t n) {
    return n == t_WindowPrinter || n == t_WindowConsole;
}

} // namespace

bool textviewmissing(uint8_t n) {
    return hastextview(n) && display::gettextview(n) == nullptr;
}

std::string textviewmissingline(uint8_t n) {
    return n == t_WindowPrinter
               ? "t_MenuEventHandler: Virtual printer window is nil, resource undefined."
               : "t_MenuEventHandler: System console window is nil, resource undefined.";
}

std::optional<std::string> windowtext(uint8_t n) {
    if (n < t_GraphicWindows) {
        return copyconversion(t_GetScreen(n, "\r"));
    }
    platform::TextView text = hastextview(n) ? display::gettextview(n) : nullptr;
    if (text == nullptr) {
        return std::nullopt;
    }
    return core::onmain([text] { return platform::textviewstring(text); });
}

} // namespace ui
