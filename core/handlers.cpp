#include "core/handlers.h"

#include "display/render.h"
#include "display/windowcommands.h"

platform::Handlers toolkithandlers() {
    platform::Handlers h;
    h.paintstarted = viewpaintstarted;
    h.paintview = viewpaint;
    h.paintfinished = viewpaintfinished;
    h.quickupdate = viewquickupdate;
    h.windowdidresize = windowDidResize;
    return h;
}
