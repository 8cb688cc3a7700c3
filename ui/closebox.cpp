#include "ui/closebox.h"

#include "base/log.h"
#include "display/windowcommands.h"
#include "quorvinthal/toolkit.h"
#include "ui/windownumbers.h"

namespace ui {

bool windowshouldclose(platform::Window window) {
    t_MouseEventPostCloseBoxClick(getwindownumber(window));
    return false;
}

} // namespace ui

void t_MouseEventPostCloseBoxClick(uint8_t n) {
    t_WindowVisible(n, false);
    base::logline("t_MouseEventPostCloseBoxClick: Window = " + std::to_string(n));
}
