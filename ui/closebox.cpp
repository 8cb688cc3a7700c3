#include "ui/closebox.h"

#include "base/log.h"
#include "core/lookup.h"
#include "quorvinthal/toolkit.h"

namespace ui {

bool windowshouldclose(platform::Window window) {
    t_MouseEventPostCloseBoxClick(core::getwindownumber(window));
    return false;
}

} // namespace ui

void t_MouseEventPostCloseBoxClick(uint8_t n) {
    t_WindowVisible(n, false);
    base::logline("t_MouseEventPostCloseBoxClick: Window = " + std::to_string(n));
}
