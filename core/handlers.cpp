#include "core/handlers.h"

#include "display/render.h"
#include "display/windowcommands.h"
#include "input/keyevents.h"
#include "ui/closebox.h"
#include "ui/menuevents.h"
#include "ui/mouseevents.h"

platform::Handlers toolkithandlers() {
    platform::Handlers h;
    h.paintstarted = viewpaintstarted;
    h.paintview = viewpaint;
    h.paintfinished = viewpaintfinished;
    h.quickupdate = viewquickupdate;
    h.windowdidresize = windowDidResize;
    h.keydown = [](int view, const platform::KeyPress& press) {
        viewKeyDown(static_cast<uint8_t>(view), press);
    };
    h.keyup = [](int view, const platform::KeyPress& press) {
        viewKeyUp(static_cast<uint8_t>(view), press);
    };
    h.modifierschanged = [](int view, uint64_t flags) {
        viewFlagsChanged(static_cast<uint8_t>(view), flags);
    };
    h.mousedown = viewmousepress;
    h.mouseup = viewmouserelease;
    h.menuitemchosen = MenuHandler;
    h.windowshouldclose = windowShouldClose;
    return h;
}
