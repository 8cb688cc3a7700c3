#include "ui/handlers.h"

#include "ui/closebox.h"
#include "ui/menuevents.h"
#include "ui/mouseevents.h"

namespace ui {

void addhandlers(platform::Handlers& h) {
    h.mousedown = viewmousepress;
    h.mouseup = viewmouserelease;
    h.menuitemchosen = menuhandler;
    h.windowshouldclose = windowshouldclose;
}

} // namespace ui
