#include "ui/closebox.h"

#include "core/log.h"
#include "display/windowcommands.h"
#include "ui/windownumbers.h"

void t_MouseEventPostCloseBoxClick(uint8_t n) {
    t_WindowVisible(n, false);
    logline("t_MouseEventPostCloseBoxClick: Window = " + std::to_string(n));
}

bool windowShouldClose(platform::Window window) {
    t_MouseEventPostCloseBoxClick(getwindownumber(window));
    return false;
}
