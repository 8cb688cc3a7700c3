#include "ui/handlers.h"

#include "ui/accessibletext.h"
#include "ui/closebox.h"
#include "ui/menuevents.h"
#include "ui/mouseevents.h"

namespace ui {

void addhandlers(platform::Handlers& h) {
    h.viewmousedown = viewmousedown;
    h.viewmouseup = viewmouseup;
    h.menuitemchosen = menuitemchosen;
    h.windowshouldclose = windowshouldclose;
    h.viewtext = viewtext;
}

} // namespace ui
