#include "display/handlers.h"

#include "display/render.h"
#include "display/windowcommands.h"

namespace display {

void addhandlers(platform::Handlers& h) {
    h.viewpaintstarted = viewpaintstarted;
    h.viewpaint = viewpaint;
    h.viewpaintfinished = viewpaintfinished;
    h.windowdidresize = windowdidresize;
}

} // namespace display
